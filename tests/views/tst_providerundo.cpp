// Deletes from an event's card in a Google or an Outlook calendar and
// their Ctrl+Z, synced with the provider's fake server: what comes back is
// what the server held, here and on every other device.
#include "app/appstate.h"
#include "app/edits/undostack.h"
#include "calendar/recurrence.h"
#include "store/eventrepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/views/cardundo.h"
#include "tests/support/widgetfixture.h"
#include "tests/views/meetingparts.h"
#include "tests/views/providercalendar.h"
#include "ui/popovers/eventdetailspopover.h"
#include "views/day/dayview.h"

#include <QPushButton>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(ProviderCalendar::Kind)

namespace {

using Kind = ProviderCalendar::Kind;

// 08:00 on this computer's clock a week from today: every row's first day.
QDateTime firstDay()
{
    return QDateTime(QDate::currentDate().addDays(7), QTime(8, 0));
}

const char *nameOf(Kind kind)
{
    return kind == Kind::Google ? "Google" : "Outlook";
}

QJsonObject parsed(const char *json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

// A meeting as its provider holds it beyond what this program models: the
// guests, the meeting online, another app's properties or the categories,
// organized by the account or by someone else who invited it.
QJsonObject meetingParts(Kind kind, bool organized)
{
    QJsonObject parts;
    if (kind == Kind::Google) {
        parts = parsed(MeetingOnGoogle);
        parts.insert(QStringLiteral("organizer"),
                     QJsonObject{{QStringLiteral("email"), organized ? ProviderCalendar::Me : QStringLiteral("boss@example.com")}});
    } else {
        parts = parsed(MeetingInOutlook);
        parts.insert(QStringLiteral("organizer"),
                     QJsonObject{{QStringLiteral("emailAddress"),
                                  QJsonObject{{QStringLiteral("address"),
                                               organized ? ProviderCalendar::Me : QStringLiteral("boss@example.com")}}}});
    }
    return parts;
}

// What a changed day holds of its own there.
QJsonObject dayParts(Kind kind)
{
    return parsed(kind == Kind::Google ? R"({"extendedProperties":{"private":{"crmId":"43"}}})"
                                       : R"({"categories":["Green category"]})");
}

// The guests' addresses an event holds there, sorted.
QStringList guestsOf(Kind kind, const QJsonObject &event)
{
    QStringList guests;
    for (const QJsonValue &entry : event.value(QStringLiteral("attendees")).toArray()) {
        const QJsonObject attendee = entry.toObject();
        guests.append(kind == Kind::Google
                          ? attendee.value(QStringLiteral("email")).toString()
                          : attendee.value(QStringLiteral("emailAddress")).toObject().value(QStringLiteral("address")).toString());
    }
    guests.removeAll(ProviderCalendar::Me);
    guests.sort();
    return guests;
}

} // namespace

class TestProviderUndo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void undoneSeriesDeleteComesBackAsOneSeries_data();
    void undoneSeriesDeleteComesBackAsOneSeries();
    void undoneSeriesDeleteKeepsADayChangedElsewhere_data();
    void undoneSeriesDeleteKeepsADayChangedElsewhere();
    void undoneMeetingDeleteKeepsWhatTheServerHeld_data();
    void undoneMeetingDeleteKeepsWhatTheServerHeld();

private:
    // The card of the occurrence, and its Delete answered Yes.
    void deleteFromCard(const QString &id, const QDateTime &occurrence);
    // Ctrl+Z, and what the status bar is told of it.
    QString pressUndo();
    // The occurrences this device shows from `from` for `days` days: start
    // and title, sorted.
    QStringList shownHere(const QDateTime &from, int days) const;
    EventRepository *events() const { return m_fixture->state()->events(); }

    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<DayView> m_view;
    std::unique_ptr<ModalAnswerer> m_answerer;
};

void TestProviderUndo::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    m_view = std::make_unique<DayView>(m_fixture->state());
    m_answerer = std::make_unique<ModalAnswerer>();
}

void TestProviderUndo::cleanup()
{
    EventDetailsPopover::closeCurrent();
    m_answerer.reset();
    m_view.reset();
    m_fixture.reset();
}

void TestProviderUndo::deleteFromCard(const QString &id, const QDateTime &occurrence)
{
    m_view->setDate(occurrence.date());
    ::deleteFromCard(m_view.get(), m_answerer.get(), id, occurrence);
}

QString TestProviderUndo::pressUndo()
{
    return ::pressUndo(m_fixture->state()->undoStack());
}

