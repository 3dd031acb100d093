#include "app/appstate.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "dialogs/accounts/welcomedialog.h"
#include "store/preferencesrepository.h"
#include "tests/support/tempdatadir.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const char SeenKey[] = "ui/firstLaunchSeen";

// Plays the user at the screen: notices each modal dialog as it opens,
// notes what it showed, and answers it with the next answer in line
// (Rejected once the answers run out), after the given delay.
class ModalAnswerer : public QObject
{
public:
    struct Seen
    {
        QString className;
        QString title;
        bool childOfWindow = false;
        QStringList labels;
    };

    ModalAnswerer(QWidget *window, QList<QDialog::DialogCode> answers, int delayMs = 0)
        : m_window(window)
        , m_answers(std::move(answers))
        , m_delayMs(delayMs)
    {
        connect(&m_poll, &QTimer::timeout, this, &ModalAnswerer::poll);
        m_poll.start(5);
    }

    const QList<Seen> &seen() const { return m_seen; }
    QStringList classNames() const
    {
        QStringList names;
        for (const Seen &entry : m_seen)
            names << entry.className;
        return names;
    }

private:
    void poll()
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog == m_current)
            return;
        m_current = dialog;
        if (!dialog)
            return;
        Seen entry;
        entry.className = QString::fromLatin1(dialog->metaObject()->className());
        entry.title = dialog->windowTitle();
        entry.childOfWindow = dialog->parentWidget() == m_window;
        for (QLabel *label : dialog->findChildren<QLabel *>())
            entry.labels << label->text();
        m_seen << entry;
        const QDialog::DialogCode answer = m_answers.isEmpty() ? QDialog::Rejected : m_answers.takeFirst();
        QTimer::singleShot(m_delayMs, dialog, [dialog, answer] { dialog->done(answer); });
    }

    QWidget *m_window;
    QList<QDialog::DialogCode> m_answers;
    int m_delayMs;
    QTimer m_poll;
    QPointer<QDialog> m_current;
    QList<Seen> m_seen;
};

} // namespace

class TestFirstLaunch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        qunsetenv("CALENDAR_NONINTERACTIVE");
        m_dir = std::make_unique<TempDataDir>();
        m_state = std::make_unique<AppState>();
        QVERIFY(m_state->initialize());
    }

    void cleanup()
    {
        qunsetenv("CALENDAR_NONINTERACTIVE");
        m_state.reset();
        m_dir.reset();
    }

    void firstLaunchGreetsOnceAndOpensAccountsOnlyWhenAsked_data()
    {
        QTest::addColumn<int>("welcomeAnswer");
        QTest::addColumn<QStringList>("dialogs");
        QTest::newRow("Add Account… opens the calendar accounts")
            << int(QDialog::Accepted) << QStringList{"WelcomeDialog", "ManageSourcesDialog"};
        QTest::newRow("Get Started opens nothing more") << int(QDialog::Rejected) << QStringList{"WelcomeDialog"};
    }

    void firstLaunchGreetsOnceAndOpensAccountsOnlyWhenAsked()
    {
        QFETCH(int, welcomeAnswer);
        QFETCH(QStringList, dialogs);
        QVERIFY(!seen());
        MainWindow window(m_state.get());
        ModalAnswerer user(&window, {QDialog::DialogCode(welcomeAnswer), QDialog::Accepted});
        // The constructor only schedules the greeting, and shows nothing itself.
        QVERIFY(!window.isVisible());
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        QTRY_VERIFY(seen());
        QCOMPARE(user.classNames(), dialogs);
        const ModalAnswerer::Seen &welcome = user.seen().first();
        QCOMPARE(welcome.title, QStringLiteral("Welcome"));
        QVERIFY(welcome.childOfWindow);
        if (dialogs.size() > 1) {
            const ModalAnswerer::Seen &accounts = user.seen().at(1);
            QCOMPARE(accounts.title, QStringLiteral("Calendar Accounts"));
            QVERIFY(accounts.childOfWindow);
            QVERIFY(accounts.labels.contains(QStringLiteral("On This Device")));
            QVERIFY(accounts.labels.contains(QStringLiteral("Personal")));
        }

        // Once seen, neither this window nor a later start greets again.
        window.showWelcomeIfFirstLaunch();
        MainWindow later(m_state.get());
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(user.classNames(), dialogs);
    }

    void launchAlreadySeenOpensNothing()
    {
        QVERIFY(m_state->preferences()->setBool(QString::fromLatin1(SeenKey), true));
        MainWindow window(m_state.get());
        ModalAnswerer user(&window, {});
        QCoreApplication::processEvents();
        window.showWelcomeIfFirstLaunch();
        QCoreApplication::processEvents();
        QVERIFY(user.seen().isEmpty());
        QVERIFY(seen());
    }

    void headlessSessionAnswersGetStartedAtOnce()
    {
        qputenv("CALENDAR_NONINTERACTIVE", "1");
        QTest::ignoreMessage(QtInfoMsg, "[MainWindow] non-interactive session: welcome answered with \"Get Started\"");
        MainWindow window(m_state.get());
        // Should the answer not come by itself, this user accepts after a
        // while, and the calendar accounts would open.
        ModalAnswerer user(&window, {QDialog::Accepted, QDialog::Rejected}, 3000);
        QTRY_VERIFY(seen());
        // Answered before anyone could see it, and never with "Add Account…".
        QVERIFY(!user.classNames().contains(QStringLiteral("ManageSourcesDialog")));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

private:
    bool seen() const { return m_state->preferences()->getBool(QString::fromLatin1(SeenKey), false); }

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
};

QTEST_MAIN(TestFirstLaunch)
#include "tst_firstlaunch.moc"
