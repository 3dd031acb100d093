#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QtTest>

#include "app/theme/theme.h"
#include "app/theme/thememanager.h"

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
    void init()
    {
        Theme::setMode(false);
        Theme::setAccent(QString());
        Theme::setFontScale(100);
    }

    void cleanupTestCase()
    {
        init();
    }

    void cssColorText_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("css");
        QTest::newRow("opaque is lower-case hex") << QColor(QStringLiteral("#4285F4")) << "#4285f4";
        QTest::newRow("alpha 38") << QColor(66, 133, 244, 38) << "rgba(66, 133, 244, 0.149)";
        QTest::newRow("transparent") << QColor(0, 0, 0, 0) << "rgba(0, 0, 0, 0.000)";
        QTest::newRow("alpha 254 is not opaque") << QColor(1, 2, 3, 254) << "rgba(1, 2, 3, 0.996)";
    }

    void cssColorText()
    {
        QFETCH(QColor, color);
        QFETCH(QString, css);
        QCOMPARE(Theme::cssColor(color), css);
    }

    void accentOverride_data()
    {
        QTest::addColumn<QString>("accent");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("accentCss");
        QTest::addColumn<QString>("mutedCss");
        QTest::newRow("custom, dark") << "#ff0000" << true << "#ff0000" << "rgba(255, 0, 0, 0.196)";
        QTest::newRow("named colour") << "green" << false << "#008000" << "rgba(0, 128, 0, 0.149)";
        QTest::newRow("built-in, light") << "" << false << "#4285f4" << "rgba(66, 133, 244, 0.149)";
        QTest::newRow("unparsable falls back") << "not-a-colour" << true << "#6ba1f7"
                                               << "rgba(107, 161, 247, 0.196)";
    }

    void accentOverride()
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

    void accentOverrideChangesOnlyAccentRoles_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }

    void accentOverrideChangesOnlyAccentRoles()
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

    void stylesheetHasNoUnsubstitutedToken_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("accent");
        QTest::newRow("light") << false << QString();
        QTest::newRow("dark") << true << QString();
        QTest::newRow("dark, custom accent") << true << QStringLiteral("#123456");
    }

    void stylesheetHasNoUnsubstitutedToken()
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
        QVERIFY(sheet.contains(QStringLiteral("alternate-background-color: ")
                               + Theme::cssColor(Theme::surfaceMuted())));
        // Check boxes are left to the proxy style.
        QVERIFY(!sheet.contains(QStringLiteral("QCheckBox::indicator")));
    }

    void stylesheetFontSizesFollowScale_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("small");
        QTest::addColumn<QString>("large");
        QTest::newRow("70 %") << 70 << "7pt" << "7pt" << "9pt";
        QTest::newRow("150 %") << 150 << "16pt" << "15pt" << "19pt";
    }

    void stylesheetFontSizesFollowScale()
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

    void fontSizesNeverDropBelowOnePoint()
    {
        Theme::setFontScale(1);
        QCOMPARE(Theme::fontSm(), 1);
        QCOMPARE(Theme::fontBody(), 1);
        QCOMPARE(Theme::fontXxl(), 1);
        Theme::setFontScale(200);
        QCOMPARE(Theme::fontXl(), 32);
        QCOMPARE(Theme::fontXxl(), 44);
    }

    void listIndicatorStyleSheetUsesAccent()
    {
        Theme::setAccent(QStringLiteral("#AA0011"));
        QVERIFY(Theme::listIndicatorStyleSheet().contains(QStringLiteral("checked {  background: #aa0011;")));
    }

    void colorDotIconDrawsSwatch_data()
    {
        QTest::addColumn<QString>("color");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("hex") << "#D50000" << QColor(0xD5, 0, 0);
        QTest::newRow("unparsable draws grey") << "#12" << QColor(QStringLiteral("#9aa0a6"));
        QTest::newRow("empty draws grey") << "" << QColor(QStringLiteral("#9aa0a6"));
    }

    void colorDotIconDrawsSwatch()
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

    void tintedIconFollowsDevicePixelRatio()
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

    void iconFontFamilyIgnoresEmpty()
    {
        Theme::setFontFamily(QStringLiteral("Material Icons"));
        Theme::setFontFamily(QString());
        QCOMPARE(Theme::fontFamily(), QStringLiteral("Material Icons"));
        QCOMPARE(Theme::defaultFontFamily(), QStringLiteral("IBM Plex Sans"));
    }

    void embeddedFontsLoad_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("family");
        QTest::newRow("sans") << ":/fonts/IBMPlexSans.ttf" << "IBM Plex Sans";
        QTest::newRow("sans italic") << ":/fonts/IBMPlexSans-Italic.ttf" << "IBM Plex Sans";
        QTest::newRow("mono") << ":/fonts/IBMPlexMono-Medium.ttf" << "IBM Plex Mono";
        QTest::newRow("icons") << ":/fonts/MaterialIcons-Regular.otf" << "Material Icons";
    }

    void embeddedFontsLoad()
    {
        QFETCH(QString, path);
        QFETCH(QString, family);
        const int id = QFontDatabase::addApplicationFont(path);
        QVERIFY2(id >= 0, qPrintable(path));
        QVERIFY(QFontDatabase::applicationFontFamilies(id).value(0).startsWith(family));
    }

    void firstDayOfWeekReachesPopupCalendar()
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
};

// The whole test runs at a device pixel ratio of 1.5, as on a scaled display.
int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    TestTheme test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_theme.moc"
