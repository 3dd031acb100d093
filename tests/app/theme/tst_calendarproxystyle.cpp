#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QPainter>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <QtTest>

#include "app/theme/calendarproxystyle.h"
#include "app/theme/theme.h"
#include "app/theme/thememanager.h"

namespace {

// Antialiased edges blend a little; solid areas must match closely.
bool near(const QColor &actual, const QColor &expected, int tolerance = 8)
{
    return std::abs(actual.red() - expected.red()) <= tolerance
           && std::abs(actual.green() - expected.green()) <= tolerance
           && std::abs(actual.blue() - expected.blue()) <= tolerance && actual.alpha() >= 250;
}

QString describe(const QColor &actual, const QColor &expected)
{
    return QStringLiteral("got %1 (alpha %2), expected %3")
        .arg(actual.name(), QString::number(actual.alpha()), expected.name());
}

QImage paintIndicator(const CalendarProxyStyle &style, QStyle::PrimitiveElement element,
                      QStyle::State state)
{
    QImage image(18, 18, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QStyleOptionButton option;
    option.rect = QRect(0, 0, 18, 18);
    option.state = state;
    QPainter painter(&image);
    style.drawPrimitive(element, &option, &painter);
    painter.end();
    return image;
}

constexpr QStyle::State enabledOn = QStyle::State_Enabled | QStyle::State_On;

} // namespace

#define QVERIFY_COLOR(image, x, y, expected)                                                       \
    QVERIFY2(near((image).pixelColor((x), (y)), (expected)),                                       \
             qPrintable(describe((image).pixelColor((x), (y)), (expected))))

static QColor roleColor(const QString &role)
{
    if (role == QLatin1String("textPrimary"))
        return Theme::textPrimary();
    if (role == QLatin1String("textDisabled"))
        return Theme::textDisabled();
    if (role == QLatin1String("surface"))
        return Theme::surface();
    if (role == QLatin1String("surfaceMuted"))
        return Theme::surfaceMuted();
    if (role == QLatin1String("accent"))
        return Theme::accent();
    return QColor();
}

// How many pixels of each row of the region are near the colour, for the
// rows that have any: the outline of a shape drawn in that colour.
QList<int> rowWidths(const QImage &image, const QRect &region, const QColor &color)
{
    QList<int> widths;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        int count = 0;
        for (int x = region.left(); x <= region.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - color.red()) + std::abs(pixel.green() - color.green())
                    + std::abs(pixel.blue() - color.blue()) <= 30)
                ++count;
        }
        if (count > 0)
            widths.append(count);
    }
    return widths;
}

// A triangle pointing down: at least three rows, the first clearly wider
// than the last; pointing up, the other way round.
bool isTriangle(const QList<int> &widths, bool down)
{
    if (widths.size() < 3)
        return false;
    return down ? widths.first() >= widths.last() + 4 : widths.last() >= widths.first() + 4;
}

QString describe(const QList<int> &widths)
{
    QStringList parts;
    for (int width : widths)
        parts.append(QString::number(width));
    return parts.join(QLatin1Char(' '));
}

void installLook(bool dark)
{
    QApplication::setStyle(new CalendarProxyStyle);
    Theme::setMode(dark);
    QApplication::setPalette(ThemeManager::buildPalette());
    qApp->setStyleSheet(Theme::stylesheet());
}

// The pixel of the rectangle that differs most from the background: the
// core of a glyph, in the colour the text is drawn with.
QColor inkOf(const QImage &image, const QRect &rect, const QColor &background)
{
    QColor ink = background;
    int farthest = -1;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - background.red()) + std::abs(pixel.green() - background.green())
                                 + std::abs(pixel.blue() - background.blue());
            if (distance > farthest) {
                farthest = distance;
                ink = pixel;
            }
        }
    }
    return ink;
}

