#include "tests/support/pdfreader.h"

#include <QRegularExpression>
#include <QtEndian>

namespace {

QByteArray inflate(const QByteArray &deflated)
{
    // qUncompress wants the expected size in front; it grows past a low guess.
    QByteArray framed(4, '\0');
    qToBigEndian<quint32>(quint32(qMax<qsizetype>(deflated.size() * 4, 1024)), framed.data());
    return qUncompress(framed + deflated);
}

int objectReference(const QByteArray &dictionary, const char *key)
{
    const QRegularExpression pattern(QStringLiteral("/%1\\s+(\\d+)\\s+0\\s+R").arg(QLatin1String(key)));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(dictionary));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString fromHex16(const QString &hex)
{
    QString text;
    for (int i = 0; i + 4 <= hex.size(); i += 4)
        text.append(QChar(char16_t(hex.mid(i, 4).toUShort(nullptr, 16))));
    return text;
}

// A literal string "(…)" up to its closing parenthesis, escapes undone;
// UTF-16 when it starts with the byte order mark.
QString literalString(const QByteArray &from)
{
    QByteArray bytes;
    for (int i = 0; i < from.size(); ++i) {
        char c = from.at(i);
        if (c == ')')
            break;
        if (c == '\\' && i + 1 < from.size()) {
            c = from.at(++i);
            if (c >= '0' && c <= '7') {
                int value = 0;
                for (int n = 0; n < 3 && i < from.size() && from.at(i) >= '0' && from.at(i) <= '7'; ++n, ++i)
                    value = value * 8 + (from.at(i) - '0');
                --i;
                c = char(value);
            } else if (c == 'n') {
                c = '\n';
            }
        }
        bytes.append(c);
    }
    if (!bytes.startsWith("\xfe\xff"))
        return QString::fromLatin1(bytes);
    QString text;
    for (int i = 2; i + 1 < bytes.size(); i += 2)
        text.append(QChar(char16_t((uchar(bytes.at(i)) << 8) | uchar(bytes.at(i + 1)))));
    return text;
}

} // namespace

PdfReader::PdfReader(const QByteArray &pdf)
{
    if (!pdf.startsWith("%PDF-"))
        return;
    readObjects(pdf);
    // Pages in the order the page tree lists them.
    int pagesObject = -1;
    for (auto it = m_objects.cbegin(); it != m_objects.cend(); ++it) {
        if (QRegularExpression(QStringLiteral("/Type\\s*/Pages\\b")).match(QString::fromLatin1(it->dictionary)).hasMatch())
            pagesObject = it.key();
    }
    if (pagesObject < 0)
        return;
    const QRegularExpression kids(QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]"));
    const QString kidList = kids.match(QString::fromLatin1(m_objects.value(pagesObject).dictionary)).captured(1);
    const QRegularExpression ref(QStringLiteral("(\\d+)\\s+0\\s+R"));
    for (auto match = ref.globalMatch(kidList); match.hasNext();) {
        const Object page = m_objects.value(match.next().captured(1).toInt());
        const int contents = objectReference(page.dictionary, "Contents");
        m_pageTexts.append(pageText(m_objects.value(contents).stream));
    }
    m_valid = true;
}

void PdfReader::readObjects(const QByteArray &pdf)
{
    const QRegularExpression header(QStringLiteral("(\\d+)\\s+0\\s+obj\\b"));
    const QString latin = QString::fromLatin1(pdf);
    for (auto it = header.globalMatch(latin); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const int start = int(match.capturedEnd());
        const int end = latin.indexOf(QLatin1String("endobj"), start);
        if (end < 0)
            break;
        Object object;
        const int streamAt = latin.indexOf(QLatin1String("stream"), start);
        if (streamAt >= 0 && streamAt < end) {
            object.dictionary = pdf.mid(start, streamAt - start);
            int data = streamAt + 6;
            if (pdf.at(data) == '\r')
                ++data;
            if (pdf.at(data) == '\n')
                ++data;
            const int dataEnd = latin.lastIndexOf(QLatin1String("endstream"), end);
            QByteArray raw = pdf.mid(data, dataEnd - data);
            object.stream = object.dictionary.contains("/FlateDecode") ? inflate(raw) : raw;
        } else {
            object.dictionary = pdf.mid(start, end - start);
        }
        m_objects.insert(match.captured(1).toInt(), object);
    }
}

