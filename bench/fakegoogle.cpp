// The local stand-in for Google Calendar, for trying a Google account in the
// running program by hand: with --seed it first stores a Google account, its
// calendar and a valid token set in the data folder named by
// CALENDAR_DATA_DIR, then prints the environment to start the program with
// and serves until it is stopped. Not a benchmark.
#include <QApplication>
#include <QDateTime>
#include <QJsonObject>
#include <QTextStream>

#include "app/appstate.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "sync/google/googleauthservice.h"
#include "tests/support/fakegoogleserver.h"

namespace {

const QString CalendarAddress = QStringLiteral("primary@example.com");
const QString AccessToken = QStringLiteral("ya29.by-hand");

bool seed()
{
    AppState state;
    if (!state.initialize())
        return false;
    Account account;
    account.id = QStringLiteral("google-by-hand");
    account.name = QStringLiteral("ada@example.com");
    account.type = AccountType::Google;
    Calendar calendar;
    calendar.id = QStringLiteral("google-by-hand-primary");
    calendar.name = QStringLiteral("Ada (Google)");
    calendar.account_id = account.id;
    calendar.url = CalendarAddress;
    calendar.sync_enabled = true;
    return state.accounts()->insert(account) && state.calendars()->insert(calendar)
        && Google::AuthService::saveTokens(
               account.id, Google::StoredTokens{AccessToken, QStringLiteral("1//by-hand"),
                                                QDateTime::currentDateTimeUtc().addDays(1)});
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--seed")) && !seed())
        return 2;

    FakeGoogleServer server;
    if (!server.start())
        return 1;
    server.addAccessToken(AccessToken);
    const QDateTime start(QDate::currentDate(), QTime(11, 0));
    server.putEvent(CalendarAddress,
                    QJsonObject{{QStringLiteral("summary"), QStringLiteral("Planning call from Google")},
                                {QStringLiteral("start"),
                                 QJsonObject{{QStringLiteral("dateTime"), start.toUTC().toString(Qt::ISODate)}}},
                                {QStringLiteral("end"),
                                 QJsonObject{{QStringLiteral("dateTime"),
                                              start.addSecs(3600).toUTC().toString(Qt::ISODate)}}}});
    server.onRequest = [](const LocalHttpServer::Request &request) {
        QTextStream(stdout) << request.method << ' ' << request.target << Qt::endl;
    };
    const QString base = server.baseUrl().toString();
    QTextStream(stdout) << "GOOGLE_API_URL=" << base << "\nGOOGLE_TOKEN_URL=" << base
                        << "\nGOOGLE_ACCOUNTS_URL=" << base << Qt::endl;
    return app.exec();
}
