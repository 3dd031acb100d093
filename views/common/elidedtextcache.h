#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QString>

// Texts cut to a width with an ellipsis, kept from one paint to the next:
// eliding shapes the whole text, and the same titles come back on every
// repaint and after every reload of the same days. Holds the texts of one
// font; a change of font forgets them.
class ElidedTextCache
{
public:
    // Forgets the texts when `font` is not the font they were cut for.
    void useFont(const QFont &font);
    // What metrics.elidedText(text, Qt::ElideRight, width) gives; the
    // metrics are those of the font last given to useFont().
    const QString &elided(const QFontMetrics &metrics, const QString &text, int width);
    int size() const { return int(m_texts.size()); }

private:
    struct Key
    {
        QString text;
        int width = 0;
        bool operator==(const Key &other) const { return width == other.width && text == other.text; }
    };
    friend size_t qHash(const Key &key, size_t seed) { return qHashMulti(seed, key.text, key.width); }

    QHash<Key, QString> m_texts;
    QFont m_font;
};
