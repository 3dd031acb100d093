#include "app/appstate.h"
#include "dialogs/accounts/holidaypickerdialog.h"
#include "dialogs/accounts/subscriptioncalendar.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/core/canonicalcalendarkey.h"
#include "sync/webcal/holidaycatalog.h"
#include "sync/webcal/webcalsyncclient.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/sync/syncorchestrator.h"

#include <QLabel>
#include <QMessageBox>
#include <QTcpServer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// The holiday picker: the filtered tree of regions and countries, and one
// click subscribing to a country's feed.
class TestHolidayPickerDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    QList<Calendar> m_fetched;

    AppState *state() const { return m_fixture->state(); }

    std::unique_ptr<HolidayPickerDialog> makeDialog()
    {
        return std::make_unique<HolidayPickerDialog>(
            state(), nullptr, [this](AppState *, const Calendar &calendar) { m_fetched.append(calendar); });
    }

    static QTreeWidget *tree(const QWidget &dialog)
    {
        return dialog.findChild<QTreeWidget *>(QStringLiteral("holidayTree"));
    }

    // "Region" rows, then "  Country: Subscribe" or "  Country: Subscribed".
    static QStringList describe(const QWidget &dialog)
    {
        QStringList lines;
        QTreeWidget *view = tree(dialog);
        for (int i = 0; i < view->topLevelItemCount(); ++i) {
            QTreeWidgetItem *region = view->topLevelItem(i);
            lines.append(region->text(0) + (region->isExpanded() || region->childCount() == 0 ? "" : " (folded)"));
            for (int j = 0; j < region->childCount(); ++j) {
                QTreeWidgetItem *country = region->child(j);
                QWidget *cell = view->itemWidget(country, 1);
                QString state = QStringLiteral("?");
                if (auto *button = qobject_cast<QPushButton *>(cell))
                    state = button->text();
                else if (auto *label = qobject_cast<QLabel *>(cell))
                    state = label->text();
                lines.append(QStringLiteral("  %1: %2").arg(country->text(0), state));
            }
        }
        return lines;
    }

    static QPushButton *subscribeButton(const QWidget &dialog, const QString &country)
    {
        QTreeWidget *view = tree(dialog);
        for (int i = 0; i < view->topLevelItemCount(); ++i) {
            for (int j = 0; j < view->topLevelItem(i)->childCount(); ++j) {
                QTreeWidgetItem *item = view->topLevelItem(i)->child(j);
                if (item->text(0) == country)
                    return qobject_cast<QPushButton *>(view->itemWidget(item, 1));
            }
        }
        return nullptr;
    }

    static HolidayFeed feedOf(const QString &country)
    {
        for (const HolidayFeed &feed : HolidayCatalog::feeds()) {
            if (feed.name == country)
                return feed;
        }
        return {};
    }

    std::optional<Calendar> calendarWithUrl(const QString &url) const
    {
        for (const Calendar &calendar : state()->calendars()->getAll()) {
            if (calendar.url == url)
                return calendar;
        }
        return std::nullopt;
    }

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        m_fetched.clear();
    }

    void cleanup() { m_fixture.reset(); }

    void emptyFilterShowsEveryRegionExpanded()
    {
        auto dialog = makeDialog();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Holiday Calendars"));
        QStringList expected;
        for (const QString &region : HolidayCatalog::regions()) {
            expected.append(region);
            for (const HolidayFeed &feed : HolidayCatalog::feedsInRegion(region))
                expected.append(QStringLiteral("  %1: Subscribe").arg(feed.name));
        }
        QCOMPARE(describe(*dialog), expected);
        QCOMPARE(tree(*dialog)->topLevelItem(0)->flags(), Qt::ItemIsEnabled);
    }

    void filterMatchesCountriesAndRegions_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one country, any case, spaces around")
            << "  gERMan " << QStringList{"Europe", "  Germany: Subscribe"};
        QTest::newRow("a region shows all its countries")
            << "middle east" << QStringList{"Middle East & Africa", "  Israel: Subscribe", "  South Africa: Subscribe"};
        QTest::newRow("countries of two regions")
            << "south" << QStringList{"Asia Pacific", "  South Korea: Subscribe", "Middle East & Africa",
                                      "  South Africa: Subscribe"};
        QTest::newRow("no match quotes the filter as typed")
            << " Atlantis " << QStringList{"No holiday feeds match \"Atlantis\"."};
    }

    void filterMatchesCountriesAndRegions()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        auto dialog = makeDialog();
        dialog->findChild<QLineEdit *>(QStringLiteral("holidayFilter"))->setText(filter);
        QCOMPARE(describe(*dialog), expected);
    }

    // The new calendar is complete at creation, its canonical key included,
    // under one subscriptions account shared by every subscription.
    void subscribingCreatesAReadOnlyCalendarWithItsKey()
    {
        auto dialog = makeDialog();
        const HolidayFeed germany = feedOf(QStringLiteral("Germany"));
        const HolidayFeed japan = feedOf(QStringLiteral("Japan"));
        subscribeButton(*dialog, QStringLiteral("Germany"))->click();
        QTRY_COMPARE(describe(*dialog).contains(QStringLiteral("  Germany: Subscribed")), true);
        subscribeButton(*dialog, QStringLiteral("Japan"))->click();
        QTRY_COMPARE(describe(*dialog).contains(QStringLiteral("  Japan: Subscribed")), true);

        const std::optional<Calendar> stored = calendarWithUrl(germany.url);
        QVERIFY(stored);
        Calendar expected = *stored;
        expected.account_id = QString::fromLatin1(Webcal::SyncClient::SubscriptionsAccountId);
        expected.name = QStringLiteral("Germany Holidays");
        expected.color = QStringLiteral("#0F9D58");
        expected.is_visible = true;
        expected.is_read_only = true;
        expected.is_default = false;
        expected.timezone = QStringLiteral("UTC");
        expected.supported_components = QStringLiteral("[\"VEVENT\"]");
        expected.canonical_key = Sync::canonicalCalendarKey(QStringLiteral("webcal"), germany.url).value();
        QCOMPARE(*stored, expected);
        QCOMPARE(stored->canonical_key.size(), 64);
        QVERIFY(!stored->id.isEmpty() && !stored->id.startsWith(QLatin1Char('{')));
        QCOMPARE(stored->created_at, stored->updated_at);

        const std::optional<Calendar> second = calendarWithUrl(japan.url);
        QVERIFY(second);
        QCOMPARE(second->account_id, stored->account_id);
        int subscriptionAccounts = 0;
        for (const Account &account : state()->accounts()->getAll())
            subscriptionAccounts += account.type == AccountType::Webcal ? 1 : 0;
        QCOMPARE(subscriptionAccounts, 1);
        QCOMPARE(m_fetched.size(), 2);
        // The store keeps whole seconds; the first download gets the row as built.
        Calendar handed = m_fetched.first();
        QCOMPARE(handed.created_at.secsTo(stored->created_at), 0);
        handed.created_at = stored->created_at;
        handed.updated_at = stored->updated_at;
        QCOMPARE(handed, *stored);
    }

    void aFeedStoredElsewhereShowsSubscribedAndAStaleButtonRefuses()
    {
        const HolidayFeed france = feedOf(QStringLiteral("France"));
        Calendar elsewhere = m_fixture->addCalendar(QStringLiteral("fr"), QStringLiteral("Fériés"));
        elsewhere.url = france.url;
        QVERIFY(state()->calendars()->update(elsewhere));
        auto dialog = makeDialog();
        QVERIFY(describe(*dialog).contains(QStringLiteral("  France: Subscribed")));

        // Italy is added by someone else while its button is still shown.
        const HolidayFeed italy = feedOf(QStringLiteral("Italy"));
        QPushButton *stale = subscribeButton(*dialog, QStringLiteral("Italy"));
        QVERIFY(stale);
        Calendar other = m_fixture->addCalendar(QStringLiteral("it"), QStringLiteral("Festività"));
        other.url = italy.url;
        QVERIFY(state()->calendars()->update(other));
        const int before = state()->calendars()->getAll().size();
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        stale->click();
        QCOMPARE(answerer.seen(), QStringList{"QMessageBox You're already subscribed to \"Italy\"."});
        QCOMPARE(state()->calendars()->getAll().size(), before);
        QVERIFY(m_fetched.isEmpty());
    }

    // Without a network the first download fails: the user is told, over
    // the window in front, instead of finding the calendar empty.
    void failedFirstDownloadIsTold()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QUrl nowhere(QStringLiteral("http://127.0.0.1:%1/de.ics").arg(closed.serverPort()));
        closed.close();
        Calendar calendar =
            SubscriptionCalendar::make(QString(), nowhere.toString(), QStringLiteral("Germany Holidays"),
                                      QStringLiteral("#0F9D58"));
        QVERIFY(SubscriptionCalendar::add(state(), calendar));
        // The download is the sync orchestration's, as in the program.
        SyncOrchestrator sync(state());
        auto dialog = makeDialog();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        SubscriptionCalendar::fetchNow(state(), calendar);
        QMessageBox *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = dialog->findChild<QMessageBox *>(QStringLiteral("subscriptionNotLoaded"))),
                                 10000);
        QVERIFY(box->isVisible());
        QCOMPARE(box->windowTitle(), QStringLiteral("Subscription not loaded"));
        QVERIFY2(box->text().startsWith(QStringLiteral("\"Germany Holidays\" could not be loaded: Subscription fetch "
                                                       "failed")),
                 qPrintable(box->text()));
        box->close();
    }
};

QTEST_MAIN(TestHolidayPickerDialog)
#include "tst_holidaypickerdialog.moc"
