#include "app/notifications/dbusnotifier.h"
#include "app/notifications/desktopnotifier.h"
#include "app/notifications/inappnotifier.h"
#include "app/notifications/traymessagemarkup.h"
#include "app/notifications/traynotifier.h"
#include "app/tray/traymanager.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusVirtualObject>
#include <QLabel>
#include <QMainWindow>
#include <QRegularExpression>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

#include "tests/support/fakenotificationserver.h"
#include "tests/support/privatesessionbus.h"

#include <memory>
#include <optional>

namespace {

// A back end that answers as told and remembers what it was asked.
class ScriptedNotifier : public Notifier
{
public:
    explicit ScriptedNotifier(bool delivers)
        : m_delivers(delivers)
    {
    }

    void notify(const Notification &notification, Done done) override
    {
        titles.append(notification.title);
        done(m_delivers);
    }

    void click(const QVariant &context) { Q_EMIT activated(context); }

    QStringList titles;

private:
    bool m_delivers;
};

// The desktop's tray host registry, as a StatusNotifier tray announces it.
class FakeStatusNotifierWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
public:
    explicit FakeStatusNotifierWatcher(bool hostRegistered)
        : m_hostRegistered(hostRegistered)
    {
    }
    bool hostRegistered() const
    {
        ++m_reads;
        return m_hostRegistered;
    }
    // How often the bus asked for the host.
    int reads() const { return m_reads; }
    // A panel that restarts takes its host away for a moment, and says so.
    void setHostRegistered(bool registered)
    {
        if (registered == m_hostRegistered)
            return;
        m_hostRegistered = registered;
        if (registered)
            Q_EMIT StatusNotifierHostRegistered();
        else
            Q_EMIT StatusNotifierHostUnregistered();
    }

Q_SIGNALS:
    void StatusNotifierHostRegistered();
    void StatusNotifierHostUnregistered();

private:
    bool m_hostRegistered;
    mutable int m_reads = 0;
};

// An object on the bus that takes every call and answers none.
class SilentObject : public QDBusVirtualObject
{
public:
    QString introspect(const QString &) const override { return QString(); }
    bool handleMessage(const QDBusMessage &, const QDBusConnection &) override { return true; }
};

// The panel's watcher on the test's bus, in one of the states "none" (no
// watcher), "no host", "host" and "silent" (takes calls, answers none).
class FakePanel
{
public:
    explicit FakePanel(const QDBusConnection &bus)
        : m_bus(bus)
    {
    }
    ~FakePanel()
    {
        m_bus.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
        if (m_present)
            m_bus.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    }
    bool set(const QString &state)
    {
        const bool present = state != QLatin1String("none");
        const QString name = QStringLiteral("org.kde.StatusNotifierWatcher");
        if (present != m_present && !(present ? m_bus.registerService(name) : m_bus.unregisterService(name)))
            return false;
        m_present = present;
        if (!m_exported) {
            const QString path = QStringLiteral("/StatusNotifierWatcher");
            m_exported = state == QLatin1String("silent")
                ? m_bus.registerVirtualObject(path, &m_silent)
                : m_bus.registerObject(path, &m_registry,
                                       QDBusConnection::ExportAllProperties | QDBusConnection::ExportAllSignals);
        }
        m_registry.setHostRegistered(state == QLatin1String("host"));
        return m_exported;
    }
    bool present() const { return m_present; }
    int reads() const { return m_registry.reads(); }

private:
    QDBusConnection m_bus;
    FakeStatusNotifierWatcher m_registry{false};
    SilentObject m_silent;
    bool m_present = false;
    bool m_exported = false;
};

Notification message(const QString &title, const QString &body, const QVariant &context = {})
{
    Notification n;
    n.title = title;
    n.body = body;
    n.context = context;
    return n;
}

