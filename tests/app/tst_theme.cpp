#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QtTest>

#include "app/theme.h"
#include "app/thememanager.h"

namespace {

QMap<QString, QColor> allRoles()
{
    return {{QStringLiteral("canvas"), Theme::canvas()},
            {QStringLiteral("surface"), Theme::surface()},
            {QStringLiteral("surfaceMuted"), Theme::surfaceMuted()},
            {QStringLiteral("border"), Theme::border()},
            {QStringLiteral("borderStrong"), Theme::borderStrong()},
            {QStringLiteral("textPrimary"), Theme::textPrimary()},
            {QStringLiteral("textMuted"), Theme::textMuted()},
            {QStringLiteral("textDisabled"), Theme::textDisabled()},
            {QStringLiteral("accent"), Theme::accent()},
            {QStringLiteral("accentMuted"), Theme::accentMuted()},
            {QStringLiteral("danger"), Theme::danger()}};
}

QStringList changedRoles(const QMap<QString, QColor> &before, const QMap<QString, QColor> &after)
{
    QStringList changed;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (after.value(it.key()).rgba() != it.value().rgba())
            changed.append(it.key());
    }
    return changed;
}

QList<QPalette::ColorRole> changedPaletteRoles(const QPalette &before, const QPalette &after)
{
    QList<QPalette::ColorRole> changed;
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        for (int group = 0; group < QPalette::NColorGroups; ++group) {
            const auto g = QPalette::ColorGroup(group);
            const auto r = QPalette::ColorRole(role);
            if (before.color(g, r) != after.color(g, r)) {
                changed.append(r);
                break;
            }
        }
    }
    return changed;
}

} // namespace

class TestTheme : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanupTestCase();

    void cssColorText_data();
    void cssColorText();
    void accentOverride_data();
    void accentOverride();
    void accentOverrideChangesOnlyAccentRoles_data();
    void accentOverrideChangesOnlyAccentRoles();
    void stylesheetHasNoUnsubstitutedToken_data();
    void stylesheetHasNoUnsubstitutedToken();
    void stylesheetFontSizesFollowScale_data();
    void stylesheetFontSizesFollowScale();
    void fontSizesNeverDropBelowOnePoint();
    void paletteRolesComeFromTheTheme_data();
    void paletteRolesComeFromTheTheme();
    void listIndicatorStyleSheetUsesAccent();
    void colorDotIconDrawsSwatch_data();
    void colorDotIconDrawsSwatch();
    void tintedIconFollowsDevicePixelRatio();
    void iconFontFamilyIgnoresEmpty();
    void embeddedFontsLoad_data();
    void embeddedFontsLoad();
    void firstDayOfWeekReachesPopupCalendar();
};

void TestTheme::init()
{
    Theme::setMode(false);
    Theme::setAccent(QString());
    Theme::setFontScale(100);
}

void TestTheme::cleanupTestCase()
{
    init();
}

void TestTheme::cssColorText_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("css");
    QTest::newRow("opaque is lower-case hex") << QColor(QStringLiteral("#4285F4")) << "#4285f4";
    QTest::newRow("alpha 38") << QColor(66, 133, 244, 38) << "rgba(66, 133, 244, 0.149)";
    QTest::newRow("alpha 50") << QColor(107, 161, 247, 50) << "rgba(107, 161, 247, 0.196)";
    QTest::newRow("transparent") << QColor(0, 0, 0, 0) << "rgba(0, 0, 0, 0.000)";
    QTest::newRow("alpha 254") << QColor(1, 2, 3, 254) << "rgba(1, 2, 3, 0.996)";
}

void TestTheme::cssColorText()
{
    QFETCH(QColor, color);
    QFETCH(QString, css);
    QCOMPARE(Theme::cssColor(color), css);
}

