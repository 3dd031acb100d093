#include "app/appstate.h"
#include "dialogs/accounts/webcalsubscriptiondialog.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/webcal/webcalsyncclient.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

// "Add Subscription": which URLs are taken, how the calendar is named, and
// the calendar row it stores.
class TestWebcalSubscriptionDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    QList<Calendar> m_fetched;

    AppState *state() const { return m_fixture->state(); }

    std::unique_ptr<WebcalSubscriptionDialog> makeDialog()
    {
        return std::make_unique<WebcalSubscriptionDialog>(
            state(), nullptr, [this](AppState *, const Calendar &calendar) { m_fetched.append(calendar); });
    }

    static void subscribe(WebcalSubscriptionDialog &dialog, const QString &url, const QString &name = QString())
    {
        dialog.findChild<QLineEdit *>(QStringLiteral("urlEdit"))->setText(url);
        dialog.findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(name);
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    }

    QList<Calendar> subscriptions() const
    {
        return state()->calendars()->getByAccount(QString::fromLatin1(Webcal::SyncClient::SubscriptionsAccountId));
    }

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        m_fetched.clear();
    }

    void cleanup() { m_fixture.reset(); }

    void feedUrlsAreTakenAndOthersRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("storedName");
        QTest::newRow("https") << " https://feeds.example.org/team.ics " << "" << "feeds.example.org";
        QTest::newRow("http") << "http://feeds.example.org/team.ics" << "" << "feeds.example.org";
        QTest::newRow("webcal kept as typed") << "webcal://cal.example.net/x.ics" << "" << "cal.example.net";
        QTest::newRow("webcals") << "webcals://cal.example.net/x.ics" << "" << "cal.example.net";
        QTest::newRow("no host") << "https:feed.ics" << "" << "New Subscription";
        QTest::newRow("only spaces") << "   " << "QMessageBox Enter a feed URL to subscribe." << "";
        QTest::newRow("no scheme") << "example.com/feed.ics"
                                   << "QMessageBox Couldn't parse \"example.com/feed.ics\". Provide a full URL "
                                      "(https://, http://, or webcal://)."
                                   << "";
        QTest::newRow("file") << "file:///etc/passwd"
                              << "QMessageBox Couldn't parse \"file:///etc/passwd\". Provide a full URL (https://, "
                                 "http://, or webcal://)."
                              << "";
        QTest::newRow("ftp") << "ftp://example.com/feed.ics"
                             << "QMessageBox Couldn't parse \"ftp://example.com/feed.ics\". Provide a full URL "
                                "(https://, http://, or webcal://)."
                             << "";
    }

    void feedUrlsAreTakenAndOthersRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QFETCH(QString, storedName);
        auto dialog = makeDialog();
        ModalAnswerer answerer;
        if (!refusal.isEmpty())
            answerer.pressButton(QMessageBox::Ok);
        subscribe(*dialog, typed);
        if (!refusal.isEmpty()) {
            QCOMPARE(answerer.seen(), QStringList{refusal});
            QCOMPARE(dialog->result(), int(QDialog::Rejected));
            QVERIFY(subscriptions().isEmpty());
            QVERIFY(m_fetched.isEmpty());
            return;
        }
        QCOMPARE(answerer.seen(), QStringList());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        const QList<Calendar> stored = subscriptions();
        QCOMPARE(stored.size(), 1);
        Calendar expected = stored.first();
        expected.url = typed.trimmed();
        expected.name = storedName;
        expected.color = QStringLiteral("#4285F4");
        expected.is_read_only = true;
        expected.is_visible = true;
        expected.canonical_key = Sync::canonicalCalendarKey(QStringLiteral("webcal"), typed.trimmed()).value();
        QCOMPARE(stored.first(), expected);
        QCOMPARE(m_fetched.size(), 1);
        Calendar handed = m_fetched.first();
        handed.created_at = stored.first().created_at;
        handed.updated_at = stored.first().updated_at;
        QCOMPARE(handed, stored.first());
    }

    void chosenNameAndColourAreKeptAndTwoSubscriptionsAreTwoCalendars()
    {
        auto dialog = makeDialog();
        ModalAnswerer answerer;
        answerer.answer([](QWidget *window) {
            auto *colors = qobject_cast<QColorDialog *>(window);
            QVERIFY(colors);
            colors->setCurrentColor(QColor(QStringLiteral("#336699")));
            colors->accept();
        });
        answerer.answer([](QWidget *window) { qobject_cast<QDialog *>(window)->reject(); });
        auto *colorButton = dialog->findChild<QToolButton *>(QStringLiteral("colorButton"));
        colorButton->click();
        colorButton->click(); // cancelled: the first choice stays
        QVERIFY(colorButton->styleSheet().contains(QStringLiteral("#336699")));
        subscribe(*dialog, QStringLiteral("https://example.org/a.ics"), QStringLiteral("  Team games "));
        auto second = makeDialog();
        subscribe(*second, QStringLiteral("https://example.org/a.ics"));
        const QList<Calendar> stored = subscriptions();
        QCOMPARE(stored.size(), 2);
        QStringList names{stored.at(0).name, stored.at(1).name};
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("Team games"), QStringLiteral("example.org")}));
        for (const Calendar &calendar : stored) {
            QCOMPARE(calendar.color, calendar.name == QLatin1String("Team games") ? QStringLiteral("#336699")
                                                                                   : QStringLiteral("#4285F4"));
            QCOMPARE(calendar.canonical_key, stored.first().canonical_key);
        }
        QVERIFY(stored.at(0).id != stored.at(1).id);
    }
};

QTEST_MAIN(TestWebcalSubscriptionDialog)
#include "tst_webcalsubscriptiondialog.moc"
