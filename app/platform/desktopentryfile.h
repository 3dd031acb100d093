#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A freedesktop key file (a .desktop entry or a mimeapps.list) edited line by
// line, so that groups, keys, comments and translations we do not touch come
// back out exactly as they went in.
class DesktopEntryFile
{
public:
    // A missing file is an empty one; false only when an existing file cannot
    // be read.
    bool load(const QString &path);
    // Writes atomically, creating the parent folders.
    bool save(const QString &path) const;

    QString text() const;
    void setText(const QString &text);

    // The raw value of `key` in `group`; values are not unescaped.
    std::optional<QString> value(const QString &group, const QString &key) const;
    void setValue(const QString &group, const QString &key, const QString &value);
    bool hasGroup(const QString &group) const;

    // One argument of an Exec line: quoted, with the characters desktop entries
    // reserve inside quotes escaped, then escaped again as a string value.
    static QString execArgument(const QString &argument);

private:
    int groupStart(const QString &group) const;
    int groupEnd(int start) const;

    QStringList m_lines;
};
