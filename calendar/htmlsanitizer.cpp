#include "calendar/htmlsanitizer.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace {

bool isNameStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || (c >= u'0' && c <= u'9');
}

// Formatting that Qt's rich text renders and that carries no behaviour.
const QSet<QString> &keptTags()
{
    static const QSet<QString> tags = {
        QStringLiteral("a"),      QStringLiteral("abbr"),    QStringLiteral("address"),
        QStringLiteral("b"),      QStringLiteral("big"),     QStringLiteral("blockquote"),
        QStringLiteral("br"),     QStringLiteral("caption"), QStringLiteral("center"),
        QStringLiteral("cite"),   QStringLiteral("code"),    QStringLiteral("dd"),
        QStringLiteral("del"),    QStringLiteral("div"),     QStringLiteral("dl"),
        QStringLiteral("dt"),     QStringLiteral("em"),      QStringLiteral("font"),
        QStringLiteral("h1"),     QStringLiteral("h2"),      QStringLiteral("h3"),
        QStringLiteral("h4"),     QStringLiteral("h5"),      QStringLiteral("h6"),
        QStringLiteral("hr"),     QStringLiteral("i"),       QStringLiteral("ins"),
        QStringLiteral("kbd"),    QStringLiteral("li"),      QStringLiteral("ol"),
        QStringLiteral("p"),      QStringLiteral("pre"),     QStringLiteral("q"),
        QStringLiteral("s"),      QStringLiteral("samp"),    QStringLiteral("small"),
        QStringLiteral("span"),   QStringLiteral("strike"),  QStringLiteral("strong"),
        QStringLiteral("sub"),    QStringLiteral("sup"),     QStringLiteral("table"),
        QStringLiteral("tbody"),  QStringLiteral("td"),      QStringLiteral("tfoot"),
        QStringLiteral("th"),     QStringLiteral("thead"),   QStringLiteral("tr"),
        QStringLiteral("tt"),     QStringLiteral("u"),       QStringLiteral("ul"),
        QStringLiteral("var")};
    return tags;
}

// Elements whose content is code, styling or chrome rather than text.
const QSet<QString> &droppedWithContent()
{
    static const QSet<QString> tags = {
        QStringLiteral("script"),   QStringLiteral("style"),  QStringLiteral("iframe"),
        QStringLiteral("object"),   QStringLiteral("embed"),  QStringLiteral("applet"),
        QStringLiteral("noscript"), QStringLiteral("template"), QStringLiteral("head"),
        QStringLiteral("title"),    QStringLiteral("textarea"), QStringLiteral("select"),
        QStringLiteral("svg"),      QStringLiteral("math"),   QStringLiteral("frameset"),
        QStringLiteral("frame"),    QStringLiteral("xml")};
    return tags;
}

struct Tag
{
    QString name;
    bool closing = false;
    bool hasHref = false;
    QString href;
    int end = -1;
};

enum class TagRead {
    Tag,        // a complete tag, ending at Tag::end
    NotATag,    // the '<' opens no tag: it is ordinary text
    Unfinished, // the tag runs to the end of the text: all of that is text
};

// Reads the tag that opens at text[pos] ('<').
TagRead readTag(const QString &text, int pos, Tag *tag)
{
    const int n = int(text.size());
    int i = pos + 1;
    if (i < n && text.at(i) == u'/') {
        tag->closing = true;
        ++i;
    }
    if (i >= n || !isNameStart(text.at(i)))
        return TagRead::NotATag;
    const int nameStart = i;
    while (i < n && isNameChar(text.at(i)))
        ++i;
    tag->name = text.mid(nameStart, i - nameStart).toLower();

    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'>') {
            tag->end = i + 1;
            return TagRead::Tag;
        }
        if (c.isSpace() || c == u'/') {
            ++i;
            continue;
        }
        const int attrStart = i;
        while (i < n && !text.at(i).isSpace() && text.at(i) != u'=' && text.at(i) != u'>'
               && text.at(i) != u'/')
            ++i;
        const QString attrName = text.mid(attrStart, i - attrStart).toLower();
        while (i < n && text.at(i).isSpace())
            ++i;
        if (i >= n || text.at(i) != u'=')
            continue;
        ++i;
        while (i < n && text.at(i).isSpace())
            ++i;
        QString value;
        if (i < n && (text.at(i) == u'"' || text.at(i) == u'\'')) {
            const int close = int(text.indexOf(text.at(i), i + 1));
            if (close < 0)
                return TagRead::Unfinished;
            value = text.mid(i + 1, close - i - 1);
            i = close + 1;
        } else {
            const int valueStart = i;
            while (i < n && !text.at(i).isSpace() && text.at(i) != u'>')
                ++i;
            value = text.mid(valueStart, i - valueStart);
        }
        if (attrName == QLatin1String("href") && !tag->hasHref) {
            tag->hasHref = true;
            tag->href = value;
        }
    }
    return TagRead::Unfinished;
}

