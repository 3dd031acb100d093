// The local stand-in for the Tindlebrook cloud service, for trying the cloud
// sign-in of the running program by hand: prints the environment to start
// the program with and serves until it is stopped. With --seed it holds two
// cloud calendars with events around the current week. Not a benchmark.
#include <QCoreApplication>
#include <QDate>
#include <QJsonObject>
#include <QTextStream>

#include "tests/support/fakecloudserver.h"

namespace {

void seed(FakeCloudCalendars &cloud)
{
    cloud.addCalendar(QJsonObject{{"id", "team"}, {"name", "Team"}, {"color", "#0F9D58"}, {"timezone", "UTC"}});
    cloud.addCalendar(QJsonObject{{"id", "family"}, {"name", "Family"}, {"color", "#DB4437"}});
    const QDate monday = QDate::currentDate().addDays(1 - QDate::currentDate().dayOfWeek());
    const QString format = QStringLiteral("yyyyMMdd'T'HHmmss");
    const auto put = [&](const char *calendar, const QString &uid, const QString &title, int day, int hour,
                         int minutes) {
        const QDateTime start(monday.addDays(day), QTime(hour, 0));
        cloud.putEvent(QLatin1String(calendar), uid,
                       QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other Device//EN\r\n"
                                      "BEGIN:VEVENT\r\nUID:%1\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:%2\r\n"
                                      "DTEND:%3\r\nSUMMARY:%4\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                           .arg(uid, start.toString(format), start.addSecs(minutes * 60).toString(format), title));
    };
    put("team", QStringLiteral("team-standup-mon"), QStringLiteral("Team stand-up"), 0, 9, 30);
    put("team", QStringLiteral("team-planning"), QStringLiteral("Sprint planning"), 1, 10, 90);
    put("team", QStringLiteral("team-review"), QStringLiteral("Design review"), 2, 14, 60);
    put("team", QStringLiteral("team-retro"), QStringLiteral("Retrospective"), 4, 15, 60);
    put("family", QStringLiteral("family-dinner"), QStringLiteral("Dinner with grandparents"), 2, 18, 120);
    put("family", QStringLiteral("family-swim"), QStringLiteral("Swimming lesson"), 3, 16, 60);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    FakeCloudServer server;
    if (!server.listen())
        return 1;
    if (app.arguments().contains(QStringLiteral("--seed")))
        seed(server.calendars());
    QTextStream out(stdout);
    out << "AUTH_API_URL=" << server.authApiUrl() << "\n"
        << "ACCOUNT_API_URL=" << server.accountApiUrl() << "\n"
        << "SYNC_API_URL=" << server.syncApiUrl() << "\n"
        << "ACCOUNT_PORTAL_URL=" << server.portalUrl() << "\n"
        << "AUTH_REALM_SLUG=" << FakeCloudServer::RealmSlug << Qt::endl;
    return app.exec();
}