QHash<int, QString> PdfReader::toUnicode(int fontObject)
{
    if (m_maps.contains(fontObject))
        return m_maps.value(fontObject);
    QHash<int, QString> map;
    const QString cmap = QString::fromLatin1(
        m_objects.value(objectReference(m_objects.value(fontObject).dictionary, "ToUnicode")).stream);
    const QRegularExpression section(QStringLiteral("begin(bfchar|bfrange)(.*?)end\\1"),
                                     QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression pair(QStringLiteral("<([0-9a-fA-F]+)>\\s*<([0-9a-fA-F]+)>"));
    const QRegularExpression range(
        QStringLiteral("<([0-9a-fA-F]+)>\\s*<([0-9a-fA-F]+)>\\s*(?:<([0-9a-fA-F]+)>|\\[([^\\]]*)\\])"));
    for (auto it = section.globalMatch(cmap); it.hasNext();) {
        const QRegularExpressionMatch block = it.next();
        if (block.captured(1) == QLatin1String("bfchar")) {
            for (auto p = pair.globalMatch(block.captured(2)); p.hasNext();) {
                const QRegularExpressionMatch m = p.next();
                map.insert(m.captured(1).toInt(nullptr, 16), fromHex16(m.captured(2)));
            }
            continue;
        }
        for (auto r = range.globalMatch(block.captured(2)); r.hasNext();) {
            const QRegularExpressionMatch m = r.next();
            const int first = m.captured(1).toInt(nullptr, 16);
            const int last = m.captured(2).toInt(nullptr, 16);
            if (!m.captured(3).isEmpty()) {
                const ushort base = m.captured(3).toUShort(nullptr, 16);
                for (int g = first; g <= last && g - first < 65536; ++g)
                    map.insert(g, QString(QChar(char16_t(base + (g - first)))));
            } else {
                const QStringList values = m.captured(4).split(QRegularExpression(QStringLiteral("[<>\\s]+")),
                                                               Qt::SkipEmptyParts);
                for (int g = first; g <= last && g - first < values.size(); ++g)
                    map.insert(g, fromHex16(values.at(g - first)));
            }
        }
    }
    m_maps.insert(fontObject, map);
    return map;
}

QString PdfReader::pageText(const QByteArray &content)
{
    const QString text = QString::fromLatin1(content);
    const QRegularExpression token(
        QStringLiteral("/F(\\d+)\\s+[-\\d.]+\\s+Tf|<([0-9a-fA-F]+)>\\s*Tj|\\bET\\b"));
    QStringList lines;
    QString line;
    QHash<int, QString> map;
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            map = toUnicode(m.captured(1).toInt());
        } else if (!m.captured(2).isEmpty()) {
            line += map.value(m.captured(2).toInt(nullptr, 16));
        } else if (!line.isEmpty()) {
            lines.append(line);
            line.clear();
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    // The writer's fonts map the blank's glyph to a tab.
    return lines.join(QLatin1Char('\n')).replace(QLatin1Char('\t'), QLatin1Char(' '));
}

QString PdfReader::info(const QByteArray &key) const
{
    // The writer stores information strings as UTF-16 hex or literal text.
    for (const Object &object : m_objects) {
        const QString dictionary = QString::fromLatin1(object.dictionary);
        const QRegularExpression hex(QStringLiteral("/%1\\s*<FEFF([0-9a-fA-F]*)>").arg(QLatin1String(key)),
                                     QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch h = hex.match(dictionary);
        if (h.hasMatch())
            return fromHex16(h.captured(1));
        const QRegularExpression literal(QStringLiteral("/%1\\s*\\(").arg(QLatin1String(key)));
        const QRegularExpressionMatch l = literal.match(dictionary);
        if (l.hasMatch())
            return literalString(object.dictionary.mid(l.capturedEnd()));
    }
    return QString();
}
