#include "calendar/descriptionlinks.h"

#include <QRegularExpression>

#include "calendar/htmlsanitizer.h"

#include <algorithm>

namespace {

constexpr auto caseless = QRegularExpression::CaseInsensitiveOption;
constexpr auto multiline = QRegularExpression::MultilineOption;

// Built once at start-up, in this order.
const QRegularExpression angleBracketAddress(QStringLiteral(R"(<(https?://[^>]+)>)"));
const QRegularExpression manyLineFeeds(QStringLiteral(R"(\n{3,})"));
const QRegularExpression organizersSection(QStringLiteral(R"(For organizers:[\s\S]*$)"));
const QRegularExpression commonHtmlTag(QStringLiteral(R"(<\s*(html|body|div|p|br|table|style|meta|a)\b)"),
                                       caseless);
const QRegularExpression teamsJoinText(
    QStringLiteral(R"(Join the meeting now<(https://teams\.microsoft\.com/[^>]+)>)"));
const QRegularExpression teamsHeadingLine(QStringLiteral(R"(^Microsoft Teams\s*$)"), multiline);
const QRegularExpression needHelpLine(QStringLiteral(R"(^.*Need help\?.*$)"), multiline);
const QRegularExpression trailingSpace(QStringLiteral(R"([\s]+$)"));
const QRegularExpression underscoreRule(QStringLiteral(R"(^_{3,}\s*$)"), multiline);
const QRegularExpression bareAddress(QStringLiteral(R"((https?://[^\s<>"]+))"), caseless);

// The join anchor as the Teams clean-up writes it, found again in plain text.
const QRegularExpression joinAnchor(
    QStringLiteral(R"re(<a href="([^"<>]*)">Join Microsoft Teams Meeting</a>)re"));

const QString joinAnchorText = QStringLiteral("<a href=\"%1\">Join Microsoft Teams Meeting</a>\n");

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The end of the markup that opens at text[lt] ('<'): a tag (quoted
// attribute values may hold '>'), a comment or a declaration. The end of
// the text when it never closes; -1 when the '<' opens no markup.
qsizetype markupEnd(const QString &text, qsizetype lt)
{
    const qsizetype n = text.size();
    const QStringView rest = QStringView(text).mid(lt);
    if (rest.startsWith(u"<!--")) {
        const qsizetype close = text.indexOf(QLatin1String("-->"), lt + 4);
        return close < 0 ? n : close + 3;
    }
    if (rest.startsWith(u"<!") || rest.startsWith(u"<?")) {
        const qsizetype close = text.indexOf(u'>', lt + 2);
        return close < 0 ? n : close + 1;
    }
    qsizetype i = lt + 1;
    if (i < n && text.at(i) == u'/')
        ++i;
    if (i >= n || !isAsciiLetter(text.at(i)))
        return -1;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'>')
            return i + 1;
        ++i;
        if (c != u'=')
            continue;
        while (i < n && text.at(i).isSpace())
            ++i;
        if (i < n && (text.at(i) == u'"' || text.at(i) == u'\'')) {
            const qsizetype close = text.indexOf(text.at(i), i + 1);
            if (close < 0)
                return n;
            i = close + 1;
        }
    }
    return n;
}

// +1 for an anchor's opening tag, -1 for its closing tag, else 0.
int anchorStep(QStringView tag)
{
    const bool closing = tag.startsWith(u"</");
    const QStringView name = tag.mid(closing ? 2 : 1);
    if (name.isEmpty() || (name.at(0) != u'a' && name.at(0) != u'A'))
        return 0;
    if (name.size() > 1 && (isAsciiLetter(name.at(1)) || name.at(1).isDigit()))
        return 0;
    return closing ? -1 : 1;
}

// In escaped text a quote or angle bracket is an entity, which the address
// pattern does not stop at; the address ends where one begins.
qsizetype escapedDelimiter(const QString &address)
{
    qsizetype cut = address.size();
    for (const char16_t *entity : {u"&lt;", u"&gt;", u"&quot;"}) {
        const qsizetype at = address.indexOf(QStringView(entity));
        if (at >= 0 && at < cut)
            cut = at;
    }
    return cut;
}

// Links the bare addresses of a stretch of text that lies outside any tag
// or anchor.
void linkifyText(QString &out, QStringView text, const QString &style)
{
    static const QString trailing = QStringLiteral(".,;:!?)");
    if (!text.contains(u"://")) {
        out += text;
        return;
    }
    const QString segment = text.toString();
    qsizetype last = 0;
    QRegularExpressionMatchIterator it = bareAddress.globalMatch(segment);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype start = m.capturedStart(0);
        if (start < last)
            continue;
        out += QStringView(segment).mid(last, start - last);
        QString address = m.captured(0);
        address.truncate(escapedDelimiter(address));
        last = start + address.size();
        qsizetype keep = address.size();
        while (keep > 0 && trailing.contains(address.at(keep - 1)))
            --keep;
        out += QStringLiteral("<a href=\"%1\"%2>%1</a>").arg(address.left(keep), style);
        out += QStringView(address).mid(keep);
    }
    out += QStringView(segment).mid(last);
}

QString plainToHtml(QStringView text, const QString &colour)
{
    return linkifyDescription(text.toString().toHtmlEscaped(), colour)
        .replace(QLatin1Char('\n'), QLatin1String("<br/>"));
}

} // namespace

