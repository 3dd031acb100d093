#include "app/theme/theme.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace {

struct State
{
    bool dark = false;
    QString accent;
    QString iconFamily = QStringLiteral("Material Icons");
    int fontScale = 100;
};

State &state()
{
    static State s;
    return s;
}

QColor pick(const char *light, const char *dark)
{
    return QColor(QLatin1String(state().dark ? dark : light));
}

int scaled(int base)
{
    return std::max(1, base * state().fontScale / 100);
}

QString points(int size)
{
    return QString::number(size) + QStringLiteral("pt");
}

// The arrow image drawn from the icon font in the mode's muted (or
// disabled) text colour; style sheets cannot tint an image themselves.
QString arrowImage(const char *direction, bool disabled)
{
    return QStringLiteral(":/icons/arrow-%1-%2%3.png")
        .arg(QLatin1String(direction), Theme::isDark() ? QStringLiteral("dark") : QStringLiteral("light"),
             disabled ? QStringLiteral("-disabled") : QString());
}

// The 26 tokens and their values for the current state, longest first.
QList<QPair<QString, QString>> stylesheetTokens()
{
    QList<QPair<QString, QString>> tokens = {
        {QStringLiteral("@canvas"), Theme::cssColor(Theme::canvas())},
        {QStringLiteral("@surface"), Theme::cssColor(Theme::surface())},
        {QStringLiteral("@surfaceMuted"), Theme::cssColor(Theme::surfaceMuted())},
        {QStringLiteral("@border"), Theme::cssColor(Theme::border())},
        {QStringLiteral("@borderStrong"), Theme::cssColor(Theme::borderStrong())},
        {QStringLiteral("@textPrimary"), Theme::cssColor(Theme::textPrimary())},
        {QStringLiteral("@textMuted"), Theme::cssColor(Theme::textMuted())},
        {QStringLiteral("@textDisabled"), Theme::cssColor(Theme::textDisabled())},
        {QStringLiteral("@accent"), Theme::cssColor(Theme::accent())},
        {QStringLiteral("@accentMuted"), Theme::cssColor(Theme::accentMuted())},
        {QStringLiteral("@danger"), Theme::cssColor(Theme::danger())},
        {QStringLiteral("@radiusSm"), QStringLiteral("4px")},
        {QStringLiteral("@radiusMd"), QStringLiteral("6px")},
        {QStringLiteral("@radiusLg"), QStringLiteral("10px")},
        {QStringLiteral("@spacingXs"), QStringLiteral("4px")},
        {QStringLiteral("@spacingSm"), QStringLiteral("8px")},
        {QStringLiteral("@spacingMd"), QStringLiteral("12px")},
        {QStringLiteral("@spacingLg"), QStringLiteral("16px")},
        {QStringLiteral("@fontBody"), points(Theme::fontBody())},
        {QStringLiteral("@fontSm"), points(Theme::fontSm())},
        {QStringLiteral("@fontLg"), points(Theme::fontLg())},
        {QStringLiteral("@sansFamily"), Theme::defaultFontFamily()},
        {QStringLiteral("@arrowDown"), arrowImage("down", false)},
        {QStringLiteral("@arrowUp"), arrowImage("up", false)},
        {QStringLiteral("@arrowDownDisabled"), arrowImage("down", true)},
        {QStringLiteral("@arrowUpDisabled"), arrowImage("up", true)},
    };
    // Longer tokens first, so @accentMuted is never read as @accent + "Muted".
    std::stable_sort(tokens.begin(), tokens.end(), [](const auto &a, const auto &b) {
        return a.first.size() > b.first.size();
    });
    return tokens;
}

} // namespace

namespace Theme {

QColor canvas() { return pick("#F6F7F9", "#14161B"); }
QColor surface() { return pick("#FFFFFF", "#1B1E24"); }
QColor surfaceMuted() { return pick("#F0F1F4", "#23272F"); }
QColor border() { return pick("#E3E5EA", "#2C313A"); }
QColor borderStrong() { return pick("#C9CDD4", "#3A404B"); }
QColor textPrimary() { return pick("#181B22", "#E7E9EE"); }
QColor textMuted() { return pick("#6B707A", "#9AA0AB"); }
QColor textDisabled() { return pick("#A8ADB6", "#5C626D"); }
QColor danger() { return pick("#DC3545", "#E74C3C"); }

QColor accent()
{
    if (!state().accent.isEmpty()) {
        const QColor custom(state().accent);
        if (custom.isValid())
            return custom;
    }
    return pick("#4285F4", "#6BA1F7");
}

QColor accentMuted()
{
    QColor muted = accent();
    muted.setAlpha(state().dark ? 50 : 38);
    return muted;
}

bool isDark()
{
    return state().dark;
}

void setMode(bool dark)
{
    state().dark = dark;
}

void setAccent(const QString &accent)
{
    if (accent == state().accent)
        return;
    state().accent = accent;
}

QString customAccent()
{
    return state().accent;
}

QString fontFamily()
{
    return state().iconFamily;
}

void setFontFamily(const QString &family)
{
    if (family.isEmpty())
        return;
    state().iconFamily = family;
}

QString defaultFontFamily()
{
    return QStringLiteral("IBM Plex Sans");
}

int fontScale()
{
    return state().fontScale;
}

void setFontScale(int percent)
{
    state().fontScale = percent;
}

int fontSm() { return scaled(10); }
int fontBody() { return scaled(11); }
int fontLg() { return scaled(13); }
int fontXl() { return scaled(16); }
int fontXxl() { return scaled(22); }

QString cssColor(const QColor &color)
{
    if (color.alpha() == 255)
        return color.name();
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(QString::number(color.alphaF(), 'f', 3));
}

QIcon colorDotIcon(const QString &color)
{
    QColor fill(color);
    if (!fill.isValid())
        fill = QColor(QStringLiteral("#9aa0a6"));
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(1, 1, 12, 12);
    painter.end();
    return QIcon(pixmap);
}

QIcon tintedIcon(QChar glyph, int size, const QColor &color)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    const int device = qRound(size * ratio);
    QPixmap pixmap(device, device);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(fontFamily());
    font.setPixelSize(size);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString(glyph));
    painter.end();
    return QIcon(pixmap);
}

QString listIndicatorStyleSheet()
{
    return QStringLiteral("QListView::indicator {  width: 14px;  height: 14px;  border: 1px solid %1;"
                          "  border-radius: 3px;  background: %2;}"
                          "QListView::indicator:checked {  background: %3;  border-color: %3;}"
                          "QListView::indicator:hover {  border-color: %3;}")
        .arg(borderStrong().name(), surfaceMuted().name(), accent().name());
}

QString stylesheet()
{
    QFile file(QStringLiteral(":/styles/styles/calendar.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString text = QString::fromUtf8(file.readAll());
    const QList<QPair<QString, QString>> tokens = stylesheetTokens();
    for (const auto &token : tokens)
        text.replace(token.first, token.second, Qt::CaseSensitive);
    return text;
}

} // namespace Theme

void applyFirstDayOfWeek(QDateTimeEdit *edit, Qt::DayOfWeek day)
{
    if (!edit || !edit->calendarPopup())
        return;
    if (QCalendarWidget *calendar = edit->calendarWidget())
        calendar->setFirstDayOfWeek(day);
}