// A desktop whose style puts stock icons on dialog buttons, as GNOME's and
// KDE's do.
class IconButtonsStyle : public QProxyStyle
{
public:
    IconButtonsStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

class TestCalendarProxyStyle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        Theme::setMode(false);
        Theme::setAccent(QString());
    }

    void cleanupTestCase()
    {
        init();
        qApp->setStyleSheet(QString());
    }

    void indicatorsAreEighteenPixels()
    {
        for (const QStyle::PixelMetric metric :
             {QStyle::PM_IndicatorWidth, QStyle::PM_IndicatorHeight, QStyle::PM_ExclusiveIndicatorWidth,
              QStyle::PM_ExclusiveIndicatorHeight})
            QCOMPARE(m_style.pixelMetric(metric), 18);
    }

    void checkIndicatorStates_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("fill");

        QTest::newRow("off") << int(QStyle::State_Enabled) << "textPrimary" << "surfaceMuted";
        QTest::newRow("hovered") << int(QStyle::State_Enabled | QStyle::State_MouseOver) << "accent"
                                 << "surfaceMuted";
        QTest::newRow("on") << int(enabledOn) << "accent" << "accent";
        QTest::newRow("disabled hovered") << int(QStyle::State_MouseOver) << "textDisabled" << "surface";
    }

    void checkIndicatorStates()
    {
        QFETCH(int, state);
        QFETCH(QString, outline);
        QFETCH(QString, fill);
        const QImage image = paintIndicator(m_style, QStyle::PE_IndicatorCheckBox, QStyle::State(state));
        // Middle of each edge: the 2-pixel outline around the box inset by 1.
        QVERIFY_COLOR(image, 1, 9, roleColor(outline));
        QVERIFY_COLOR(image, 16, 9, roleColor(outline));
        QVERIFY_COLOR(image, 9, 1, roleColor(outline));
        // Inside, clear of the tick.
        QVERIFY_COLOR(image, 4, 4, roleColor(fill));
        // The rounded corner leaves the very corner transparent.
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    }

    void tickIsWhiteOnAccentAndDisabledBoxes_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("tick");
        QTest::newRow("on") << int(enabledOn) << true;
        QTest::newRow("disabled on") << int(QStyle::State_On) << true;
        QTest::newRow("partial paints as off") << int(QStyle::State_Enabled | QStyle::State_NoChange) << false;
    }

    void tickIsWhiteOnAccentAndDisabledBoxes()
    {
        QFETCH(int, state);
        QFETCH(bool, tick);
        Theme::setMode(true); // the dark surface makes the disabled tick visible
        const QImage image = paintIndicator(m_style, QStyle::PE_IndicatorCheckBox, QStyle::State(state));
        // The tick's bend sits at (cx - 0.06 s, cy + 0.22 s) of the 16-pixel box.
        const QColor bend = image.pixelColor(8, 12);
        QCOMPARE(near(bend, Qt::white), tick);
    }

    void itemViewCheckPaintsLikeCheckBox()
    {
        const QImage box = paintIndicator(m_style, QStyle::PE_IndicatorCheckBox, enabledOn);
        const QImage item = paintIndicator(m_style, QStyle::PE_IndicatorItemViewItemCheck, enabledOn);
        QCOMPARE(item, box);
    }

    void radioIndicatorStates_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("outline");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<QString>("dot");
        QTest::newRow("hovered") << int(QStyle::State_Enabled | QStyle::State_MouseOver) << "accent"
                                 << "surfaceMuted" << QString();
        QTest::newRow("on") << int(enabledOn) << "accent" << "surface" << "accent";
        QTest::newRow("disabled on") << int(QStyle::State_On) << "textDisabled" << "surface" << "textDisabled";
    }

    void radioIndicatorStates()
    {
        QFETCH(int, state);
        QFETCH(QString, outline);
        QFETCH(QString, fill);
        QFETCH(QString, dot);
        Theme::setMode(true);
        const QImage image = paintIndicator(m_style, QStyle::PE_IndicatorRadioButton, QStyle::State(state));
        QVERIFY_COLOR(image, 9, 1, roleColor(outline));
        QVERIFY_COLOR(image, 3, 9, roleColor(fill));
        // The dot has radius 0.26 s about the centre.
        QVERIFY_COLOR(image, 9, 9, dot.isEmpty() ? roleColor(fill) : roleColor(dot));
        QCOMPARE(image.pixelColor(1, 1).alpha(), 0);
    }

    void checkFollowsAccentAtOnce()
    {
        QImage image = paintIndicator(m_style, QStyle::PE_IndicatorCheckBox, enabledOn);
        QVERIFY_COLOR(image, 4, 4, QColor(QStringLiteral("#4285F4")));
        Theme::setAccent(QStringLiteral("#d50000"));
        image = paintIndicator(m_style, QStyle::PE_IndicatorCheckBox, enabledOn);
        QVERIFY_COLOR(image, 4, 4, QColor(QStringLiteral("#d50000")));
        QVERIFY_COLOR(image, 1, 9, QColor(QStringLiteral("#d50000")));
    }

    void checkBoxWidgetPaintsThroughStylesheet_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("fill");
        QTest::newRow("checked") << true << true << "accent";
        QTest::newRow("checked disabled") << true << false << "surface";
    }

    void checkBoxWidgetPaintsThroughStylesheet()
    {
        QFETCH(bool, checked);
        QFETCH(bool, enabled);
        QFETCH(QString, fill);

        // The application's own arrangement: the proxy style under the
        // stylesheet, which has no indicator rule of its own.
        QApplication::setStyle(new CalendarProxyStyle);
        QApplication::setPalette(ThemeManager::buildPalette());
        qApp->setStyleSheet(Theme::stylesheet());

        QCheckBox box(QStringLiteral("Show weekends"));
        box.setChecked(checked);
        box.setEnabled(enabled);
        box.resize(box.sizeHint());
        const QImage image = box.grab().toImage().convertToFormat(QImage::Format_ARGB32);

        QStyleOptionButton option;
        option.initFrom(&box);
        const QRect indicator = box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box);
        QCOMPARE(indicator.size(), QSize(18, 18));
        const QPoint at = indicator.topLeft();
        QVERIFY_COLOR(image, at.x() + 4, at.y() + 4, roleColor(fill));
        QVERIFY_COLOR(image, at.x() + 1, at.y() + 9,
                      enabled ? (checked ? Theme::accent() : Theme::textPrimary()) : Theme::textDisabled());
    }

    // Style sheets do not render an arrow made of borders: combo, date and
    // spin box arrows are images in the mode's muted (or disabled) colour.
    void boxArrowsAreTrianglesInTheModeColours_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("light") << false << true;
        QTest::newRow("dark") << true << true;
        QTest::newRow("light, disabled") << false << false;
        QTest::newRow("dark, disabled") << true << false;
    }

    void boxArrowsAreTrianglesInTheModeColours()
    {
        QFETCH(bool, dark);
        QFETCH(bool, enabled);
        installLook(dark);
        const QColor ink = enabled ? Theme::textMuted() : Theme::textDisabled();

        QComboBox combo;
        combo.addItem(QStringLiteral("Personal"));
        QDateEdit date(QDate(2026, 3, 10));
        date.setCalendarPopup(true);
        for (QWidget *box : {static_cast<QWidget *>(&combo), static_cast<QWidget *>(&date)}) {
            box->setEnabled(enabled);
            box->resize(200, 32);
            const QImage image = box->grab().toImage().convertToFormat(QImage::Format_ARGB32);
            const QList<int> widths = rowWidths(image, QRect(box->width() - 24, 2, 22, box->height() - 4), ink);
            QVERIFY2(isTriangle(widths, true), qPrintable(describe(widths)));
        }

        QSpinBox spin;
        spin.setRange(0, 100);
        spin.setValue(50);
        spin.setEnabled(enabled);
        spin.resize(200, 32);
        const QImage image = spin.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QList<int> up = rowWidths(image, QRect(spin.width() - 24, 1, 22, spin.height() / 2 - 1), ink);
        const QList<int> down =
            rowWidths(image, QRect(spin.width() - 24, spin.height() / 2, 22, spin.height() / 2 - 1), ink);
        QVERIFY2(isTriangle(up, false), qPrintable(describe(up)));
        QVERIFY2(isTriangle(down, true), qPrintable(describe(down)));
    }

    // OK, Cancel, Yes and No carry their text alone.
    void dialogButtonsHaveNoStockIcons()
    {
        installLook(false);
        QApplication::setStyle(new CalendarProxyStyle(new IconButtonsStyle));
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes
                                 | QDialogButtonBox::No | QDialogButtonBox::Close);
        QMessageBox box(QMessageBox::Question, QStringLiteral("Delete event?"), QStringLiteral("Delete it?"),
                        QMessageBox::Yes | QMessageBox::No);
        QList<QAbstractButton *> all = buttons.buttons() + box.buttons();
        QCOMPARE(all.size(), 7);
        for (QAbstractButton *button : all)
            QVERIFY2(button->icon().isNull(), qPrintable(button->text()));
    }

    void disabledMenuEntryIsDrawnDisabled_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }

    void disabledMenuEntryIsDrawnDisabled()
    {
        QFETCH(bool, dark);
        installLook(dark);
        QMenu menu;
        QAction *edit = menu.addAction(QStringLiteral("Edit filter"));
        QAction *create = menu.addAction(QStringLiteral("Create filter"));
        create->setEnabled(false);
        menu.resize(menu.sizeHint());
        const QImage image = menu.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QColor enabledInk = inkOf(image, menu.actionGeometry(edit), Theme::surface());
        const QColor disabledInk = inkOf(image, menu.actionGeometry(create), Theme::surface());
        QVERIFY2(near(enabledInk, Theme::textPrimary(), 40), qPrintable(describe(enabledInk, Theme::textPrimary())));
        QVERIFY2(near(disabledInk, Theme::textDisabled(), 40),
                 qPrintable(describe(disabledInk, Theme::textDisabled())));
    }

    void radioButtonWidgetPaintsThroughStylesheet()
    {
        QApplication::setStyle(new CalendarProxyStyle);
        QApplication::setPalette(ThemeManager::buildPalette());
        qApp->setStyleSheet(Theme::stylesheet());

        QRadioButton radio(QStringLiteral("Week"));
        radio.setChecked(true);
        radio.resize(radio.sizeHint());
        const QImage image = radio.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        QStyleOptionButton option;
        option.initFrom(&radio);
        const QRect indicator = radio.style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, &radio);
        QCOMPARE(indicator.size(), QSize(18, 18));
        QVERIFY_COLOR(image, indicator.x() + 9, indicator.y() + 9, Theme::accent());
        QVERIFY_COLOR(image, indicator.x() + 3, indicator.y() + 9, Theme::surface());
    }

private:
    CalendarProxyStyle m_style;
};

QTEST_MAIN(TestCalendarProxyStyle)
#include "tst_calendarproxystyle.moc"