// Runs notify and waits for its answer; a notifier that never answers fails
// the test here, not only at the caller's comparison.
std::optional<bool> deliver(Notifier &notifier, const Notification &notification)
{
    std::optional<bool> result;
    notifier.notify(notification, [&result](bool delivered) { result = delivered; });
    if (!QTest::qWaitFor([&result] { return result.has_value(); }, 20000))
        QTest::qFail("the notifier never answered", __FILE__, __LINE__);
    return result;
}

QMessageBox *openMessageBox(QWidget *window)
{
    const QList<QMessageBox *> boxes = window->findChildren<QMessageBox *>();
    for (QMessageBox *box : boxes) {
        if (box->isVisible())
            return box;
    }
    return nullptr;
}

// A tray icon made and shown.
std::unique_ptr<QSystemTrayIcon> shownIcon()
{
    QPixmap pixel(16, 16);
    pixel.fill(Qt::blue);
    auto tray = std::make_unique<QSystemTrayIcon>(QIcon(pixel));
    tray->show();
    return tray;
}

} // namespace

class TestNotifiers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_bus.start(), qPrintable(m_bus.errorText()));
    }

    void cleanupTestCase()
    {
        m_bus.stop();
    }

    void init()
    {
        // Fresh connections per test, so no match rule or pending call leaks.
        ++m_round;
        m_client = QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("client-%1").arg(m_round));
        m_serverConnection = QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("server-%1").arg(m_round));
        QVERIFY(m_client->isConnected());
        QVERIFY(m_serverConnection->isConnected());
        m_server = std::make_unique<FakeNotificationServer>(*m_serverConnection);
    }

    void cleanup()
    {
        m_server.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("client-%1").arg(m_round));
        QDBusConnection::disconnectFromBus(QStringLiteral("server-%1").arg(m_round));
        m_client.reset();
        m_serverConnection.reset();
        // Message boxes are top-level windows owned by the main window.
        QList<QPointer<QWidget>> owners;
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            if (!window->parentWidget())
                owners.append(window);
        }
        qDeleteAll(owners);
    }

    void dbusMessageCarriesTitleBodyAndOpenAction()
    {
        QVERIFY(m_server->start());
        DBusNotifier notifier(*m_client);
        Notification n = message(QStringLiteral("Standup"), QStringLiteral("In 15 minutes (9:30 AM) · Room 4"));
        n.timeoutMs = 15000;
        QCOMPARE(deliver(notifier, n), std::optional<bool>(true));

        QCOMPARE(m_server->messages().size(), 1);
        const FakeNotificationServer::Message sent = m_server->messages().first();
        QCOMPARE(sent.appName, QStringLiteral("Tindlebrook Calendar"));
        QCOMPARE(sent.replacesId, 0u);
        QCOMPARE(sent.summary, QStringLiteral("Standup"));
        QCOMPARE(sent.body, QStringLiteral("In 15 minutes (9:30 AM) · Room 4"));
        QCOMPARE(sent.actions, (QStringList{QStringLiteral("default"), QStringLiteral("Open")}));
        QCOMPARE(sent.expireTimeout, 15000);
        QCOMPARE(sent.hints.value(QStringLiteral("urgency")).toInt(), 1);
        QCOMPARE(sent.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("com.tindlebrook.calendar"));
    }

    void dbusBodyIsEscapedOnlyWhereMarkupIsRendered_data()
    {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<QString>("expectedBody");

        QTest::newRow("markup rendered")
            << QStringList{QStringLiteral("body"), QStringLiteral("body-markup"), QStringLiteral("actions")}
            << QStringLiteral("Starting now (1:00 PM) · R&amp;D &lt;lab&gt;");
        QTest::newRow("plain bodies") << QStringList{QStringLiteral("body")}
                                      << QStringLiteral("Starting now (1:00 PM) · R&D <lab>");
    }

    void dbusBodyIsEscapedOnlyWhereMarkupIsRendered()
    {
        QFETCH(QStringList, capabilities);
        QFETCH(QString, expectedBody);
        m_server->setCapabilities(capabilities);
        QVERIFY(m_server->start());
        DBusNotifier notifier(*m_client);
        QCOMPARE(deliver(notifier, message(QStringLiteral("Lunch & <Learn>"),
                                           QStringLiteral("Starting now (1:00 PM) · R&D <lab>"))),
                 std::optional<bool>(true));
        QCOMPARE(m_server->messages().first().body, expectedBody);
        // The summary is never markup.
        QCOMPARE(m_server->messages().first().summary, QStringLiteral("Lunch & <Learn>"));
    }

    void dbusBodyIsEscapedWhileCapabilitiesAreUnknown_data()
    {
        QTest::addColumn<bool>("answersLater");
        QTest::newRow("answered late") << true;
        QTest::newRow("never answered") << false;
    }

    // A service that does not say in time how it reads bodies may render
    // markup; once it has said, its answer holds.
    void dbusBodyIsEscapedWhileCapabilitiesAreUnknown()
    {
        QFETCH(bool, answersLater);
        m_server->setCapabilities({QStringLiteral("body")});
        m_server->setHoldingCapabilities(true);
        QVERIFY(m_server->start());
        DBusNotifier notifier(*m_client);
        notifier.setCallTimeout(300);
        const QString body = QStringLiteral("Now · <a href=\"file:///usr/bin/xterm\">Room 4</a>");
        QCOMPARE(deliver(notifier, message(QStringLiteral("Standup"), body)), std::optional<bool>(true));
        QCOMPARE(m_server->messages().constLast().body, body.toHtmlEscaped());

        if (answersLater) {
            m_server->answerHeldCapabilities();
            m_server->setHoldingCapabilities(false);
        }
        QCOMPARE(deliver(notifier, message(QStringLiteral("Retro"), body)), std::optional<bool>(true));
        QCOMPARE(m_server->messages().constLast().body, answersLater ? body : body.toHtmlEscaped());
    }

    void dbusAsksForCapabilitiesOnce()
    {
        QVERIFY(m_server->start());
        DBusNotifier notifier(*m_client);
        int answered = 0;
        // Two messages before the first answer: both wait for one question.
        notifier.notify(message(QStringLiteral("A"), QStringLiteral("a")), [&](bool ok) { answered += ok; });
        notifier.notify(message(QStringLiteral("B"), QStringLiteral("b")), [&](bool ok) { answered += ok; });
        QTRY_COMPARE(answered, 2);
        QCOMPARE(deliver(notifier, message(QStringLiteral("C"), QStringLiteral("c"))), std::optional<bool>(true));
        QCOMPARE(m_server->capabilityRequests(), 1);
        QCOMPARE(m_server->messages().size(), 3);
        QCOMPARE(m_server->messages().at(0).summary, QStringLiteral("A"));
        QCOMPARE(m_server->messages().at(1).summary, QStringLiteral("B"));
    }

    void dbusRefusedMessageIsNotDelivered()
    {
        m_server->setRefusing(true);
        QVERIFY(m_server->start());
        DBusNotifier notifier(*m_client);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("desktop notification failed"));
        QCOMPARE(deliver(notifier, message(QStringLiteral("Standup"), QStringLiteral("now"))),
                 std::optional<bool>(false));
    }

    void dbusWithoutServiceIsNotDelivered()
    {
        DBusNotifier notifier(*m_client);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("desktop notification failed"));
        QCOMPARE(deliver(notifier, message(QStringLiteral("Standup"), QStringLiteral("now"))),
                 std::optional<bool>(false));
        // A service that appears later is used for the next message.
        QVERIFY(m_server->start());
        QCOMPARE(deliver(notifier, message(QStringLiteral("Retro"), QStringLiteral("now"))), std::optional<bool>(true));
        QCOMPARE(m_server->messages().size(), 1);
        QCOMPARE(m_server->messages().first().summary, QStringLiteral("Retro"));
    }

    void dbusHungServiceIsNotDelivered()
    {
        QVERIFY(m_server->start());
        DBusNotifier notifier(*m_client);
        notifier.setCallTimeout(300);
        QCOMPARE(deliver(notifier, message(QStringLiteral("Warm-up"), QStringLiteral("ok"))), std::optional<bool>(true));
        m_server->setSilent(true);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("desktop notification failed"));
        QCOMPARE(deliver(notifier, message(QStringLiteral("Standup"), QStringLiteral("now"))),
                 std::optional<bool>(false));
    }

    void dbusWithoutBusIsNotDelivered()
    {
        const QDBusConnection nowhere =
            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("nowhere"));
        QVERIFY(!nowhere.isConnected());
        DBusNotifier notifier(nowhere);
        bool called = false;
        bool delivered = true;
        notifier.notify(message(QStringLiteral("Standup"), QStringLiteral("now")), [&](bool ok) {
            called = true;
            delivered = ok;
        });
        QVERIFY(called); // answered at once
        QVERIFY(!delivered);
        QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
    }

    void dbusClickReportsTheContextOfThatMessage()
    {
        QVERIFY(m_server->start());
        DBusNotifier notifier(*m_client);
        QSignalSpy activated(&notifier, &Notifier::activated);
        QCOMPARE(deliver(notifier, message(QStringLiteral("First"), QStringLiteral("1"), QStringLiteral("event-1"))),
                 std::optional<bool>(true));
        QCOMPARE(deliver(notifier, message(QStringLiteral("Second"), QStringLiteral("2"), QStringLiteral("event-2"))),
                 std::optional<bool>(true));
        const uint first = m_server->messages().at(0).id;
        const uint second = m_server->messages().at(1).id;

        m_server->click(first);
        QVERIFY(activated.wait(20000));
        QCOMPARE(activated.size(), 1);
        QCOMPARE(activated.first().first().toString(), QStringLiteral("event-1"));

        // Another action, an unknown id and a closed message report nothing.
        m_server->click(second, QStringLiteral("snooze"));
        m_server->click(999);
        m_server->close(second);
        m_server->click(second);
        m_server->click(first);
        QVERIFY(activated.wait(20000));
        QCOMPARE(activated.size(), 2);
        QCOMPARE(activated.at(1).first().toString(), QStringLiteral("event-1"));
    }

    void chainStopsAtTheFirstBackEndThatDelivers_data()
    {
        QTest::addColumn<QList<bool>>("delivers");
        QTest::addColumn<QList<int>>("asked"); // messages each back end saw
        QTest::addColumn<bool>("delivered");

        QTest::newRow("tray shown") << QList<bool>{true, true, true} << QList<int>{1, 0, 0} << true;
        QTest::newRow("no tray, desktop service") << QList<bool>{false, true, true} << QList<int>{1, 1, 0} << true;
        QTest::newRow("only the window") << QList<bool>{false, false, true} << QList<int>{1, 1, 1} << true;
        QTest::newRow("nothing reaches the user") << QList<bool>{false, false, false} << QList<int>{1, 1, 1} << false;
    }

    void chainStopsAtTheFirstBackEndThatDelivers()
    {
        QFETCH(QList<bool>, delivers);
        QFETCH(QList<int>, asked);
        QFETCH(bool, delivered);

        QList<ScriptedNotifier *> backEnds;
        for (bool answer : delivers)
            backEnds.append(new ScriptedNotifier(answer));
        DesktopNotifier chain(QList<Notifier *>(backEnds.cbegin(), backEnds.cend()));
        QCOMPARE(deliver(chain, message(QStringLiteral("Standup"), QStringLiteral("now"))),
                 std::optional<bool>(delivered));
        for (int i = 0; i < backEnds.size(); ++i)
            QCOMPARE(backEnds.at(i)->titles.size(), asked.at(i));
    }

    void chainForwardsClicksFromEveryBackEnd()
    {
        auto *tray = new ScriptedNotifier(false);
        auto *window = new ScriptedNotifier(true);
        DesktopNotifier chain({tray, window});
        QSignalSpy activated(&chain, &Notifier::activated);
        tray->click(QStringLiteral("from tray"));
        window->click(QStringLiteral("from window"));
        QCOMPARE(activated.size(), 2);
        QCOMPARE(activated.at(0).first().toString(), QStringLiteral("from tray"));
        QCOMPARE(activated.at(1).first().toString(), QStringLiteral("from window"));
    }

    void chainFallsBackFromAMissingServiceToTheWindow()
    {
        DesktopNotifier chain({new TrayNotifier(nullptr), new DBusNotifier(*m_client), new InAppNotifier});
        // No tray, no service, no window: the message is not delivered.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("desktop notification failed"));
        QCOMPARE(deliver(chain, message(QStringLiteral("Standup"), QStringLiteral("now"))), std::optional<bool>(false));

        // With the program's window on screen it ends up there.
        auto *window = new QMainWindow;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("desktop notification failed"));
        QCOMPARE(deliver(chain, message(QStringLiteral("Standup"), QStringLiteral("now"))), std::optional<bool>(true));
        QVERIFY(openMessageBox(window));

        // Once the desktop service is there, it takes precedence.
        QVERIFY(m_server->start());
        QCOMPARE(deliver(chain, message(QStringLiteral("Retro"), QStringLiteral("later"))), std::optional<bool>(true));
        QCOMPARE(m_server->messages().size(), 1);
        QCOMPARE(window->findChildren<QMessageBox *>().size(), 1);
    }

    void trayBodyIsEscapedWhereTheServiceReadsMarkup_data()
    {
        QTest::addColumn<QString>("watcher");
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<bool>("capabilitiesAnswered");
        QTest::addColumn<bool>("escaped");
        const QStringList markup{QStringLiteral("body"), QStringLiteral("body-markup")};
        const QStringList plain{QStringLiteral("body")};
        QTest::newRow("tray host, service reads markup") << "host" << markup << true << true;
        QTest::newRow("tray host, plain service") << "host" << plain << true << false;
        // A watcher without a host, or none, as the icon is made: Qt draws
        // its own balloon, which shows the text as it is given.
        QTest::newRow("no tray host") << "no host" << markup << true << false;
        QTest::newRow("no tray watcher") << "none" << markup << true << false;
        // Not known in time: the service may read markup.
        QTest::newRow("tray host, service does not answer") << "host" << plain << false << true;
        // A watcher that does not answer in time may answer Qt later.
        QTest::newRow("tray watcher does not answer") << "silent" << markup << true << true;
    }

    // With a tray host Qt hands the balloon to the notification service:
    // an event's location must not become a link or an image there.
    void trayBodyIsEscapedWhereTheServiceReadsMarkup()
    {
        QFETCH(QString, watcher);
        QFETCH(QStringList, capabilities);
        QFETCH(bool, capabilitiesAnswered);
        QFETCH(bool, escaped);
        m_server->setCapabilities(capabilities);
        m_server->setHoldingCapabilities(!capabilitiesAnswered);
        QVERIFY(m_server->start());
        FakePanel panel(*m_serverConnection);
        QVERIFY(panel.set(watcher));
        TrayMessageMarkup markup(*m_client);
        // Short only where a question is to go unanswered: one answered
        // late under load must not change the outcome.
        markup.setCallTimeout(watcher == QLatin1String("silent") || !capabilitiesAnswered ? 300 : 20000);
        markup.askBeforeIcon();
        const std::unique_ptr<QSystemTrayIcon> tray = shownIcon();
        TrayNotifier notifier(tray.get(), &markup);
        QList<Notification> shown;
        notifier.setBalloon([&shown](const Notification &n) { shown.append(n); });
        const QString body = QStringLiteral("Now · <a href=\"file:///usr/bin/xterm\">Room 4</a><img src=\"x\"/>");
        QVERIFY(notifier.isAvailable());
        QCOMPARE(deliver(notifier, message(QStringLiteral("<b>Standup</b>"), body)), std::optional<bool>(true));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().body, escaped ? body.toHtmlEscaped() : body);
        QCOMPARE(shown.first().title, QStringLiteral("<b>Standup</b>"));
    }

    // The panel as the icon is made holds for the session: Qt keeps the
    // way it chose then while the panel restarts. Only the service's own
    // answer holds too; one it leaves unanswered is asked again for the
    // next message, which meanwhile is escaped.
    void trayAsksAgainUntilTheServiceHasSaid_data()
    {
        QTest::addColumn<QStringList>("watchers"); // as the icon is made, then at each message
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<QList<bool>>("escaped");
        QTest::addColumn<int>("capabilityRequests");
        const QStringList markup{QStringLiteral("body"), QStringLiteral("body-markup")};
        const QStringList plain{QStringLiteral("body")};
        QTest::newRow("host gone, back; service reads markup")
            << QStringList{"host", "no host", "host"} << markup << QList<bool>{true, true, true} << 1;
        QTest::newRow("host gone, back; plain service")
            << QStringList{"host", "no host", "host"} << plain << QList<bool>{false, false, false} << 1;
        QTest::newRow("host gone for both") << QStringList{"host", "no host", "no host"} << markup
                                            << QList<bool>{true, true, true} << 1;
        QTest::newRow("watcher gone, back; service reads markup")
            << QStringList{"host", "none", "host"} << markup << QList<bool>{true, true, true} << 1;
        QTest::newRow("watcher gone, back; plain service")
            << QStringList{"host", "none", "host", "host"} << plain << QList<bool>{false, false, false, false} << 1;
        // Qt drew its own balloons from the start and goes on doing so.
        QTest::newRow("no watcher, then one") << QStringList{"none", "host"} << markup << QList<bool>{false, false} << 0;
        QTest::newRow("no host, then one") << QStringList{"no host", "host"} << markup << QList<bool>{false, false} << 0;
        QTest::newRow("host gone, then the watcher")
            << QStringList{"no host", "none"} << plain << QList<bool>{false, false} << 0;
        // Once the service has said, a panel restarting changes nothing.
        QTest::newRow("service said, then the host gone")
            << QStringList{"host", "no host", "none"} << plain << QList<bool>{false, false, false} << 1;
    }

    void trayAsksAgainUntilTheServiceHasSaid()
    {
        QFETCH(QStringList, watchers);
        QFETCH(QStringList, capabilities);
        QFETCH(QList<bool>, escaped);
        QFETCH(int, capabilityRequests);
        m_server->setCapabilities(capabilities);
        QVERIFY(m_server->start());
        FakePanel panel(*m_serverConnection);
        QVERIFY(panel.set(watchers.first()));
        TrayMessageMarkup markup(*m_client);
        markup.setCallTimeout(20000);
        markup.askBeforeIcon();
        const std::unique_ptr<QSystemTrayIcon> tray = shownIcon();
        TrayNotifier notifier(tray.get(), &markup);
        QList<Notification> shown;
        notifier.setBalloon([&shown](const Notification &n) { shown.append(n); });
        const QString body = QStringLiteral("R&D · <a href=\"file:///usr/bin/xterm\">Room 4</a>");
        for (int i = 0; i < watchers.size(); ++i) {
            QVERIFY(panel.set(watchers.at(i)));
            QCOMPARE(deliver(notifier, message(QStringLiteral("Standup %1").arg(i), body)), std::optional<bool>(true));
            QCOMPARE(shown.size(), i + 1);
            QCOMPARE(shown.at(i).body, escaped.at(i) ? body.toHtmlEscaped() : body);
        }
        QCOMPARE(m_server->capabilityRequests(), capabilityRequests);
    }

    void trayIsEscapedWhereThePanelChangesAsTheIconIsMade_data()
    {
        QTest::addColumn<QString>("before");       // the panel as it is asked before the icon
        QTest::addColumn<QStringList>("meanwhile"); // its states as Qt would ask, the last one asked after
        QTest::addColumn<bool>("escaped");
        // Asked with the program's first look for a tray (when Qt chose
        // where messages go), the panel changing after it, before the tray
        // is set up.
        QTest::addColumn<bool>("lookedAtStart");
        QTest::newRow("no host before and after") << "no host" << QStringList{} << false << false;
        QTest::newRow("watcher comes up") << "none" << QStringList{"host"} << true << false;
        QTest::newRow("host registers") << "no host" << QStringList{"host"} << true << false;
        QTest::newRow("panel quits") << "host" << QStringList{"none"} << true << false;
        // Both questions find no host; the panel said it came and went.
        QTest::newRow("host comes and goes") << "no host" << QStringList{"host", "no host"} << true << false;
        QTest::newRow("watcher comes and goes") << "none" << QStringList{"host", "none"} << true << false;
        // Qt's balloon shows the text as given; the service reads markup.
        QTest::newRow("host registers after the first look") << "no host" << QStringList{"host"} << false << true;
        QTest::newRow("panel quits after the first look") << "host" << QStringList{"none"} << true << true;
        QTest::newRow("no host at the first look, none since") << "no host" << QStringList{} << false << true;
        QTest::newRow("host at the first look, still there") << "host" << QStringList{} << true << true;
    }

    // A panel (re)starting as the icon is made may have told Qt that a host
    // is there: the service then gets every message, and none goes to it
    // unescaped. Where the program looked for a tray before making it, the
    // answer of that moment holds.
    void trayIsEscapedWhereThePanelChangesAsTheIconIsMade()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, meanwhile);
        QFETCH(bool, escaped);
        QFETCH(bool, lookedAtStart);
        m_server->setCapabilities({QStringLiteral("body"), QStringLiteral("body-markup")});
        QVERIFY(m_server->start());
        FakePanel panel(*m_serverConnection);
        QVERIFY(panel.set(before));
        TrayMessageMarkup markup(*m_client);
        markup.setCallTimeout(20000);
        const int reads = panel.reads();
        const auto trayThere = [] { return true; };
        if (lookedAtStart)
            QVERIFY(markup.askAround(trayThere));
        else
            markup.askBeforeIcon();
        // The questions have their answers before the panel changes.
        if (panel.present())
            QTRY_COMPARE_WITH_TIMEOUT(panel.reads(), reads + (lookedAtStart ? 2 : 1), 20000);
        else
            QVERIFY(!m_client->interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")));
        for (const QString &state : meanwhile)
            QVERIFY(panel.set(state));
        // The tray as the program sets it up, or an icon made here.
        std::unique_ptr<TrayManager> manager;
        std::unique_ptr<QSystemTrayIcon> ownIcon;
        if (lookedAtStart) {
            manager = std::make_unique<TrayManager>(nullptr, nullptr, nullptr, [] { return std::optional<Event>(); });
            manager->setTrayAvailableCheck(trayThere);
            manager->setup(&markup);
        } else {
            ownIcon = shownIcon();
        }
        TrayNotifier notifier(manager ? manager->trayIcon() : ownIcon.get(),
                              manager ? manager->messageMarkup() : &markup);
        QList<Notification> shown;
        notifier.setBalloon([&shown](const Notification &n) { shown.append(n); });
        const QString body = QStringLiteral("R&D · <a href=\"file:///usr/bin/xterm\">Room 4</a>");
        for (int i = 0; i < 2; ++i)
            QCOMPARE(deliver(notifier, message(QStringLiteral("Standup"), body)), std::optional<bool>(true));
        QCOMPARE(shown.size(), 2);
        const QString expected = escaped ? body.toHtmlEscaped() : body;
        QCOMPARE((QStringList{shown.at(0).body, shown.at(1).body}), (QStringList{expected, expected}));
    }

    void trayWithoutAShownIconDeliversNothing()
    {
        TrayNotifier none(nullptr);
        QVERIFY(!none.isAvailable());
        QCOMPARE(deliver(none, message(QStringLiteral("Standup"), QStringLiteral("now"))), std::optional<bool>(false));

        QSystemTrayIcon hidden;
        TrayNotifier notifier(&hidden);
        QVERIFY(!notifier.isAvailable());
        QCOMPARE(deliver(notifier, message(QStringLiteral("Standup"), QStringLiteral("now"))),
                 std::optional<bool>(false));
    }

    void inAppNeedsAVisibleWindow()
    {
        InAppNotifier notifier;
        auto *window = new QMainWindow;
        QCOMPARE(deliver(notifier, message(QStringLiteral("Standup"), QStringLiteral("now"))), std::optional<bool>(false));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(deliver(notifier, message(QStringLiteral("Standup"), QStringLiteral("now"))), std::optional<bool>(true));
        window->hide();
        QCOMPARE(deliver(notifier, message(QStringLiteral("Standup"), QStringLiteral("now"))), std::optional<bool>(false));
    }

    void inAppShowsPlainTextAndOpensOnClick()
    {
        auto *window = new QMainWindow;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        InAppNotifier notifier;
        QSignalSpy activated(&notifier, &Notifier::activated);
        QCOMPARE(deliver(notifier, message(QStringLiteral("<b>Standup</b>"), QStringLiteral("In 5 minutes"),
                                           QStringLiteral("event-7"))),
                 std::optional<bool>(true));
        QMessageBox *box = openMessageBox(window);
        QVERIFY(box);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->text(), QStringLiteral("<b>Standup</b>"));
        QCOMPARE(box->informativeText(), QStringLiteral("In 5 minutes"));
        QVERIFY(!box->isModal());

        QPushButton *open = nullptr;
        const QList<QAbstractButton *> buttons = box->buttons();
        for (QAbstractButton *button : buttons) {
            if (button->text() == QLatin1String("Open"))
                open = qobject_cast<QPushButton *>(button);
        }
        QVERIFY(open);
        open->click();
        QCOMPARE(activated.size(), 1);
        QCOMPARE(activated.first().first().toString(), QStringLiteral("event-7"));
    }

    // A short reminder stays on one line each; a long note wraps at the
    // largest width instead of stretching the box across the screen.
    void inAppBoxIsSizedToItsText_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("oneLine");
        QTest::newRow("time in brackets") << QStringLiteral("Starts in 5 minutes (5:30 AM)") << true;
        QTest::newRow("long note") << QStringLiteral("Bring the signed contract, ").repeated(12) << false;
    }

    void inAppBoxIsSizedToItsText()
    {
        QFETCH(QString, body);
        QFETCH(bool, oneLine);
        auto *window = new QMainWindow;
        window->resize(900, 600);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        InAppNotifier notifier;
        QCOMPARE(deliver(notifier, message(QStringLiteral("Team standup"), body)), std::optional<bool>(true));
        QMessageBox *box = openMessageBox(window);
        QVERIFY(box);
        QLabel *label = nullptr;
        for (QLabel *candidate : box->findChildren<QLabel *>()) {
            if (candidate->text() == body)
                label = candidate;
        }
        QVERIFY(label);
        QTRY_VERIFY(label->isVisible());
        const int lineHeight = label->fontMetrics().lineSpacing();
        // The height the text needs at the width it was given.
        const int needed = label->heightForWidth(label->width()) - label->contentsMargins().top()
                           - label->contentsMargins().bottom();
        QVERIFY2((needed < 2 * lineHeight) == oneLine,
                 qPrintable(QStringLiteral("%1 wide needs %2, line %3").arg(label->width()).arg(needed).arg(lineHeight)));
        QVERIFY(label->width() <= InAppNotifier::MaxTextWidth);
        window->close();
        delete window;
    }

private:
    PrivateSessionBus m_bus;
    std::optional<QDBusConnection> m_client;
    std::optional<QDBusConnection> m_serverConnection;
    std::unique_ptr<FakeNotificationServer> m_server;
    int m_round = 0;
};

QTEST_MAIN(TestNotifiers)
#include "tst_notifiers.moc"
