#pragma once

#include "app/appstate.h"
#include "calendar/recurrence.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "sync/google/googleauthservice.h"
#include "sync/google/googleeventmapping.h"
#include "sync/google/googlesyncclient.h"
#include "sync/microsoft/microsoftauthservice.h"
#include "sync/microsoft/microsofteventmapping.h"
#include "sync/microsoft/microsoftsyncclient.h"
#include "tests/support/fakegoogleserver.h"
#include "tests/support/fakemicrosoftserver.h"
#include "tests/support/memorytokenstore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <memory>

// A Google or an Outlook calendar of the application state, synced with
// its provider's fake server on 127.0.0.1 through that provider's sync
// client, and what another device writes there and reads from it. The
// account's own address is ada@example.com.
class ProviderCalendar
{
public:
    enum class Kind { Google, Outlook };

    static inline const QString CalendarId = QStringLiteral("provider");
    static inline const QString Me = QStringLiteral("ada@example.com");

    ProviderCalendar(Kind kind, AppState *state)
        : m_kind(kind)
        , m_state(state)
        , m_secrets(std::make_shared<QHash<QString, QString>>())
    {
        if (kind == Kind::Google) {
            m_google = std::make_unique<FakeGoogleServer>();
            m_ready = m_google->start();
            m_google->addAccessToken(QStringLiteral("ya29.stored"));
            m_google->addRefreshToken(QStringLiteral("1//stored"));
        } else {
            m_outlook = std::make_unique<FakeMicrosoftServer>();
            m_ready = m_outlook->start();
            m_outlook->addAccessToken(QStringLiteral("EwB.stored"));
            m_outlook->addRefreshToken(QStringLiteral("M.stored"));
            m_outlook->meAddress = Me;
            m_outlook->addCalendar(QJsonObject{{QStringLiteral("id"), QStringLiteral("AAMkDefault=")},
                                               {QStringLiteral("name"), QStringLiteral("Calendar")},
                                               {QStringLiteral("isDefaultCalendar"), true}});
        }
        m_ready = m_ready && addCalendar();
        makeClient();
    }

    bool isReady() const { return m_ready; }
    Kind kind() const { return m_kind; }
    // The calendar's id there.
    QString remoteCalendar() const
    {
        return m_kind == Kind::Google ? QStringLiteral("team@example.com") : QStringLiteral("AAMkDefault=");
    }
    FakeGoogleServer *google() const { return m_google.get(); }
    FakeMicrosoftServer *outlook() const { return m_outlook.get(); }
    ScriptedHttpFront *front() const
    {
        return m_google ? static_cast<ScriptedHttpFront *>(m_google.get()) : m_outlook.get();
    }

    // One run of the calendar's sync: empty when it completed, else why not.
    QString sync()
    {
        QStringList failures;
        bool done = false;
        QObject context;
        Sync::CalendarSyncClient *client = m_client.get();
        QObject::connect(client, &Sync::CalendarSyncClient::calendarSyncCompleted, &context,
                         [&done] { done = true; });
        QObject::connect(client, &Sync::CalendarSyncClient::calendarSyncFailed, &context,
                         [&](const QString &id, const QString &reason) {
                             failures.append(reason);
                             if (!client->isSyncing(id))
                                 done = true;
                         });
        client->syncCalendar(m_state->calendars()->getById(CalendarId).value());
        if (!QTest::qWaitFor([&done] { return done; }, 15000))
            failures.append(QStringLiteral("<no final signal>"));
        return failures.join(QLatin1String("; "));
    }

    // Another device stores the event (the provider's JSON) and gets it as
    // stored, its id with it.
    QJsonObject put(const QJsonObject &event)
    {
        return m_google ? m_google->putEvent(remoteCalendar(), event) : m_outlook->putEvent(remoteCalendar(), event);
    }
    std::optional<QJsonObject> copyThere(const QString &id) const
    {
        return m_google ? m_google->event(remoteCalendar(), id) : m_outlook->event(id);
    }