void TestTheme::accentOverride_data()
{
    QTest::addColumn<QString>("accent");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("accentCss");
    QTest::addColumn<QString>("mutedCss");
    QTest::newRow("custom, light") << "#ff0000" << false << "#ff0000" << "rgba(255, 0, 0, 0.149)";
    QTest::newRow("custom, dark") << "#ff0000" << true << "#ff0000" << "rgba(255, 0, 0, 0.196)";
    QTest::newRow("named colour") << "green" << false << "#008000" << "rgba(0, 128, 0, 0.149)";
    QTest::newRow("built-in, light") << "" << false << "#4285f4" << "rgba(66, 133, 244, 0.149)";
    QTest::newRow("built-in, dark") << "" << true << "#6ba1f7" << "rgba(107, 161, 247, 0.196)";
    QTest::newRow("unparsable falls back") << "not-a-colour" << true << "#6ba1f7"
                                           << "rgba(107, 161, 247, 0.196)";
}

void TestTheme::accentOverride()
{
    QFETCH(QString, accent);
    QFETCH(bool, dark);
    QFETCH(QString, accentCss);
    QFETCH(QString, mutedCss);

    Theme::setMode(dark);
    Theme::setAccent(accent);
    QCOMPARE(Theme::customAccent(), accent);
    QCOMPARE(Theme::cssColor(Theme::accent()), accentCss);
    QCOMPARE(Theme::cssColor(Theme::accentMuted()), mutedCss);

    const QString sheet = Theme::stylesheet();
    QVERIFY(sheet.contains(QStringLiteral("border-color: ") + accentCss + QLatin1Char(';')));
    QVERIFY(sheet.contains(QStringLiteral("background: ") + mutedCss + QLatin1Char(';')));
}

void TestTheme::accentOverrideChangesOnlyAccentRoles_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

void TestTheme::accentOverrideChangesOnlyAccentRoles()
{
    QFETCH(bool, dark);
    Theme::setMode(dark);
    const QMap<QString, QColor> before = allRoles();
    const QPalette paletteBefore = ThemeManager::buildPalette();

    Theme::setAccent(QStringLiteral("#ff0000"));

    QCOMPARE(changedRoles(before, allRoles()),
             (QStringList{QStringLiteral("accent"), QStringLiteral("accentMuted")}));
    QCOMPARE(changedPaletteRoles(paletteBefore, ThemeManager::buildPalette()),
             QList<QPalette::ColorRole>{QPalette::Highlight});
}

void TestTheme::stylesheetHasNoUnsubstitutedToken_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("accent");
    QTest::newRow("light") << false << QString();
    QTest::newRow("dark") << true << QString();
    QTest::newRow("dark, custom accent") << true << QStringLiteral("#123456");
}

void TestTheme::stylesheetHasNoUnsubstitutedToken()
{
    QFETCH(bool, dark);
    QFETCH(QString, accent);
    Theme::setMode(dark);
    Theme::setAccent(accent);

    const QString sheet = Theme::stylesheet();
    QVERIFY2(!sheet.isEmpty(), "the stylesheet resource is missing");
    const QRegularExpressionMatch token = QRegularExpression(QStringLiteral("@\\w+")).match(sheet);
    QVERIFY2(!token.hasMatch(), qPrintable(token.captured()));
    // A shorter token replaced first would leave its longer name's tail.
    for (const char *tail : {"Muted", "Strong", "Primary", "Disabled", "Family"})
        QVERIFY2(!sheet.contains(QLatin1String(tail)), tail);

    QVERIFY(sheet.contains(QStringLiteral("font-family: \"IBM Plex Sans\";")));
    QVERIFY(sheet.contains(QStringLiteral("background: ") + Theme::cssColor(Theme::canvas())));
    QVERIFY(sheet.contains(QStringLiteral("alternate-background-color: ")
                           + Theme::cssColor(Theme::surfaceMuted())));
    QVERIFY(sheet.contains(QStringLiteral("background: ") + Theme::cssColor(Theme::borderStrong())));
    QVERIFY(sheet.contains(QStringLiteral("border-radius: 6px")));
    // Check boxes are left to the proxy style.
    QVERIFY(!sheet.contains(QStringLiteral("QCheckBox::indicator")));
}