QStringList TestProviderUndo::shownHere(const QDateTime &from, int days) const
{
    const QDateTime to = from.addDays(days);
    const QList<Event> rows = events()->getInRange(from, to);
    QStringList shown;
    for (const Occurrence &occurrence : Recurrence::occurrences(rows, from, to))
        shown.append(occurrence.start.toLocalTime().toString(QStringLiteral("MM-dd HH:mm ")) +
                     rows.at(occurrence.eventIndex).title);
    shown.sort();
    return shown;
}

void TestProviderUndo::undoneSeriesDeleteComesBackAsOneSeries_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("madeHere"); // else made there and pulled
    QTest::addColumn<bool>("sentFirst"); // the deletion went up before Ctrl+Z
    for (Kind kind : {Kind::Google, Kind::Outlook}) {
        for (bool madeHere : {true, false}) {
            for (bool sentFirst : {true, false})
                QTest::addRow("%s, %s, undone %s", nameOf(kind), madeHere ? "made here" : "pulled",
                              sentFirst ? "after the push" : "before the push")
                    << kind << madeHere << sentFirst;
        }
    }
}

// A daily series whose second day was changed on another device, deleted
// from its card and given back with Ctrl+Z: every day shows once, here and
// there, the changed one as it was changed. A series made here goes as one
// series again, its changed day as its instance.
void TestProviderUndo::undoneSeriesDeleteComesBackAsOneSeries()
{
    QFETCH(Kind, kind);
    QFETCH(bool, madeHere);
    QFETCH(bool, sentFirst);
    ProviderCalendar provider(kind, m_fixture->state());
    QVERIFY(provider.isReady());
    const QDateTime first = firstDay();
    QString seriesId;
    if (madeHere) {
        Event series = WidgetFixture::timedEvent(QStringLiteral("Standup"), first, first.addSecs(1800),
                                                 ProviderCalendar::CalendarId);
        series.recurrence_rule = QStringLiteral("FREQ=DAILY;COUNT=5");
        series.sync_status = SyncStatus::Pending;
        seriesId = m_fixture->addEvent(series).id;
        QCOMPARE(provider.sync(), QString());
    } else {
        const QJsonObject there = provider.putSeries(QStringLiteral("Standup"), first, 5);
        QCOMPARE(provider.sync(), QString());
        const std::optional<Event> pulled =
            events()->getByProviderEventId(ProviderCalendar::CalendarId, there.value(QStringLiteral("id")).toString());
        QVERIFY(pulled);
        seriesId = pulled->id;
    }
    const QString remoteId = m_fixture->storedEvent(seriesId).provider_event_id;
    QVERIFY(!remoteId.isEmpty());
    QVERIFY(provider.changeDay(remoteId, first.addDays(1), first.addDays(1).addSecs(5 * 3600),
                               QStringLiteral("Standup (there)")));
    QCOMPARE(provider.sync(), QString());
    const QStringList shown = shownHere(first.addSecs(-3600), 6);
    QCOMPARE(shown.size(), 5);
    QCOMPARE(provider.shownThere(first.addSecs(-3600), 6), shown);

    deleteFromCard(seriesId, first);
    QCOMPARE(shownHere(first.addSecs(-3600), 6), QStringList());
    if (sentFirst) {
        QCOMPARE(provider.sync(), QString());
        QCOMPARE(provider.shownThere(first.addSecs(-3600), 6), QStringList());
    }
    QCOMPARE(pressUndo(), QStringLiteral("Undid Deleted \"Standup\""));
    QCOMPARE(shownHere(first.addSecs(-3600), 6), shown);
    QCOMPARE(provider.sync(), QString());
    QCOMPARE(provider.sync(), QString());
    QCOMPARE(shownHere(first.addSecs(-3600), 6), shown);
    QCOMPARE(provider.shownThere(first.addSecs(-3600), 6), shown);
}

void TestProviderUndo::undoneSeriesDeleteKeepsADayChangedElsewhere_data()
{
    QTest::addColumn<Kind>("kind");
    // When the other device changes the third day: before the sync's pull,
    // as its push starts, or as its push starts while this device holds
    // the day changed there already.
    QTest::addColumn<QString>("when");
    QTest::addColumn<bool>("sent"); // else the deletion is refused and stays
    for (Kind kind : {Kind::Google, Kind::Outlook}) {
        QTest::addRow("%s, undone after the push", nameOf(kind)) << kind << "before the pull" << true;
        QTest::addRow("%s, undone after the deletion was refused", nameOf(kind)) << kind << "before the pull" << false;
        QTest::addRow("%s, changed as the push starts, undone after the push", nameOf(kind))
            << kind << "as the push starts" << true;
        QTest::addRow("%s, changed as the push starts, undone after the deletion was refused", nameOf(kind))
            << kind << "as the push starts" << false;
        QTest::addRow("%s, held changed, changed again as the push starts, undone after the push", nameOf(kind))
            << kind << "held changed" << true;
    }
}

