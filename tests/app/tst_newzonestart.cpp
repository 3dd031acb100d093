// The program's own start on a computer whose zone is not the one its
// floating rows were pinned in: the window's frame paints without waiting
// for them, and they are pinned on the new wall clock before any of the
// contents paints, so that a floating 09:00 shows at 09:00 from the first.
// The process has one application object, so the start is one case.
#include "app/application.h"
#include "app/appstate.h"
#include "app/platform/datadirectory.h"
#include "calendar/icscodec.h"
#include "store/database.h"
#include "store/eventrepository.h"
#include "tests/support/programstart.h"
#include "tests/support/teststore.h"
#include "ui/mainwindow.h"

#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

namespace {

const char kZoneKey[] = "SELECT value FROM settings WHERE key = 'time/floatingZone'";

// Where the floating rows were read: not this computer's zone.
QByteArray readIn()
{
    return QTimeZone::systemTimeZoneId() == "Asia/Tokyo" ? QByteArray("America/New_York") : QByteArray("Asia/Tokyo");
}

// The zone the store holds its floating rows pinned in, at each first
// paint of the window: its frame, and anything of its contents.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(Application *app)
        : m_app(app)
    {
        qApp->installEventFilter(this);
    }

    QString atFramePaint;
    QString atContentsPaint;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto *window = qobject_cast<MainWindow *>(static_cast<QWidget *>(watched)->window());
        if (!window)
            return false;
        QString &seen = watched == window ? atFramePaint : atContentsPaint;
        if (seen.isNull())
            seen = recordedZone();
        return false;
    }

private:
    QString recordedZone() const
    {
        QSqlQuery read(m_app->appState()->database()->database());
        return read.exec(QString::fromLatin1(kZoneKey)) && read.next() ? read.value(0).toString() : QString();
    }

    Application *m_app;
};

} // namespace

class TestNewZoneStart : public QObject
{
    Q_OBJECT

public:
    explicit TestNewZoneStart(Application *app)
        : m_app(app)
    {
    }

private Q_SLOTS:
    // The store as a start in the other zone left it: a floating walk at
    // 09:00 there.
    void initTestCase()
    {
        Database db;
        QVERIFY(db.open(databasePath(), QStringLiteral("there")) && db.migrate());
        QVERIFY(seedLocalCalendars(&db, {QStringLiteral("c")}));
        const QTimeZone there(readIn());
        Event walk = IcsCodec::parseEvents(QStringLiteral("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:walk\r\n"
                                                          "DTSTART:20260302T090000\r\nDTEND:20260302T100000\r\n"
                                                          "RRULE:FREQ=WEEKLY\r\nSUMMARY:Walk\r\nEND:VEVENT\r\n"
                                                          "END:VCALENDAR\r\n"))
                         .value(0);
        walk.id = QStringLiteral("walk");
        walk.calendar_id = QStringLiteral("c");
        walk.start_time = QDateTime(QDate(2026, 3, 2), QTime(9, 0), there);
        walk.end_time = QDateTime(QDate(2026, 3, 2), QTime(10, 0), there);
        EventRepository events(&db);
        events.holdChanges(true);
        QVERIFY(events.insert(walk));
        QSqlQuery zone(db.database());
        QVERIFY(zone.exec(QStringLiteral("UPDATE settings SET value = '%1' WHERE key = 'time/floatingZone'")
                              .arg(QString::fromUtf8(readIn()))));
    }

    void frameShowsAtOnceAndContentsShowFloatingTimesPinnedHere()
    {
        m_app->setTrayPresence([] { return false; });
        PaintWatch watch(m_app);
        QTimer turn;
        turn.setInterval(0);
        connect(&turn, &QTimer::timeout, m_app, [this] {
            if (m_app->mainWindow() && m_app->mainWindow()->isBuilt())
                QCoreApplication::quit();
        });
        QTimer::singleShot(0, &turn, qOverload<>(&QTimer::start));
        QTimer::singleShot(30000, m_app, &QCoreApplication::quit);
        QCOMPARE(m_app->run(), 0);

        const QString here = QString::fromUtf8(QTimeZone::systemTimeZoneId());
        QCOMPARE(watch.atFramePaint, QString::fromUtf8(readIn()));
        QCOMPARE(watch.atContentsPaint, here);
        const std::optional<Event> walk = m_app->appState()->events()->getById(QStringLiteral("walk"));
        QVERIFY(walk);
        QCOMPARE(walk->start_time.toLocalTime(), QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    }

private:
    Application *m_app;
};

int main(int argc, char **argv)
{
    ProgramStart start;
    Application app(argc, argv, Application::Assets::AfterTheFirstFrame);
    TestNewZoneStart test(&app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_newzonestart.moc"