void TestTheme::stylesheetFontSizesFollowScale_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("small");
    QTest::addColumn<QString>("large");
    QTest::newRow("70 %") << 70 << "7pt" << "7pt" << "9pt";
    QTest::newRow("100 %") << 100 << "11pt" << "10pt" << "13pt";
    QTest::newRow("150 %") << 150 << "16pt" << "15pt" << "19pt";
    QTest::newRow("200 %") << 200 << "22pt" << "20pt" << "26pt";
}

void TestTheme::stylesheetFontSizesFollowScale()
{
    QFETCH(int, percent);
    QFETCH(QString, body);
    QFETCH(QString, small);
    QFETCH(QString, large);
    Theme::setFontScale(percent);
    const QString sheet = Theme::stylesheet();
    QVERIFY(sheet.contains(QStringLiteral("font-size: ") + body + QLatin1Char(';')));
    QVERIFY(sheet.contains(QStringLiteral("font-size: ") + small + QLatin1Char(';')));
    QCOMPARE(QString::number(Theme::fontBody()) + QStringLiteral("pt"), body);
    QCOMPARE(QString::number(Theme::fontSm()) + QStringLiteral("pt"), small);
    QCOMPARE(QString::number(Theme::fontLg()) + QStringLiteral("pt"), large);
}

void TestTheme::fontSizesNeverDropBelowOnePoint()
{
    Theme::setFontScale(1);
    QCOMPARE(Theme::fontSm(), 1);
    QCOMPARE(Theme::fontBody(), 1);
    QCOMPARE(Theme::fontXxl(), 1);
    Theme::setFontScale(200);
    QCOMPARE(Theme::fontXl(), 32);
    QCOMPARE(Theme::fontXxl(), 44);
}

void TestTheme::paletteRolesComeFromTheTheme_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

void TestTheme::paletteRolesComeFromTheTheme()
{
    QFETCH(bool, dark);
    Theme::setMode(dark);
    const QPalette base;
    const QPalette palette = ThemeManager::buildPalette();
    QCOMPARE(palette.color(QPalette::Active, QPalette::Window), Theme::canvas());
    QCOMPARE(palette.color(QPalette::Inactive, QPalette::Base), Theme::surface());
    QCOMPARE(palette.color(QPalette::ToolTipBase), Theme::textPrimary());
    QCOMPARE(palette.color(QPalette::ToolTipText), Theme::surface());
    QCOMPARE(palette.color(QPalette::BrightText), Theme::danger());
    QCOMPARE(palette.color(QPalette::HighlightedText), QColor(Qt::white));
    QCOMPARE(palette.color(QPalette::Dark), Theme::borderStrong());
    QCOMPARE(palette.color(QPalette::Active, QPalette::Text), Theme::textPrimary());
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        QCOMPARE(palette.color(QPalette::Disabled, role), Theme::textDisabled());
    // Roles the theme does not own keep the default palette's values.
    for (const QPalette::ColorRole role : {QPalette::PlaceholderText, QPalette::Link, QPalette::Shadow})
        QCOMPARE(palette.color(role), base.color(role));
}

void TestTheme::listIndicatorStyleSheetUsesAccent()
{
    Theme::setAccent(QStringLiteral("#AA0011"));
    QCOMPARE(Theme::listIndicatorStyleSheet(),
             QStringLiteral("QListView::indicator {  width: 14px;  height: 14px;  border: 1px solid #c9cdd4;"
                            "  border-radius: 3px;  background: #f0f1f4;}QListView::indicator:checked {"
                            "  background: #aa0011;  border-color: #aa0011;}QListView::indicator:hover {"
                            "  border-color: #aa0011;}"));
}