// A daily series deleted from its card while another device moved its
// third day a day later and retitled it; the next sync sends the deletion,
// which takes the day along on the server, whether its pull stored the
// change or the other device made it after that pull, or changed again a
// day this device held changed. Ctrl+Z gives the day back as the other
// device left it, here and there.
void TestProviderUndo::undoneSeriesDeleteKeepsADayChangedElsewhere()
{
    QFETCH(Kind, kind);
    QFETCH(QString, when);
    QFETCH(bool, sent);
    ProviderCalendar provider(kind, m_fixture->state());
    QVERIFY(provider.isReady());
    const QDateTime first = firstDay();
    const QDateTime third = first.addDays(2);
    const QString remoteId = provider.putSeries(QStringLiteral("Walk"), first, 5).value(QStringLiteral("id")).toString();
    if (when == QLatin1String("held changed"))
        QVERIFY(provider.changeDay(remoteId, third, third, QStringLiteral("Walk (there)")));
    QCOMPARE(provider.sync(), QString());
    const std::optional<Event> series = events()->getByProviderEventId(ProviderCalendar::CalendarId, remoteId);
    QVERIFY(series);
    QStringList shown = shownHere(first.addSecs(-3600), 6);
    QCOMPARE(shown.size(), 5);

    deleteFromCard(series->id, first);
    const QDateTime moved = first.addDays(3).addSecs(3 * 3600);
    const auto changeThird = [&] { return provider.changeDay(remoteId, third, moved, QStringLiteral("Walk, moved")); };
    const QString thirdShown = third.toString(QStringLiteral("MM-dd HH:mm "));
    shown.removeIf([&thirdShown](const QString &day) { return day.startsWith(thirdShown); });
    shown.append(moved.toString(QStringLiteral("MM-dd HH:mm ")) + QStringLiteral("Walk, moved"));
    shown.sort();
    bool changed = false;
    if (when == QLatin1String("before the pull")) {
        QVERIFY(changeThird());
        changed = true;
    } else {
        // At the push's first request: the pull has listed the calendar's
        // changes (Google's by its sync token; Graph's delta of the default
        // calendar's view, which it looks up first) already.
        provider.front()->onRequest = [&](const LocalHttpServer::Request &request) {
            const QByteArray path = request.target.split('?').first();
            const bool pulling = path.endsWith("/token") || path.endsWith("/me/calendar")
                || path.contains("/calendarView") || request.target.contains("syncToken=")
                || request.target.contains("singleEvents=");
            if (!changed && !pulling)
                changed = changeThird();
        };
    }
    if (!sent)
        provider.front()->failNext({"DELETE", "", 400, false, 1});
    const QString synced = provider.sync();
    provider.front()->onRequest = nullptr;
    QVERIFY(changed);
    QCOMPARE(synced.isEmpty(), sent);
    QCOMPARE(provider.shownThere(first.addSecs(-3600), 6), sent ? QStringList() : shown);
    // Gone there, the day is gone here too.
    if (sent)
        QCOMPARE(shownHere(first.addSecs(-3600), 6), QStringList());
    QCOMPARE(pressUndo(), QStringLiteral("Undid Deleted \"Walk\""));
    QCOMPARE(shownHere(first.addSecs(-3600), 6), shown);
    QCOMPARE(provider.sync(), QString());
    QCOMPARE(provider.sync(), QString());
    QCOMPARE(shownHere(first.addSecs(-3600), 6), shown);
    QCOMPARE(provider.shownThere(first.addSecs(-3600), 6), shown);
}

void TestProviderUndo::undoneMeetingDeleteKeepsWhatTheServerHeld_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("series"); // daily, its second day changed there, else one meeting
    QTest::addColumn<bool>("organized"); // by the account, else by someone who invited it
    for (Kind kind : {Kind::Google, Kind::Outlook}) {
        for (bool series : {false, true}) {
            for (bool organized : {true, false})
                QTest::addRow("%s, %s, %s", nameOf(kind), series ? "series with a changed day" : "one meeting",
                              organized ? "organized here" : "an invitation")
                    << kind << series << organized;
        }
    }
}

