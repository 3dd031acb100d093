#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One message of a Qt Linguist catalogue (.ts), as lupdate writes it.
struct TsMessage
{
    QString context;
    QString source;
    QString comment;
    bool numerus = false;
    QString type; // "unfinished", "vanished", "obsolete" or empty when finished
    QString translation;
    QStringList forms; // the plural forms of a numerus message

    // What a reader of the program gets: the forms, or the one translation.
    QStringList texts() const { return numerus ? forms : QStringList{translation}; }
    QString key() const { return context + QLatin1Char('|') + source + QLatin1Char('|') + comment; }
};

// Reads a .ts file; errorString() says why a read failed.
class TsCatalogue
{
public:
    bool read(const QString &path);
    const QList<TsMessage> &messages() const { return m_messages; }
    QString language() const { return m_language; }
    QString errorString() const { return m_error; }

private:
    QList<TsMessage> m_messages;
    QString m_language;
    QString m_error;
};
