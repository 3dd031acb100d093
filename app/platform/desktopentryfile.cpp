#include "app/platform/desktopentryfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool isGroupHeader(const QString &line)
{
    const QString trimmed = line.trimmed();
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'));
}

// The key of a "key=value" line, without the blanks around it; empty for
// comments, blank lines and group headers.
QString lineKey(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')) || isGroupHeader(line))
        return QString();
    const int equals = trimmed.indexOf(QLatin1Char('='));
    if (equals < 0)
        return QString();
    return trimmed.left(equals).trimmed();
}

QString lineValue(const QString &line)
{
    const QString trimmed = line.trimmed();
    return trimmed.mid(trimmed.indexOf(QLatin1Char('=')) + 1).trimmed();
}

} // namespace

bool DesktopEntryFile::load(const QString &path)
{
    m_lines.clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    setText(QString::fromUtf8(file.readAll()));
    return true;
}

bool DesktopEntryFile::save(const QString &path) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text().toUtf8();
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

QString DesktopEntryFile::text() const
{
    if (m_lines.isEmpty())
        return QString();
    return m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void DesktopEntryFile::setText(const QString &text)
{
    m_lines = text.split(QLatin1Char('\n'));
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
    for (QString &line : m_lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
}

int DesktopEntryFile::groupStart(const QString &group) const
{
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).trimmed() == header)
            return i;
    }
    return -1;
}

int DesktopEntryFile::groupEnd(int start) const
{
    int end = start + 1;
    while (end < m_lines.size() && !isGroupHeader(m_lines.at(end)))
        ++end;
    return end;
}

bool DesktopEntryFile::hasGroup(const QString &group) const
{
    return groupStart(group) >= 0;
}

std::optional<QString> DesktopEntryFile::value(const QString &group, const QString &key) const
{
    const int start = groupStart(group);
    if (start < 0)
        return std::nullopt;
    const int end = groupEnd(start);
    for (int i = start + 1; i < end; ++i) {
        if (lineKey(m_lines.at(i)) == key)
            return lineValue(m_lines.at(i));
    }
    return std::nullopt;
}

void DesktopEntryFile::setValue(const QString &group, const QString &key, const QString &value)
{
    const QString line = key + QLatin1Char('=') + value;
    int start = groupStart(group);
    if (start < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(QLatin1Char('[') + group + QLatin1Char(']'));
        m_lines.append(line);
        return;
    }
    const int end = groupEnd(start);
    for (int i = start + 1; i < end; ++i) {
        if (lineKey(m_lines.at(i)) == key) {
            m_lines[i] = line;
            return;
        }
    }
    // After the group's last key, before any blank lines that separate it
    // from the next group.
    int insertAt = end;
    while (insertAt > start + 1 && m_lines.at(insertAt - 1).trimmed().isEmpty())
        --insertAt;
    m_lines.insert(insertAt, line);
}

QString DesktopEntryFile::execArgument(const QString &argument)
{
    QString quoted;
    quoted.reserve(argument.size() + 2);
    quoted += QLatin1Char('"');
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    // A literal per cent sign would start a field code.
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    // The Exec value is a string first: its backslashes are escaped once more.
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return quoted;
}
