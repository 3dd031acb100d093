// Colours from servers, invitations and pulled settings reach the colour
// swatches' style sheets only as colours: text that would end its rule and
// add rules of its own shows the default colour instead.
#include "app/appstate.h"
#include "app/theme/thememanager.h"
#include "dialogs/accounts/settingsdialog.h"
#include "dialogs/editing/eventformdialog.h"
#include "dialogs/editing/templateeditordialog.h"
#include "store/event.h"
#include "store/eventtemplate.h"
#include "tests/support/widgetfixture.h"

#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

#include <memory>

class TestOutsideColours : public QObject
{
    Q_OBJECT

    std::unique_ptr<WidgetFixture> m_fixture;

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
    }

    void cleanup()
    {
        m_fixture->state()->themeManager()->setAccentColor(QString());
        m_fixture.reset();
    }

    void swatchHoldsOnlyAColour_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("shown");
        for (const char *site : {"event", "template", "accent"}) {
            QTest::addRow("%s, valid", site) << site << "#112233" << "#112233";
            QTest::addRow("%s, short form", site) << site << "#abc" << "#aabbcc";
            QTest::addRow("%s, translucent", site) << site << " #80112233 " << "#80112233";
            QTest::addRow("%s, second declaration", site)
                << site << "red; background-image: url(file:///dev/zero)" << "#4285f4";
            QTest::addRow("%s, closed rule", site) << site << "#fff} QWidget { font-size: 200px" << "#4285f4";
        }
    }

    void swatchHoldsOnlyAColour()
    {
        QFETCH(QString, site);
        QFETCH(QString, colour);
        QFETCH(QString, shown);
        const QString sheet = swatchSheet(site, colour);
        QCOMPARE(sheet.count(QLatin1Char('{')), 1);
        QCOMPARE(sheet.count(QLatin1Char('}')), 1);
        QCOMPARE(sheet.count(QLatin1Char(';')), 3);
        const QRegularExpressionMatch background =
            QRegularExpression(QStringLiteral("\\{ background: ([^;]*);")).match(sheet);
        QVERIFY2(background.hasMatch(), qPrintable(sheet));
        QCOMPARE(background.captured(1).toLower(), shown);
    }

private:
    QString swatchSheet(const QString &site, const QString &colour)
    {
        AppState *state = m_fixture->state();
        if (site == QLatin1String("event")) {
            Event event = WidgetFixture::timedEvent(QStringLiteral("Call"), QDateTime(QDate(2026, 3, 10), QTime(10, 0)),
                                                    QDateTime(QDate(2026, 3, 10), QTime(11, 0)));
            event.color = colour;
            EventFormDialog dialog(state, m_fixture->addEvent(event));
            return dialog.findChild<QToolButton *>(QStringLiteral("colorSwatch"))->styleSheet();
        }
        if (site == QLatin1String("template")) {
            EventTemplate tpl;
            tpl.name = QStringLiteral("Call");
            tpl.color = colour;
            TemplateEditorDialog dialog(state, tpl);
            return dialog.findChild<QToolButton *>(QStringLiteral("templateColor"))->styleSheet();
        }
        state->themeManager()->setAccentColor(colour);
        SettingsDialog dialog(state, state->themeManager());
        return dialog.findChild<QToolButton *>(QStringLiteral("accentSwatch"))->styleSheet();
    }
};

QTEST_MAIN(TestOutsideColours)
#include "tst_outsidecolours.moc"
