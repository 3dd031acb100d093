#include "app/appstate.h"
#include "store/account.h"
#include "store/accountrepository.h"
#include "store/filterrule.h"
#include "store/filterrulerepository.h"
#include "sync/core/syncerrorcode.h"
#include "tests/support/widgetfixture.h"
#include "ui/statusbar/statuspills.h"
#include "ui/sync/syncorchestrator.h"

#include <QCoreApplication>
#include <QMenu>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QTranslator>

namespace {

// Stands for an interface language other than English: every text comes
// back changed.
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return QStringLiteral("[xx] ") + QString::fromUtf8(sourceText);
    }
};

struct AccountCase
{
    QString type;
    bool enabled;
    QString error;
    bool signedIn;
};

QStringList menuTexts(const QToolButton *button)
{
    QStringList texts;
    for (const QAction *action : button->menu()->actions())
        texts.append(action->isSeparator() ? QStringLiteral("—") : action->text());
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(QList<AccountCase>)

class TestStatusPills : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<QStatusBar> m_bar;
    QSet<QString> m_signedIn;
    int m_accountsOpened = 0;

    AppState *state() const { return m_fixture->state(); }

    std::unique_ptr<StatusPills> makePills()
    {
        StatusPills::Hooks hooks;
        hooks.openAccounts = [this] { ++m_accountsOpened; };
        hooks.refreshToken = [this](const Account &a) {
            return m_signedIn.contains(a.id) ? QStringLiteral("refresh-%1").arg(a.id) : QString();
        };
        return std::make_unique<StatusPills>(state(), m_bar.get(), hooks);
    }

    void addAccounts(const QList<AccountCase> &cases)
    {
        int n = 0;
        for (const AccountCase &c : cases) {
            Account account;
            account.id = QStringLiteral("acct-%1").arg(++n);
            account.name = account.id;
            setTypeText(account, c.type);
            account.enabled = c.enabled;
            account.last_sync_error = c.error;
            if (c.signedIn)
                m_signedIn.insert(account.id);
            QVERIFY(state()->accounts()->insert(account));
        }
    }

    FilterRule addRule(const QString &id, const QString &name, bool enabled, int priority)
    {
        FilterRule rule;
        rule.id = id;
        rule.name = name;
        rule.type = QStringLiteral("pattern");
        rule.enabled = enabled;
        rule.priority = priority;
        rule.conditions = QStringLiteral("{\"pattern\":\"%1\"}").arg(name);
        [&] { QVERIFY(state()->filterRules()->insert(rule)); }();
        return *state()->filterRules()->getById(id);
    }

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
        m_bar = std::make_unique<QStatusBar>();
        m_signedIn.clear();
        m_accountsOpened = 0;
    }

    void cleanup()
    {
        m_bar.reset();
        m_fixture.reset();
    }

    void pillCountsAccountsThatNeedTheUser_data()
    {
        QTest::addColumn<QList<AccountCase>>("accounts");
        QTest::addColumn<QString>("text");
        const QString missing = QString::fromLatin1(SyncErrorCode::PasswordMissing);
        QTest::newRow("nothing wrong") << QList<AccountCase>{{"google", true, {}, true}, {"caldav", true, {}, false}}
                                       << QString();
        QTest::newRow("sign-in and password")
            << QList<AccountCase>{{"google", true, {}, false}, {"caldav", true, missing, false}}
            << "2 account(s) need attention";
        QTest::newRow("disabled never counts")
            << QList<AccountCase>{{"google", false, "Sign in required", false}, {"zoho", false, missing, false}}
            << QString();
        QTest::newRow("other error does not count")
            << QList<AccountCase>{{"icloud", true, "Server said no", false}} << QString();
        QTest::newRow("expired sign-in with a token")
            << QList<AccountCase>{{"microsoft", true, "Sign in required", true}, {"google", true, {}, true}}
            << "1 account(s) need sign-in";
        QTest::newRow("passwords") << QList<AccountCase>{{"zoho", true, missing, false}, {"icloud", true, missing, false}}
                                   << "2 account(s) need password";
        QTest::newRow("other types never count")
            << QList<AccountCase>{{"webcal", true, missing, false}, {"tindlebrook", true, "Sign in required", false}}
            << QString();
    }

    void pillCountsAccountsThatNeedTheUser()
    {
        QFETCH(QList<AccountCase>, accounts);
        QFETCH(QString, text);
        const auto pills = makePills();
        addAccounts(accounts);
        QCOMPARE(pills->accountPill()->isVisibleTo(m_bar.get()), !text.isEmpty());
        if (!text.isEmpty())
            QCOMPARE(pills->accountPill()->text(), text);
    }

    void pillOpensCalendarAccountsAndRefreshes()
    {
        const auto pills = makePills();
        addAccounts({{"google", true, {}, false}});
        QVERIFY(pills->accountPill()->isVisibleTo(m_bar.get()));
        m_signedIn.insert(QStringLiteral("acct-1"));
        pills->accountPill()->click();
        QCOMPARE(m_accountsOpened, 1);
        QVERIFY(!pills->accountPill()->isVisibleTo(m_bar.get()));
    }

    // The error is stored as a code: a language change neither hides the
    // pill nor stops the orchestrator recognising its own error.
    void passwordMissingSurvivesALanguageChange()
    {
        MarkingTranslator translator;
        QCoreApplication::installTranslator(&translator);
        QCOMPARE(SyncOrchestrator::passwordMissingText(), QStringLiteral("Password missing"));
        const auto pills = makePills();
        addAccounts({{"caldav", true, SyncOrchestrator::passwordMissingText(), false}});
        QVERIFY(pills->accountPill()->isVisibleTo(m_bar.get()));
        QCOMPARE(SyncErrorCode::displayText(QStringLiteral("Password missing")), QStringLiteral("[xx] Password missing"));
        QCOMPARE(SyncErrorCode::displayText(QStringLiteral("HTTP 500")), QStringLiteral("HTTP 500"));
        QCoreApplication::removeTranslator(&translator);
    }

    void filtersMenuFollowsTheRules()
    {
        const auto pills = makePills();
        QToolButton *button = pills->filtersButton();
        QCOMPARE(button->text(), QStringLiteral("No filters"));
        QCOMPARE(menuTexts(button), QStringList{"Add Filter…"});

        const FilterRule first = addRule(QStringLiteral("r1"), QStringLiteral("Lunch"), true, 10);
        const FilterRule second = addRule(QStringLiteral("r2"), QStringLiteral("Standup"), false, 20);
        QCOMPARE(menuTexts(button),
                 (QStringList{"Enable all filters", "—", "Lunch", "Standup", "—", "Add Filter…", "Manage Filters…"}));
        QCOMPARE(button->text(), QStringLiteral("1 filter(s) applied"));

        QTest::qWait(5); // updated_at is stamped in milliseconds
        button->menu()->actions().first()->trigger();
        // Only the rule that differed was written.
        QCOMPARE(*state()->filterRules()->getById(first.id), first);
        QVERIFY(state()->filterRules()->getById(second.id)->enabled);
        QCOMPARE(button->text(), QStringLiteral("2 filter(s) applied"));
        QCOMPARE(button->menu()->actions().first()->text(), QStringLiteral("Disable all filters"));
    }

    void summaryCountsHiddenEventsOnlyWithEnabledRules_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("hidden");
        QTest::addColumn<QString>("text");
        QTest::newRow("hidden") << true << 3 << "3 filter(s) applied · 3 hidden";
        QTest::newRow("not counted yet") << true << -1 << "3 filter(s) applied";
        QTest::newRow("none hidden") << true << 0 << "3 filter(s) applied";
        QTest::newRow("all disabled") << false << 7 << "0 filter(s) applied";
    }

    void summaryCountsHiddenEventsOnlyWithEnabledRules()
    {
        QFETCH(bool, enabled);
        QFETCH(int, hidden);
        QFETCH(QString, text);
        for (int i = 1; i <= 3; ++i)
            addRule(QStringLiteral("r%1").arg(i), QStringLiteral("Rule %1").arg(i), enabled, i);
        const auto pills = makePills();
        state()->setFilterHiddenCount(hidden);
        QCOMPARE(pills->filtersButton()->text(), text);
    }

    void togglingARuleRebuildsTheMenuAndReleasesTheOldOneLater()
    {
        addRule(QStringLiteral("r1"), QStringLiteral("Lunch"), false, 10);
        const auto pills = makePills();
        QPointer<QMenu> old = pills->filtersButton()->menu();
        QAction *entry = old->actions().at(2);
        QCOMPARE(entry->text(), QStringLiteral("Lunch"));
        entry->setChecked(true);
        QVERIFY(state()->filterRules()->getById(QStringLiteral("r1"))->enabled);
        QVERIFY(old); // still alive while its click is handled
        QVERIFY(pills->filtersButton()->menu() != old.data());
        QTRY_VERIFY(old.isNull());
        QCOMPARE(menuTexts(pills->filtersButton()).first(), QStringLiteral("Disable all filters"));
    }
};

QTEST_MAIN(TestStatusPills)
#include "tst_statuspills.moc"
