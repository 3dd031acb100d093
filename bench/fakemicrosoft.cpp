// The local stand-in for Microsoft Graph, for trying a Microsoft account in
// the running program by hand: with --seed it first stores a Microsoft
// account, its default calendar and a valid token set in the data folder
// named by CALENDAR_DATA_DIR, then prints the environment to start the
// program with and serves until it is stopped. With --add-after <ms> a
// second event appears in Outlook that long after the start, for the next
// sync to bring. Not a benchmark.
#include <QApplication>
#include <QDateTime>
#include <QJsonObject>
#include <QTextStream>
#include <QTimer>

#include "app/appstate.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "tests/support/fakemicrosoftserver.h"

namespace {

const QString CalendarId = QStringLiteral("AAMkByHandDefault=");
const QString AccessToken = QStringLiteral("EwB.by-hand");

bool seed()
{
    AppState state;
    if (!state.initialize())
        return false;
    Account account;
    account.id = QStringLiteral("microsoft-by-hand");
    account.name = QStringLiteral("ada@example.com");
    account.username = QStringLiteral("ada@example.com");
    account.type = AccountType::Microsoft;
    Calendar calendar;
    calendar.id = QStringLiteral("microsoft-by-hand-default");
    calendar.name = QStringLiteral("Ada (Outlook)");
    calendar.account_id = account.id;
    calendar.url = CalendarId;
    calendar.sync_enabled = true;
    return state.accounts()->insert(account) && state.calendars()->insert(calendar)
        && Microsoft::AuthService::saveTokens(
               account.id, Microsoft::StoredTokens{AccessToken, QStringLiteral("M.by-hand"),
                                                   QDateTime::currentDateTimeUtc().addDays(1)});
}

QJsonObject graphTime(const QDateTime &when)
{
    return QJsonObject{{QStringLiteral("dateTime"), when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.0000000"))},
                       {QStringLiteral("timeZone"), QStringLiteral("UTC")}};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--seed")) && !seed())
        return 2;

    FakeMicrosoftServer server;
    if (!server.start())
        return 1;
    server.addAccessToken(AccessToken);
    server.addCalendar(QJsonObject{{QStringLiteral("id"), CalendarId},
                                   {QStringLiteral("name"), QStringLiteral("Calendar")},
                                   {QStringLiteral("isDefaultCalendar"), true}});
    const QDateTime start(QDate::currentDate(), QTime(14, 0));
    server.putEvent(CalendarId, QJsonObject{{QStringLiteral("subject"), QStringLiteral("Design review from Outlook")},
                                            {QStringLiteral("body"),
                                             QJsonObject{{QStringLiteral("contentType"), QStringLiteral("html")},
                                                         {QStringLiteral("content"), QStringLiteral("<p>Bring the mock-ups</p>")}}},
                                            {QStringLiteral("originalStartTimeZone"), QStringLiteral("W. Europe Standard Time")},
                                            {QStringLiteral("start"), graphTime(start)},
                                            {QStringLiteral("end"), graphTime(start.addSecs(3600))}});
    const int addAfter = app.arguments().indexOf(QStringLiteral("--add-after"));
    if (addAfter > 0 && addAfter + 1 < app.arguments().size()) {
        QTimer::singleShot(app.arguments().at(addAfter + 1).toInt(), &server, [&server, start] {
            server.putEvent(CalendarId, QJsonObject{{QStringLiteral("subject"), QStringLiteral("Added in Outlook later")},
                                                    {QStringLiteral("start"), graphTime(start.addSecs(7200))},
                                                    {QStringLiteral("end"), graphTime(start.addSecs(9000))}});
            QTextStream(stdout) << "added an event" << Qt::endl;
        });
    }
    server.onRequest = [](const LocalHttpServer::Request &request) {
        QTextStream(stdout) << request.method << ' ' << request.target << Qt::endl;
    };
    QTextStream(stdout) << "MICROSOFT_GRAPH_URL=" << server.graphRoot().toString()
                        << "\nMICROSOFT_LOGIN_URL=" << server.baseUrl().toString() << Qt::endl;
    return app.exec();
}
