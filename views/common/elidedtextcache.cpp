#include "views/common/elidedtextcache.h"

namespace {

// A week of a very busy store holds a few thousand blocks; past this many
// texts (a zoom or a resize through many widths) the cache starts over.
constexpr int MaxTexts = 20000;

} // namespace

void ElidedTextCache::useFont(const QFont &font)
{
    if (font == m_font)
        return;
    m_font = font;
    m_texts.clear();
}

const QString &ElidedTextCache::elided(const QFontMetrics &metrics, const QString &text, int width)
{
    Key key{text, width};
    const auto found = m_texts.constFind(key);
    if (found != m_texts.constEnd())
        return found.value();
    if (m_texts.size() >= MaxTexts)
        m_texts.clear();
    return *m_texts.insert(std::move(key), metrics.elidedText(text, Qt::ElideRight, width));
}
