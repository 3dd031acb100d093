#include "sync/caldav/caldavcalendarcalls.h"

#include <QDateTime>
#include <QUuid>

#include "sync/caldav/caldavclient.h"
#include "sync/caldav/caldavpropstat.h"
#include "sync/caldav/caldavxml.h"

#include <algorithm>
#include <utility>

namespace {

using Result = CalDavCalendarCalls::Result;
using Outcome = CalDavCalendarCalls::Outcome;

// A multistatus confirms an edit only with a 200 for every property sent: a
// status for the whole request, or none at all, means nothing was changed.
bool confirmsEvery(const CalDavPropStat::Outcome &outcome, const QList<CalDavPropStat::PropertyStatus> &sent)
{
    return std::all_of(sent.cbegin(), sent.cend(), [&outcome](const CalDavPropStat::PropertyStatus &property) {
        return outcome.properties.contains(property);
    });
}

Result propPatchResult(const CalDavClient::Response &response, const QList<CalDavPropStat::PropertyStatus> &sent)
{
    if (!response.error.isEmpty())
        return {Outcome::NetworkError, 0, response.error};
    int refusedStatus = response.status;
    // Only a multistatus answers per property: a 403 on one (and 424 on the
    // rest) means nothing was changed, and a 200 without one (a login page
    // on the way) confirms nothing.
    if (response.status == 207 || response.status == 200) {
        const CalDavPropStat::Outcome outcome = CalDavPropStat::parse(response.body);
        if (outcome.readable && outcome.failures().isEmpty() && confirmsEvery(outcome, sent))
            return {};
        refusedStatus = outcome.readable ? outcome.decisiveFailure() : 0;
        if (refusedStatus == 0 && outcome.readable && (outcome.requestStatus < 200 || outcome.requestStatus > 299))
            refusedStatus = outcome.requestStatus;
        if (refusedStatus == 0)
            return {Outcome::Unconfirmed, 0, QString()};
    }
    return {Outcome::Refused, refusedStatus, QString()};
}

QByteArray probeTodo(const QString &uid)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tindlebrook//probe//EN\r\nBEGIN:VTODO\r\n"
                          "UID:%1\r\nDTSTAMP:%2\r\nSUMMARY:Tindlebrook task-support check\r\nSTATUS:NEEDS-ACTION\r\n"
                          "END:VTODO\r\nEND:VCALENDAR\r\n")
        .arg(uid, QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddTHHmmssZ")))
        .toUtf8();
}

} // namespace

CalDavCalendarCalls::CalDavCalendarCalls(const QString &username, const QString &password,
                                         const QString &pinnedFingerprint, QObject *parent)
    : QObject(parent)
    , m_client(new CalDavClient(this))
{
    m_client->setCredentials(username, password);
    if (!pinnedFingerprint.isEmpty())
        m_client->setPinnedFingerprint(pinnedFingerprint);
}

void CalDavCalendarCalls::createCalendar(const QUrl &url, const QString &name, const QString &color, Callback done)
{
    QPointer<CalDavCalendarCalls> self(this);
    m_client->mkcalendar(url, CalDavXml::mkCalendar(name, color, QString()),
                         [self, url, done](const CalDavClient::Response &response) {
                             if (self)
                                 self->onCreated(response, url, done);
                         });
}

void CalDavCalendarCalls::onCreated(const CalDavClient::Response &response, const QUrl &url, const Callback &done)
{
    if (!m_client)
        return;
    if (!response.error.isEmpty()) {
        done({Outcome::NetworkError, 0, response.error});
        return;
    }
    if (response.status != 201 && response.status != 207) {
        done({Outcome::Refused, response.status, QString()});
        return;
    }
    // Some servers answer MKCALENDAR with success and make nothing.
    QPointer<CalDavCalendarCalls> self(this);
    m_client->propfind(url, CalDavXml::propfindCalendars(), 0, [self, done](const CalDavClient::Response &check) {
        if (!self)
            return;
        if (!check.error.isEmpty() || (check.status != 200 && check.status != 207))
            done({Outcome::Unconfirmed, check.status, check.error});
        else
            done({});
    });
}

void CalDavCalendarCalls::changeProperties(const QUrl &url, const QString &newName, const QString &newColor,
                                           Callback done)
{
    QList<CalDavPropStat::PropertyStatus> sent;
    if (!newName.isEmpty())
        sent.append({QLatin1String(CalDavXml::kDavNs), QStringLiteral("displayname"), 200});
    if (!newColor.isEmpty())
        sent.append({QLatin1String(CalDavXml::kAppleIcalNs), QStringLiteral("calendar-color"), 200});
    QPointer<CalDavCalendarCalls> self(this);
    m_client->proppatch(url, CalDavXml::propPatch(newName, newColor, QString()),
                        [self, sent, done](const CalDavClient::Response &response) {
                            if (self)
                                done(propPatchResult(response, sent));
                        });
}

void CalDavCalendarCalls::probeTasks(const QUrl &calendarUrl, Callback done)
{
    const QString uid = QStringLiteral("tind-task-probe-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QUrl probeUrl = calendarUrl.resolved(QUrl(uid + QStringLiteral(".ics")));
    QPointer<CalDavCalendarCalls> self(this);
    m_client->put(probeUrl, probeTodo(uid), QStringLiteral("text/calendar; charset=utf-8"),
                  [self, probeUrl, done](const CalDavClient::Response &response) {
                      if (self)
                          self->onProbeWritten(response, probeUrl, done);
                  });
}

void CalDavCalendarCalls::onProbeWritten(const CalDavClient::Response &response, const QUrl &probeUrl,
                                         const Callback &done)
{
    if (!m_client)
        return;
    if (!response.error.isEmpty()) {
        done({Outcome::NetworkError, 0, response.error});
        return;
    }
    if (response.status < 200 || response.status > 299) {
        done({Outcome::Refused, response.status, QString()});
        return;
    }
    // The transport leaves with the DELETE, so whoever asked may go at once
    // without cutting it off; it goes once it has its answer.
    CalDavClient *client = std::exchange(m_client, nullptr);
    client->setParent(nullptr);
    client->del(probeUrl, [client](const CalDavClient::Response &) { client->deleteLater(); });
    done({});
}