QString cleanTeamsDescription(const QString &description, const QString &conferenceUrl)
{
    if (!description.contains(QLatin1String("Microsoft Teams")))
        return description;

    QString rebuilt;
    rebuilt.reserve(description.size());
    qsizetype last = 0;
    QRegularExpressionMatchIterator it = teamsJoinText.globalMatch(description);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        rebuilt += QStringView(description).mid(last, m.capturedStart(0) - last);
        // The captured address may hold quotes; escaped, it cannot leave
        // the attribute.
        if (conferenceUrl.isEmpty())
            rebuilt += joinAnchorText.arg(m.captured(1).toHtmlEscaped());
        last = m.capturedEnd(0);
    }
    rebuilt += QStringView(description).mid(last);

    rebuilt.replace(angleBracketAddress, QStringLiteral("\\1"));
    rebuilt.replace(underscoreRule, QString());
    rebuilt.replace(teamsHeadingLine, QString());
    rebuilt.replace(needHelpLine, QString());
    rebuilt.replace(organizersSection, QString());
    rebuilt.replace(manyLineFeeds, QStringLiteral("\n\n"));
    rebuilt.replace(trailingSpace, QString());
    return rebuilt.trimmed();
}

bool looksLikeHtml(const QString &text)
{
    return commonHtmlTag.match(text).hasMatch();
}

QString linkifyDescription(const QString &text, const QString &colour)
{
    const QString style = colour.isEmpty()
                              ? QString()
                              : QStringLiteral(" style=\"color:%1;\"").arg(colour.toHtmlEscaped());

    // Addresses are linked only in text: never inside a tag (an href or any
    // other attribute) and never inside an existing anchor, where a second
    // anchor would break the markup.
    QString out;
    out.reserve(text.size() + 64);
    const qsizetype n = text.size();
    qsizetype pos = 0;
    int anchorDepth = 0;
    while (pos < n) {
        const qsizetype lt = text.indexOf(u'<', pos);
        const qsizetype textEnd = lt < 0 ? n : lt;
        if (anchorDepth > 0)
            out += QStringView(text).mid(pos, textEnd - pos);
        else
            linkifyText(out, QStringView(text).mid(pos, textEnd - pos), style);
        if (lt < 0)
            break;
        const qsizetype end = markupEnd(text, lt);
        if (end < 0) {
            out += u'<';
            pos = lt + 1;
            continue;
        }
        const QStringView markup = QStringView(text).mid(lt, end - lt);
        anchorDepth = std::max(0, anchorDepth + anchorStep(markup));
        out += markup;
        pos = end;
    }
    return out;
}

QString descriptionToRichText(const QString &description, const QString &conferenceUrl,
                              const QString &colour)
{
    const QString cleaned = cleanTeamsDescription(description, conferenceUrl);
    if (looksLikeHtml(description))
        return linkifyDescription(HtmlSanitizer::sanitize(cleaned), colour);

    // Plain text: the only markup in it is the join anchor that the Teams
    // clean-up put there; everything else is escaped.
    QString out;
    qsizetype last = 0;
    QRegularExpressionMatchIterator it = joinAnchor.globalMatch(cleaned);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += plainToHtml(QStringView(cleaned).mid(last, m.capturedStart(0) - last), colour);
        const QString target = HtmlSanitizer::safeLinkTarget(m.captured(1));
        if (target.isEmpty())
            out += plainToHtml(m.capturedView(0), colour);
        else
            out += QStringLiteral("<a href=\"%1\">Join Microsoft Teams Meeting</a>").arg(target.toHtmlEscaped());
        last = m.capturedEnd(0);
    }
    out += plainToHtml(QStringView(cleaned).mid(last), colour);
    return out;
}
