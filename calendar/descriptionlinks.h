#pragma once

#include <QString>

// Preparing an event description for display as rich text. Descriptions
// come from the user, from servers (HTML from Microsoft and Google) and from
// Teams invitations; none of it is trusted.

// Reduces a Microsoft Teams invitation to its join link and the organiser's
// own text. Without the words "Microsoft Teams" the text comes back unchanged.
// With a conference URL the join text is dropped, since the caller shows
// that address as its own join control.
QString cleanTeamsDescription(const QString &description, const QString &conferenceUrl);

// Whether the text already carries common HTML tags.
bool looksLikeHtml(const QString &text);

// Turns bare http(s) addresses into anchors, optionally coloured. The text
// must already be HTML (escaped plain text or sanitised markup); addresses
// inside a tag or an existing anchor are left as they are.
QString linkifyDescription(const QString &text, const QString &colour);

// The whole path from a stored description to safe rich text: Teams
// clean-up, then sanitised HTML or escaped plain text with line breaks, then
// links. Only http, https and mailto targets survive.
QString descriptionToRichText(const QString &description, const QString &conferenceUrl,
                              const QString &colour);