    // A daily series of `count` days from `first`, an hour long, as another
    // device stores it, with `members` over it.
    QJsonObject putSeries(const QString &title, const QDateTime &first, int count,
                          const QJsonObject &members = QJsonObject())
    {
        QJsonObject series = timed(title, first);
        if (m_google) {
            series.insert(QStringLiteral("recurrence"),
                          QJsonArray{QStringLiteral("RRULE:FREQ=DAILY;COUNT=%1").arg(count)});
        } else {
            series.insert(QStringLiteral("recurrence"),
                          QJsonObject{{QStringLiteral("pattern"), QJsonObject{{QStringLiteral("type"), QStringLiteral("daily")},
                                                                             {QStringLiteral("interval"), 1}}},
                                      {QStringLiteral("range"),
                                       QJsonObject{{QStringLiteral("type"), QStringLiteral("numbered")},
                                                   {QStringLiteral("numberOfOccurrences"), count},
                                                   {QStringLiteral("startDate"), first.date().toString(Qt::ISODate)}}}});
        }
        for (auto it = members.constBegin(); it != members.constEnd(); ++it)
            series.insert(it.key(), it.value());
        const QJsonObject stored = put(series);
        // Graph's delta lists a series by its occurrences.
        for (int day = 0; m_outlook && day < count; ++day) {
            QJsonObject occurrence = series;
            occurrence.remove(QStringLiteral("recurrence"));
            const QJsonObject moved = timed(title, first.addDays(day));
            for (auto it = moved.constBegin(); it != moved.constEnd(); ++it)
                occurrence.insert(it.key(), it.value());
            const QString seriesId = stored.value(QStringLiteral("id")).toString();
            occurrence.insert(QStringLiteral("id"),
                              seriesId + QLatin1Char('_') + first.addDays(day).toUTC().toString(QStringLiteral("yyyyMMdd")));
            occurrence.insert(QStringLiteral("type"), QStringLiteral("occurrence"));
            occurrence.insert(QStringLiteral("seriesMasterId"), seriesId);
            occurrence.insert(QStringLiteral("originalStart"), first.addDays(day).toUTC().toString(Qt::ISODate));
            put(occurrence);
        }
        return stored;
    }

    // A single event an hour long, as another device stores it.
    QJsonObject timed(const QString &title, const QDateTime &start) const
    {
        const QString titleKey = m_google ? QStringLiteral("summary") : QStringLiteral("subject");
        return QJsonObject{{titleKey, title}, {QStringLiteral("start"), time(start)},
                           {QStringLiteral("end"), time(start.addSecs(3600))}};
    }

