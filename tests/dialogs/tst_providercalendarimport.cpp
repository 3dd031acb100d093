// Storing the calendar list a Google or Microsoft sign-in brought back: the
// colour each calendar gets, and calendars the store refuses.
#include "app/appstate.h"
#include "dialogs/accounts/providercalendarimport.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"

#include <QTest>

class TestProviderCalendarImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void calendarWithoutADrawableColourGetsTheDefault_data()
    {
        QTest::addColumn<bool>("known");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("stored");
        QTest::newRow("new, no colour") << false << QString() << "#4285F4";
        QTest::newRow("new, empty colour") << false << "" << "#4285F4";
        QTest::newRow("new, unreadable colour") << false << "#12345G" << "#4285F4";
        QTest::newRow("new, provider's colour") << false << "#0F9D58" << "#0F9D58";
        QTest::newRow("known, no colour") << true << QString() << "#112233";
        QTest::newRow("known, unreadable colour") << true << "blue-ish" << "#112233";
        QTest::newRow("known, provider's colour") << true << "#0F9D58" << "#0F9D58";
    }

    void calendarWithoutADrawableColourGetsTheDefault()
    {
        QFETCH(bool, known);
        QFETCH(QString, colour);
        QFETCH(QString, stored);
        WidgetFixture f;
        Account account;
        account.id = QStringLiteral("g");
        account.name = QStringLiteral("Ada");
        account.type = AccountType::Google;
        QVERIFY(f.state()->accounts()->insert(account));
        if (known) {
            Calendar calendar = f.addCalendar(QStringLiteral("team"), QStringLiteral("Team"),
                                              QStringLiteral("#112233"), true, account.id);
            calendar.url = QStringLiteral("team@example.test");
            QVERIFY(f.state()->calendars()->update(calendar));
        }
        const ProviderCalendarImport import(f.state(), nullptr, provider());
        const QList<ProviderCalendarImport::Entry> entries = {
            {QStringLiteral("team@example.test"), QStringLiteral("Team"), {}, colour, false, true}};
        QCOMPARE(import.storeCalendars(account.id, entries), QStringList());
        const QList<Calendar> calendars = f.state()->calendars()->getByAccount(account.id);
        QCOMPARE(calendars.size(), 1);
        QCOMPARE(calendars.first().color, stored);
    }

    void calendarTheStoreRefusesIsReported()
    {
        WidgetFixture f;
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        const ProviderCalendarImport import(f.state(), nullptr, provider());
        // No such account: the store's foreign key refuses both rows.
        const QList<ProviderCalendarImport::Entry> entries = {
            {QStringLiteral("a@example.test"), QStringLiteral("Work"), {}, QStringLiteral("#0F9D58"), false, false},
            {QStringLiteral("b@example.test"), QStringLiteral("Home"), {}, QString(), false, false}};
        const QStringList unstored = import.storeCalendars(QStringLiteral("gone"), entries);
        QCOMPARE(unstored, (QStringList{QStringLiteral("Work"), QStringLiteral("Home")}));
        import.reportUnstored(unstored);
        QCOMPARE(answerer.seen(),
                 QStringList{QStringLiteral("QMessageBox These calendars could not be saved: Work, Home")});
        QVERIFY(f.state()->calendars()->getByAccount(QStringLiteral("gone")).isEmpty());
    }

private:
    static ProviderCalendarImport::Provider provider()
    {
        ProviderCalendarImport::Provider provider;
        provider.type = AccountType::Google;
        return provider;
    }
};

QTEST_MAIN(TestProviderCalendarImport)
#include "tst_providercalendarimport.moc"
