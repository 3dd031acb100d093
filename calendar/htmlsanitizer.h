#pragma once

#include <QString>

// Reduces untrusted HTML to a small set of formatting tags. Scripts, styles,
// frames, objects, images and forms go (with their content where it is code),
// every attribute goes except an anchor's href, and an href survives only
// with an http, https or mailto target. Text is kept.
class HtmlSanitizer
{
public:
    static QString sanitize(const QString &html);

    // The target of an href attribute value after the entity decoding and
    // white-space stripping a renderer would apply; a null string unless it
    // is an absolute http, https or mailto address.
    static QString safeLinkTarget(const QString &attributeValue);
};