void appendAsText(QString &out, QChar c)
{
    if (c == u'<')
        out += QLatin1String("&lt;");
    else if (c == u'>')
        out += QLatin1String("&gt;");
    else
        out += c;
}

QString decodeEntities(const QString &text)
{
    if (!text.contains(u'&'))
        return text;
    static const QHash<QString, QString> named = {
        {QStringLiteral("amp"), QStringLiteral("&")},   {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},    {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},  {QStringLiteral("nbsp"), QStringLiteral(" ")},
        {QStringLiteral("colon"), QStringLiteral(":")}, {QStringLiteral("tab"), QStringLiteral("\t")},
        {QStringLiteral("newline"), QStringLiteral("\n")}, {QStringLiteral("sol"), QStringLiteral("/")},
        {QStringLiteral("period"), QStringLiteral(".")}, {QStringLiteral("lpar"), QStringLiteral("(")},
        {QStringLiteral("rpar"), QStringLiteral(")")}};
    static const QRegularExpression reference(
        QStringLiteral("&(?:#[xX]([0-9A-Fa-f]+)|#([0-9]+)|([A-Za-z]+));?"));

    QString out;
    qsizetype last = 0;
    QRegularExpressionMatchIterator it = reference.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        QString replacement;
        bool ok = false;
        if (m.capturedLength(1) > 0 || m.capturedLength(2) > 0) {
            const uint code = m.capturedLength(1) > 0 ? m.captured(1).toUInt(&ok, 16)
                                                      : m.captured(2).toUInt(&ok, 10);
            ok = ok && code > 0 && code <= 0x10FFFF;
            if (ok) {
                const char32_t c = code;
                replacement = QString::fromUcs4(&c, 1);
            }
        } else {
            const auto found = named.constFind(m.captured(3).toLower());
            ok = found != named.constEnd();
            if (ok)
                replacement = *found;
        }
        if (!ok)
            continue;
        out += QStringView(text).mid(last, m.capturedStart(0) - last);
        out += replacement;
        last = m.capturedEnd(0);
    }
    out += QStringView(text).mid(last);
    return out;
}

} // namespace

QString HtmlSanitizer::safeLinkTarget(const QString &attributeValue)
{
    // Renderers drop control characters and white space inside a scheme
    // ("java\tscript:"), so the check runs on what they would see.
    QString target = decodeEntities(attributeValue);
    target.removeIf([](QChar c) { return c.unicode() <= 0x20 || c.unicode() == 0x7F; });
    static const QRegularExpression allowed(QStringLiteral("^(?:https?://[^/]|mailto:.)"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (!allowed.match(target).hasMatch())
        return QString();
    return target;
}

QString HtmlSanitizer::sanitize(const QString &html)
{
    QString out;
    out.reserve(html.size());
    const int n = int(html.size());
    int i = 0;
    while (i < n) {
        const QChar c = html.at(i);
        if (c != u'<') {
            appendAsText(out, c);
            ++i;
            continue;
        }
        if (QStringView(html).mid(i).startsWith(u"<!--")) {
            const int close = int(html.indexOf(QLatin1String("-->"), i + 4));
            i = close < 0 ? n : close + 3;
            continue;
        }
        if (i + 1 < n && (html.at(i + 1) == u'!' || html.at(i + 1) == u'?')) {
            const int close = int(html.indexOf(u'>', i + 2));
            i = close < 0 ? n : close + 1;
            continue;
        }
        Tag tag;
        const TagRead read = readTag(html, i, &tag);
        if (read == TagRead::NotATag) {
            out += QLatin1String("&lt;");
            ++i;
            continue;
        }
        if (read == TagRead::Unfinished) {
            // A browser would take the rest into this tag. Shown as text it
            // stays visible and harmless, and it is read once, not again
            // from every later '<'.
            for (; i < n; ++i)
                appendAsText(out, html.at(i));
            break;
        }
        i = tag.end;
        if (droppedWithContent().contains(tag.name)) {
            if (!tag.closing) {
                const int close = int(html.indexOf(QLatin1String("</") + tag.name, i, Qt::CaseInsensitive));
                const int gt = close < 0 ? -1 : int(html.indexOf(u'>', close));
                i = gt < 0 ? n : gt + 1;
            }
            continue;
        }
        if (!keptTags().contains(tag.name))
            continue;
        if (tag.closing) {
            out += QLatin1String("</") + tag.name + u'>';
            continue;
        }
        out += u'<' + tag.name;
        if (tag.name == QLatin1String("a") && tag.hasHref) {
            const QString target = safeLinkTarget(tag.href);
            if (!target.isEmpty())
                out += QLatin1String(" href=\"") + target.toHtmlEscaped() + u'"';
        }
        out += u'>';
    }
    return out;
}