    QJsonObject time(const QDateTime &at) const
    {
        if (m_google)
            return QJsonObject{{QStringLiteral("dateTime"), at.toUTC().toString(Qt::ISODate)}};
        return QJsonObject{{QStringLiteral("dateTime"), at.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz0000"))},
                           {QStringLiteral("timeZone"), QStringLiteral("UTC")}};
    }

    // Another device changes the series' occurrence at `original`: moved
    // to `start`, retitled, `members` over it. False when it has none there.
    bool changeDay(const QString &seriesId, const QDateTime &original, const QDateTime &start, const QString &title,
                   const QJsonObject &members = QJsonObject())
    {
        const std::optional<QJsonObject> instance = instanceAt(seriesId, original);
        if (!instance)
            return false;
        QJsonObject changed = *instance;
        const QJsonObject moved = timed(title, start);
        for (auto it = moved.constBegin(); it != moved.constEnd(); ++it)
            changed.insert(it.key(), it.value());
        for (auto it = members.constBegin(); it != members.constEnd(); ++it)
            changed.insert(it.key(), it.value());
        if (m_outlook)
            changed.insert(QStringLiteral("type"), QStringLiteral("exception"));
        put(changed);
        return true;
    }

    // The series' instance there at `original`, as another device lists it.
    std::optional<QJsonObject> instanceAt(const QString &seriesId, const QDateTime &original) const
    {
        for (const QJsonObject &instance : instancesOf(seriesId, original.addDays(-1), original.addDays(2))) {
            if (recordOf(instance).recurrence_id == Recurrence::recurrenceIdAt(original, false))
                return instance;
        }
        return std::nullopt;
    }

    // The live events there from `from` for `days` days, as another device
    // shows them: start on this computer's clock and title, sorted.
    QStringList shownThere(const QDateTime &from, int days) const
    {
        const QDateTime to = from.addDays(days);
        QStringList shown;
        const auto show = [&](const QJsonObject &event) {
            const Event record = recordOf(event);
            if (record.status == QLatin1String("cancelled") || record.start_time < from || !(record.start_time < to))
                return;
            shown.append(record.start_time.toLocalTime().toString(QStringLiteral("MM-dd HH:mm ")) + record.title);
        };
        const QList<QJsonObject> all = m_google ? m_google->events(remoteCalendar()) : m_outlook->events(remoteCalendar());
        for (const QJsonObject &event : all) {
            const Event record = recordOf(event);
            if (!record.master_event_uid.isEmpty())
                continue;
            if (record.recurrence_rule.isEmpty()) {
                show(event);
                continue;
            }
            if (record.status == QLatin1String("cancelled"))
                continue;
            for (const QJsonObject &instance : instancesOf(record.provider_event_id, from, to))
                show(instance);
        }
        shown.sort();
        return shown;
    }

    Event recordOf(const QJsonObject &event) const
    {
        return m_google ? Google::eventFromJson(event, CalendarId) : Microsoft::eventFromGraph(event, CalendarId);
    }

    // The bodies of the requests of `method` sent to the calendar's events.
    QList<QJsonObject> sent(const QByteArray &method) const
    {
        QList<QJsonObject> bodies;
        for (const LocalHttpServer::Request &request : front()->requests()) {
            if (request.method == method)
                bodies.append(QJsonDocument::fromJson(request.body).object());
        }
        return bodies;
    }

private:
    QList<QJsonObject> instancesOf(const QString &seriesId, const QDateTime &from, const QDateTime &to) const
    {
        if (m_google)
            return m_google->seriesInstances(remoteCalendar(), seriesId);
        return m_outlook->seriesInstances(seriesId, from, to);
    }

    bool addCalendar()
    {
        Account account;
        account.id = QStringLiteral("provider-account");
        account.name = Me;
        account.username = Me;
        account.type = m_google ? AccountType::Google : AccountType::Microsoft;
        account.created_at = account.updated_at = QDateTime::currentDateTimeUtc();
        Calendar calendar;
        calendar.id = CalendarId;
        calendar.account_id = account.id;
        calendar.url = remoteCalendar();
        calendar.name = QStringLiteral("Team");
        MemoryTokenStore tokens(m_secrets);
        const QDateTime expiry = QDateTime::currentDateTimeUtc().addSecs(3600);
        const bool saved = m_google
            ? Google::AuthService::saveTokens(tokens, account.id,
                                              {QStringLiteral("ya29.stored"), QStringLiteral("1//stored"), expiry})
            : Microsoft::AuthService::saveTokens(tokens, account.id,
                                                 {QStringLiteral("EwB.stored"), QStringLiteral("M.stored"), expiry});
        return saved && m_state->accounts()->insert(account) && m_state->calendars()->insert(calendar);
    }

    void makeClient()
    {
        const Sync::Repositories store{m_state->database(), m_state->events(), nullptr, m_state->calendars(),
                                       m_state->accounts()};
        auto secrets = m_secrets;
        const auto tokens = [secrets] { return std::make_unique<MemoryTokenStore>(secrets); };
        if (m_google) {
            Google::Endpoints endpoints;
            endpoints.accountsBase = endpoints.tokenBase = endpoints.apiBase = m_google->baseUrl();
            endpoints.clientId = m_google->clientId;
            endpoints.clientSecret = m_google->clientSecret;
            endpoints.transferTimeoutMs = 5000;
            endpoints.retryBaseMs = 10;
            auto client = std::make_unique<Google::SyncClient>(store, endpoints);
            client->setTokenStoreMaker(tokens);
            m_client = std::move(client);
        } else {
            Microsoft::Endpoints endpoints;
            endpoints.authority = m_outlook->baseUrl();
            endpoints.graphRoot = m_outlook->graphRoot();
            endpoints.clientId = m_outlook->clientId;
            endpoints.transferTimeoutMs = 5000;
            auto client = std::make_unique<Microsoft::SyncClient>(store, endpoints);
            client->setTokenStoreMaker(tokens);
            m_client = std::move(client);
        }
    }

    Kind m_kind;
    AppState *m_state;
    MemoryTokenStore::Entries m_secrets;
    std::unique_ptr<FakeGoogleServer> m_google;
    std::unique_ptr<FakeMicrosoftServer> m_outlook;
    std::unique_ptr<Sync::CalendarSyncClient> m_client;
    bool m_ready = false;
};
