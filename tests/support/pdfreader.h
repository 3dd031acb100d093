#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// Reads back what the program's PDF writer wrote, for tests: the page count
// and the text of each page, decoded through the fonts' ToUnicode maps. Not
// a general PDF reader: it knows the writer's own layout (uncompressed
// object headers, FlateDecode streams, one glyph per "<gid> Tj").
class PdfReader
{
public:
    explicit PdfReader(const QByteArray &pdf);

    bool isValid() const { return m_valid; }
    int pageCount() const { return int(m_pageTexts.size()); }
    // The text shown on each page, one line per text run, in paint order.
    QStringList pageTexts() const { return m_pageTexts; }
    QString allText() const { return m_pageTexts.join(QLatin1Char('\n')); }
    // An entry of the document information dictionary ("Title", "Creator").
    QString info(const QByteArray &key) const;

private:
    struct Object
    {
        QByteArray dictionary;
        QByteArray stream; // inflated
    };

    void readObjects(const QByteArray &pdf);
    QHash<int, QString> toUnicode(int fontObject);
    QString pageText(const QByteArray &content);

    QHash<int, Object> m_objects;
    QHash<int, QHash<int, QString>> m_maps;
    QStringList m_pageTexts;
    bool m_valid = false;
};
