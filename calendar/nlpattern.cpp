#include "calendar/nlpattern.h"

namespace NLParser::Detail {

constexpr auto caseless = QRegularExpression::CaseInsensitiveOption;

QRegularExpression pattern(const QString &source, bool caseInsensitive)
{
    QString expanded = source;
    expanded.replace(QLatin1String(R"(\<)"), QLatin1String(R"((?<!\w)(?<!\w['\-]))"));
    expanded.replace(QLatin1String(R"(\>)"), QLatin1String(R"((?!\w)(?!['\-]\w))"));
    expanded.replace(QLatin1String(R"(\!)"), QLatin1String(R"((?!\w)(?![.:]\d))"));
    QRegularExpression re(expanded, caseInsensitive ? caseless : QRegularExpression::NoPatternOption);
    re.optimize();
    return re;
}

QRegularExpression pattern(const char *source, bool caseInsensitive)
{
    return pattern(QString::fromUtf8(source), caseInsensitive);
}

QString clock(bool meridiemRequired)
{
    return QStringLiteral(R"((?<!\w)(?<!\d[.:])(\d{1,2})(?:([:.])(\d{2}))?(?:\s*([ap])(?:m|\.\s?m\.?))%1)")
        .arg(meridiemRequired ? QString() : QStringLiteral("?"));
}

void addSpan(Spans &spans, const QRegularExpressionMatch &match)
{
    if (match.capturedLength(0) > 0)
        spans.append({int(match.capturedStart(0)), int(match.capturedLength(0))});
}

} // namespace NLParser::Detail