void TestTheme::colorDotIconDrawsSwatch_data()
{
    QTest::addColumn<QString>("color");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("hex") << "#D50000" << QColor(0xD5, 0, 0);
    QTest::newRow("unparsable draws grey") << "#12" << QColor(QStringLiteral("#9aa0a6"));
    QTest::newRow("empty draws grey") << "" << QColor(QStringLiteral("#9aa0a6"));
}

void TestTheme::colorDotIconDrawsSwatch()
{
    QFETCH(QString, color);
    QFETCH(QColor, expected);
    const QIcon icon = Theme::colorDotIcon(color);
    const QList<QSize> sizes = icon.availableSizes();
    QCOMPARE(sizes, QList<QSize>{QSize(14, 14)});
    const QImage image = icon.pixmap(14, 14).toImage().convertToFormat(QImage::Format_ARGB32);
    // The pixmap ignores the device pixel ratio.
    QCOMPARE(image.size(), QSize(14, 14));
    QCOMPARE(image.pixelColor(7, 7).rgb(), expected.rgb());
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(13, 13).alpha(), 0);
}

void TestTheme::tintedIconFollowsDevicePixelRatio()
{
    QCOMPARE(qApp->devicePixelRatio(), 1.5);
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/MaterialIcons-Regular.otf"));
    QVERIFY(id >= 0);
    Theme::setFontFamily(QFontDatabase::applicationFontFamilies(id).value(0));

    const QColor tint(200, 30, 40);
    const QIcon icon = Theme::tintedIcon(QChar(0xe5ca), 16, tint); // "check"
    const QPixmap pixmap = icon.pixmap(QSize(16, 16));
    QCOMPARE(pixmap.size(), QSize(24, 24));
    QCOMPARE(pixmap.devicePixelRatio(), 1.5);

    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int tinted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 255 && c.rgb() == tint.rgb())
                ++tinted;
        }
    }
    QVERIFY2(tinted > 10, qPrintable(QString::number(tinted)));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
}

void TestTheme::iconFontFamilyIgnoresEmpty()
{
    Theme::setFontFamily(QStringLiteral("Material Icons"));
    Theme::setFontFamily(QString());
    QCOMPARE(Theme::fontFamily(), QStringLiteral("Material Icons"));
    QCOMPARE(Theme::defaultFontFamily(), QStringLiteral("IBM Plex Sans"));
}

void TestTheme::embeddedFontsLoad_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("family");
    QTest::newRow("sans") << ":/fonts/IBMPlexSans.ttf" << "IBM Plex Sans";
    QTest::newRow("sans italic") << ":/fonts/IBMPlexSans-Italic.ttf" << "IBM Plex Sans";
    QTest::newRow("mono") << ":/fonts/IBMPlexMono-Medium.ttf" << "IBM Plex Mono";
    QTest::newRow("icons") << ":/fonts/MaterialIcons-Regular.otf" << "Material Icons";
}

void TestTheme::embeddedFontsLoad()
{
    QFETCH(QString, path);
    QFETCH(QString, family);
    const int id = QFontDatabase::addApplicationFont(path);
    QVERIFY2(id >= 0, qPrintable(path));
    QVERIFY(QFontDatabase::applicationFontFamilies(id).value(0).startsWith(family));
}

void TestTheme::firstDayOfWeekReachesPopupCalendar()
{
    QDateEdit popup;
    popup.setCalendarPopup(true);
    applyFirstDayOfWeek(&popup, Qt::Wednesday);
    QCOMPARE(popup.calendarWidget()->firstDayOfWeek(), Qt::Wednesday);

    QDateEdit plain;
    applyFirstDayOfWeek(&plain, Qt::Wednesday);
    QVERIFY(!plain.calendarPopup());
    applyFirstDayOfWeek(nullptr, Qt::Monday);
}

// The whole test runs at a device pixel ratio of 1.5, as on a scaled display.
int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    TestTheme test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_theme.moc"