// A synced meeting deleted from its card, the deletion sent, and Ctrl+Z:
// it goes up again from the copy the provider held, the meeting online,
// other apps' properties and the categories with it, each changed day's own
// as well. The account's own meeting comes back with its guests, who are
// invited again; an invitation comes back as a plain event, telling no one.
void TestProviderUndo::undoneMeetingDeleteKeepsWhatTheServerHeld()
{
    QFETCH(Kind, kind);
    QFETCH(bool, series);
    QFETCH(bool, organized);
    ProviderCalendar provider(kind, m_fixture->state());
    QVERIFY(provider.isReady());
    const QDateTime first = firstDay();
    const QJsonObject parts = meetingParts(kind, organized);
    const QJsonObject there = series ? provider.putSeries(QStringLiteral("Review"), first, 3, parts) : [&] {
        QJsonObject meeting = provider.timed(QStringLiteral("Review"), first);
        for (auto it = parts.constBegin(); it != parts.constEnd(); ++it)
            meeting.insert(it.key(), it.value());
        return provider.put(meeting);
    }();
    const QString remoteId = there.value(QStringLiteral("id")).toString();
    const QDateTime changedDay = first.addDays(1);
    if (series)
        QVERIFY(provider.changeDay(remoteId, changedDay, changedDay.addSecs(7200), QStringLiteral("Review (long)"),
                                   dayParts(kind)));
    QCOMPARE(provider.sync(), QString());
    const std::optional<Event> meeting = events()->getByProviderEventId(ProviderCalendar::CalendarId, remoteId);
    QVERIFY(meeting);
    const QStringList shown = shownHere(first.addSecs(-3600), 4);
    QCOMPARE(shown.size(), series ? 3 : 1);

    deleteFromCard(meeting->id, first);
    QCOMPARE(provider.sync(), QString());
    QCOMPARE(provider.shownThere(first.addSecs(-3600), 4), QStringList());
    const qsizetype sentBefore = provider.front()->requests().size();
    QCOMPARE(pressUndo(), organized ? QStringLiteral("Undid Deleted \"Review\", its guests invited again")
                                    : QStringLiteral("Undid Deleted \"Review\""));
    QCOMPARE(provider.sync(), QString());
    QCOMPARE(provider.sync(), QString());
    QCOMPARE(shownHere(first.addSecs(-3600), 4), shown);
    QCOMPARE(provider.shownThere(first.addSecs(-3600), 4), shown);

    // The meeting there anew: what its provider held, the guests only for
    // the account's own meeting.
    const QString back = events()->getById(meeting->id)->provider_event_id;
    QVERIFY(!back.isEmpty() && back != remoteId);
    const QJsonObject held = provider.copyThere(back).value_or(QJsonObject());
    const QStringList kept = kind == Kind::Google
        ? QStringList{"conferenceData", "extendedProperties"}
        : QStringList{"categories", "isOnlineMeeting", "onlineMeetingProvider"};
    for (const QString &key : kept)
        QVERIFY2(held.value(key) == parts.value(key), qPrintable(key));
    const QStringList guests = organized ? guestsOf(kind, parts) : QStringList();
    QCOMPARE(guestsOf(kind, held), guests);
    if (series) {
        const QJsonObject day = provider.instanceAt(back, changedDay).value_or(QJsonObject());
        const QJsonObject own = dayParts(kind);
        for (auto it = own.constBegin(); it != own.constEnd(); ++it)
            QVERIFY2(day.value(it.key()) == it.value(), qPrintable(it.key()));
        QCOMPARE(guestsOf(kind, day), guests);
    }
    // An invitation's guests hear nothing: Google is told so, and Graph,
    // which invites whoever an event it makes names, is given none.
    const QList<LocalHttpServer::Request> sent = provider.front()->requests().mid(sentBefore);
    for (const LocalHttpServer::Request &request : sent) {
        if (request.method != "POST" && request.method != "PATCH")
            continue;
        if (kind == Kind::Google)
            QVERIFY2(request.target.contains("sendUpdates=none"), request.target.constData());
        else if (!organized)
            QVERIFY2(!QJsonDocument::fromJson(request.body).object().contains(QStringLiteral("attendees")),
                     request.target.constData());
    }
}

QTEST_MAIN(TestProviderUndo)
#include "tst_providerundo.moc"
