// An upload the server stored though its answer never came, met by the next
// pull after another client changed the copy: the same rows as the real
// servers' (tst_caldavroundtrip), against a calendar served in this process,
// in every combination of this device's change and the other's.
#include "app/edits/eventeditor.h"
#include "app/edits/recurringeditscope.h"
#include "app/edits/undostack.h"
#include "calendar/icscodec.h"
#include "calendar/recurrence.h"
#include "sync/caldav/caldavclient.h"
#include "tests/sync/caldavsyncharness.h"

#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>

namespace {

const QTimeZone kBerlin("Europe/Berlin");

QDateTime shownFrom()
{
    return QDateTime(QDate(2026, 2, 25), QTime(0, 0), Qt::UTC);
}

// Each occurrence these rows give in March to May 2026: its start on the
// Berlin wall clock and its title.
QStringList shown(const QList<Event> &rows)
{
    QStringList out;
    for (const Occurrence &occurrence : Recurrence::occurrences(rows, shownFrom(), shownFrom().addDays(90)))
        out.append(occurrence.start.toTimeZone(kBerlin).toString(QStringLiteral("MM-dd HH:mm ")) +
                   rows.at(occurrence.eventIndex).title);
    out.sort();
    return out;
}

QStringList shownHere(CalDavSyncHarness &device)
{
    return shown(device.events.getInRange(shownFrom(), shownFrom().addDays(90)));
}

QStringList shownThere(const CalDavSyncHarness &device)
{
    QList<Event> rows;
    for (const FakeCalDavCalendar::Item &item : std::as_const(device.fake->items))
        rows += IcsCodec::parseEvents(IcsCodec::decodeText(item.data));
    return shown(rows);
}

// A Monday walk at 09:00 Berlin from 2 March repeating by `rule`, its
// third occurrence skipped and its fifth (30 March) changed to 11:00 as
// "Walk later", as another client writes it; with `changedDays`, a daily
// walk whose first that many days after the first are changed instead.
QByteArray walkText(const QByteArray &rule, int changedDays = 0)
{
    const auto line = [](const QByteArray &name, const QDate &day, int hour) {
        return name + ";TZID=Europe/Berlin:" + day.toString(QStringLiteral("yyyyMMdd")).toLatin1() + "T"
            + QByteArray::number(hour).rightJustified(2, '0') + "0000\r\n";
    };
    const QDate first(2026, 3, 2);
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Client//EN\r\nBEGIN:VEVENT\r\nUID:walk\r\n"
                      "DTSTAMP:20260101T000000Z\r\n"
        + line("DTSTART", first, 9) + line("DTEND", first, 10) + "SUMMARY:Walk\r\nRRULE:" + rule + "\r\n"
        + (changedDays ? QByteArray() : line("EXDATE", first.addDays(14), 9)) + "END:VEVENT\r\n";
    QList<QDate> changed{first.addDays(28)};
    if (changedDays) {
        changed.clear();
        for (int day = 1; day <= changedDays; ++day)
            changed.append(first.addDays(day));
    }
    for (const QDate &day : std::as_const(changed)) {
        const QByteArray title = changedDays ? "Walk later " + day.toString(QStringLiteral("dd")).toLatin1()
                                             : QByteArray("Walk later");
        text += "BEGIN:VEVENT\r\nUID:walk\r\nDTSTAMP:20260101T000000Z\r\n" + line("RECURRENCE-ID", day, 9)
            + line("DTSTART", day, 11) + line("DTEND", day, 12) + "SUMMARY:" + title + "\r\nEND:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

// The VEVENT blocks of a text, each with its line ends.
QStringList blocks(const QString &text)
{
    QStringList out;
    const QRegularExpression block(QStringLiteral("BEGIN:VEVENT\\r?\\n.*?END:VEVENT\\r?\\n"),
                                   QRegularExpression::DotMatchesEverythingOption);
    for (auto it = block.globalMatch(text); it.hasNext();)
        out.append(it.next().captured(0));
    return out;
}

// Another client's write of the resource `href`: `change` made of its
// text. False when the change found nothing to change.
bool otherClientWrites(CalDavSyncHarness &device, const QByteArray &href,
                       const std::function<bool(QString &text)> &change)
{
    QString text = IcsCodec::decodeText(device.fake->items.value(href).data);
    if (!change(text))
        return false;
    device.fake->items.insert(href, {"elsewhere-" + QByteArray::number(device.fake->items.size())
                                         + QByteArray::number(QDateTime::currentMSecsSinceEpoch()),
                                     text.toUtf8()});
    device.fake->ctag += "+";
    return true;
}

// The component of `text` whose title starts `title` (and that changes an
// occurrence, with `changed`), changed by `edit`.
bool editBlock(QString &text, const QString &title, bool changed, const std::function<void(QString &)> &edit)
{
    for (const QString &block : blocks(text)) {
        if (block.contains(QLatin1String("RECURRENCE-ID")) != changed
            || !block.contains(QLatin1String("SUMMARY:") + title))
            continue;
        QString edited = block;
        edit(edited);
        text.replace(block, edited);
        return edited != block;
    }
    return false;
}

// The last occurrence titled "Walk" that the rows show.
std::optional<Occurrence> lastWalk(const QList<Event> &rows)
{
    std::optional<Occurrence> last;
    for (const Occurrence &occurrence : Recurrence::occurrences(rows, shownFrom(), shownFrom().addDays(90))) {
        if (rows.at(occurrence.eventIndex).title == QLatin1String("Walk") && (!last || occurrence.start > last->start))
            last = occurrence;
    }
    return last;
}

// A line of a time on the Berlin wall clock.
QString berlinLine(const QString &name, const QDateTime &at)
{
    return name + QStringLiteral(";TZID=Europe/Berlin:")
        + at.toTimeZone(kBerlin).toString(QStringLiteral("yyyyMMdd'T'HHmmss")) + QStringLiteral("\r\n");
}

} // namespace

class TestCalDavLandedUpload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The walk keeps to its own zone: the computer's matters only as far
    // as another day at the same instant, which one zone far off shows.
    void init()
    {
        const QByteArray zone = qgetenv("TZ");
        if (!zone.isEmpty() && zone != "Europe/Berlin" && zone != "Australia/Adelaide")
            QSKIP("The walk's own zone and one far from it");
    }

    // A walk moved here (dragged two hours or a day, re-timed in the form,
    // split "This and following", or deleted and brought back by Ctrl+Z
    // once its deletion went up), the upload stored but its answer lost or
    // cut off; another client then changes the copy. After two more syncs
    // the server and this device show both changes, as the server showed
    // them after the other client's: this device's upload counted as
    // landed, and what the other client did since as theirs.
    void landedUploadKeepsAChangeMadeElsewhere_data()
    {
        QTest::addColumn<QByteArray>("how");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QByteArray>("elsewhere");
        QTest::addColumn<bool>("lost"); // else cut off
        const QByteArrayList changes{"retitle the change", "move the change", "skip a day", "change a day"};
        for (const QByteArray &change : changes) {
            QTest::addRow("two hours, %s", change.constData()) << QByteArray("drag") << 0 << 120 << change << false;
            QTest::addRow("a day, %s", change.constData()) << QByteArray("drag") << 1 << 0 << change << false;
            QTest::addRow("the form, an hour, %s", change.constData())
                << QByteArray("form") << 0 << 60 << change << false;
        }
        QTest::newRow("a week, retitle the change") << QByteArray("drag") << 7 << 0 << QByteArray("retitle the change")
                                                    << false;
        QTest::newRow("two hours, retitle the change, the answer lost")
            << QByteArray("drag") << 0 << 120 << QByteArray("retitle the change") << true;
        QTest::newRow("two hours, nothing") << QByteArray("drag") << 0 << 120 << QByteArray() << false;
        for (const QByteArray &change :
             {QByteArray("skip a day"), QByteArray("retitle the change"), QByteArray("retitle")}) {
            QTest::addRow("split, %s in the new series", change.constData())
                << QByteArray("split") << 0 << 60 << change << false;
            QTest::addRow("brought back, %s", change.constData()) << QByteArray("undo") << 0 << 0 << change << false;
        }
    }

    void landedUploadKeepsAChangeMadeElsewhere()
    {
        QFETCH(QByteArray, how);
        QFETCH(int, days);
        QFETCH(int, minutes);
        QFETCH(QByteArray, elsewhere);
        QFETCH(bool, lost);
        CalDavSyncHarness device;
        device.fake->putItem("walk.ics", walkText("FREQ=WEEKLY;COUNT=10"));
        QVERIFY(device.sync().completed);
        UndoStack undo;
        EventEditor editor(&device.events, &device.calendars, device.store.db(), &undo);
        const Event series = device.byUid(QStringLiteral("walk")).value();
        const QDateTime second(QDate(2026, 3, 9), QTime(9, 0), kBerlin);
        if (how == "drag") {
            QVERIFY(editor.changeTimes(series, second, *EventEditor::moved(series, second, days, minutes),
                                       EventEditor::TimeEdit::Move, SeriesScope::AllEvents));
        } else if (how == "form") {
            Event edited = series;
            edited.start_time = series.start_time.addSecs(minutes * 60);
            edited.end_time = series.end_time->addSecs(minutes * 60);
            QVERIFY(editor.saveForm(series, edited).ok);
        } else if (how == "split") {
            const QDateTime at(QDate(2026, 3, 23), QTime(9, 0), kBerlin);
            QVERIFY(editor.changeTimes(series, at, *EventEditor::moved(series, at, 0, minutes),
                                       EventEditor::TimeEdit::Move, SeriesScope::ThisAndFollowing));
        } else {
            QVERIFY(editor.remove(series));
            QVERIFY(device.sync().completed);
            QVERIFY(device.fake->items.isEmpty());
            undo.undo();
        }
        const QStringList moved = shownHere(device);

        // The series' upload (the new series' for a split) is stored; its
        // answer never comes, or comes cut off.
        FakeCalDavCalendar *fake = device.fake.get();
        fake->hook = [fake, how, lost](const LocalHttpServer::Request &request)
            -> std::optional<LocalHttpServer::Reply> {
            if (request.method != "PUT" || (how == "split" && request.target.endsWith("/walk.ics")))
                return std::nullopt;
            LocalHttpServer::Reply answer = fake->answer(request);
            answer.hang = lost;
            answer.body = QByteArray(64, ' ');
            answer.truncateAt = lost ? -1 : 8;
            return answer;
        };
        device.client->setTransferTimeout(lost ? 300 : CalDavClient::kDefaultTransferTimeoutMs);
        const CalDavOutcome failed = device.sync();
        fake->hook = nullptr;
        device.client->setTransferTimeout(CalDavClient::kDefaultTransferTimeoutMs);
        QVERIFY(!failed.completed);
        QVERIFY2(failed.failures.value(0).startsWith(QLatin1String("Push error: ")),
                 qPrintable(failed.failures.join(QLatin1Char('\n'))));
        QCOMPARE(shownThere(device), moved);

        // The resource the upload went to, as another client changes it.
        QByteArray href;
        for (auto it = fake->items.cbegin(); it != fake->items.cend(); ++it) {
            if (how != "split" || !it.key().endsWith("/walk.ics"))
                href = it.key();
        }
        const QList<Event> landed = IcsCodec::parseEvents(IcsCodec::decodeText(fake->items.value(href).data));
        const std::optional<Occurrence> last = lastWalk(landed);
        QVERIFY(last);
        if (elsewhere == "retitle the change") {
            QVERIFY(otherClientWrites(device, href, [](QString &text) {
                return editBlock(text, QStringLiteral("Walk later"), true, [](QString &block) {
                    block.replace("SUMMARY:Walk later", "SUMMARY:Walk later\\, Room 4");
                });
            }));
        } else if (elsewhere == "move the change") {
            QVERIFY(otherClientWrites(device, href, [](QString &text) {
                return editBlock(text, QStringLiteral("Walk later"), true, [](QString &block) {
                    block.replace(QRegularExpression(QStringLiteral("(DTSTART[^\\r\\n]*T)11")), QStringLiteral("\\112"))
                        .replace(QRegularExpression(QStringLiteral("(DTEND[^\\r\\n]*T)12")), QStringLiteral("\\113"));
                });
            }));
        } else if (elsewhere == "skip a day") {
            QVERIFY(otherClientWrites(device, href, [&](QString &text) {
                return editBlock(text, QStringLiteral("Walk\r"), false, [&](QString &block) {
                    block.replace("SUMMARY:Walk\r\n", "SUMMARY:Walk\r\n" + berlinLine("EXDATE", last->start));
                });
            }));
        } else if (elsewhere == "change a day") {
            const QString uid = landed.at(last->eventIndex).uid;
            QVERIFY(otherClientWrites(device, href, [&](QString &text) {
                return text.replace(QRegularExpression(QStringLiteral("END:VCALENDAR\\r?\\n?$")),
                                    "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20260101T000000Z\r\n"
                                        + berlinLine("RECURRENCE-ID", last->start)
                                        + berlinLine("DTSTART", last->start.addSecs(-1800))
                                        + berlinLine("DTEND", last->start.addSecs(1800))
                                        + "SUMMARY:Walk early\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
                    .contains(QLatin1String("Walk early"));
            }));
        } else if (elsewhere == "retitle") {
            QVERIFY(otherClientWrites(device, href, [](QString &text) {
                return editBlock(text, QStringLiteral("Walk\r"), false, [](QString &block) {
                    block.replace("SUMMARY:Walk\r\n", "SUMMARY:Walk\\, Room 4\r\n");
                });
            }));
        }
        const QStringList expected = shownThere(device);
        QVERIFY(elsewhere.isEmpty() || expected != moved);

        for (int run = 0; run < 2; ++run) {
            const CalDavOutcome outcome = device.sync();
            QVERIFY2(outcome.completed, qPrintable(outcome.failures.join(QLatin1Char('\n'))));
        }
        QCOMPARE(shownThere(device), expected);
        QCOMPARE(shownHere(device), expected);
        QCOMPARE(device.events.getPending(device.calendar.id).size(), 0);
    }

    // A daily walk whose days after the first are changed, dragged a day:
    // each change takes the place its neighbour leaves, the row there with
    // it. Another client retitles one of them once the upload is stored:
    // each change is measured against the day it was before the move, not
    // the neighbour whose place it took.
    void landedUploadOfChangesTakingTheirNeighboursPlaces()
    {
        CalDavSyncHarness device;
        device.fake->putItem("walk.ics", walkText("FREQ=DAILY;COUNT=20", 12));
        QVERIFY(device.sync().completed);
        EventEditor editor(&device.events, &device.calendars, device.store.db(), nullptr);
        const Event series = device.byUid(QStringLiteral("walk")).value();
        QVERIFY(editor.changeTimes(series, series.start_time, *EventEditor::moved(series, series.start_time, 1, 0),
                                   EventEditor::TimeEdit::Move, SeriesScope::AllEvents));
        FakeCalDavCalendar *fake = device.fake.get();
        fake->hook = [fake](const LocalHttpServer::Request &request) -> std::optional<LocalHttpServer::Reply> {
            if (request.method != "PUT")
                return std::nullopt;
            LocalHttpServer::Reply cut = fake->answer(request);
            cut.body = QByteArray(64, ' ');
            cut.truncateAt = 8;
            return cut;
        };
        QVERIFY(!device.sync().completed);
        fake->hook = nullptr;
        const QByteArray href = fake->items.firstKey();
        QVERIFY(otherClientWrites(device, href, [](QString &text) {
            return editBlock(text, QStringLiteral("Walk later 06"), true, [](QString &block) {
                block.replace("SUMMARY:Walk later 06", "SUMMARY:Walk later 06\\, Room 4");
            });
        }));
        const QStringList expected = shownThere(device);
        QVERIFY(expected.contains(QStringLiteral("03-06 11:00 Walk later 06, Room 4")));
        for (int run = 0; run < 2; ++run)
            QVERIFY(device.sync().completed);
        QCOMPARE(shownThere(device), expected);
        QCOMPARE(shownHere(device), expected);
    }
};

QTEST_GUILESS_MAIN(TestCalDavLandedUpload)
#include "tst_caldavlandedupload.moc"
