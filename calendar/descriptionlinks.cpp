#include "calendar/descriptionlinks.h"

#include <QRegularExpression>

#include "calendar/htmlsanitizer.h"

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

bool alreadyLinked(const QString &text, qsizetype start)
{
    if (start >= 6 && QStringView(text).mid(start - 6, 6).contains(u"href="))
        return true;
    if (start >= 2) {
        const QStringView before = QStringView(text).mid(start - 2, 2);
        return before == u"\">" || before == u"'>";
    }
    return false;
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
    static const QString trailing = QStringLiteral(".,;:!?)");
    const QString style = colour.isEmpty()
                              ? QString()
                              : QStringLiteral(" style=\"color:%1;\"").arg(colour.toHtmlEscaped());

    QString out;
    out.reserve(text.size() + 64);
    qsizetype last = 0;
    QRegularExpressionMatchIterator it = bareAddress.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype start = m.capturedStart(0);
        if (start < last)
            continue;
        out += QStringView(text).mid(last, start - last);
        QString address = m.captured(0);
        address.truncate(escapedDelimiter(address));
        last = start + address.size();
        if (alreadyLinked(text, start)) {
            out += address;
            continue;
        }
        qsizetype keep = address.size();
        while (keep > 0 && trailing.contains(address.at(keep - 1)))
            --keep;
        out += QStringLiteral("<a href=\"%1\"%2>%1</a>").arg(address.left(keep), style);
        out += QStringView(address).mid(keep);
    }
    out += QStringView(text).mid(last);
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
