#include "app/appstate.h"
#include "dialogs/editing/agendapdf.h"
#include "dialogs/editing/pdfexportdialog.h"
#include "store/calendarrepository.h"
#include "store/filterrulerepository.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/pdfreader.h"
#include "tests/support/widgetfixture.h"

#include <QDateEdit>
#include <QDir>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageSize>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QDate kDay(2026, 3, 10);

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The agenda PDF: written to a temporary file and read back.
class TestAgendaPdf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void oneDayShowsItsEventsUnderOneHeading();
    void hiddenEventsAreNeitherDrawnNorCounted();
    void unknownGroupGivesAnEmptyAgenda();
    void longAgendaBreaksOntoMorePages();
    void exportWritesTheChosenFile();
    void exportRefusesAReversedRange();
    void unwritableFileIsReportedAndNothingClaimed_data();
    void unwritableFileIsReportedAndNothingClaimed();

private:
    PdfReader render(const QDate &from, const QDate &to, int *count = nullptr);
    void addTimed(const QString &title, const QDate &date, const QTime &start, const std::optional<QTime> &end,
                  const QString &location = QString());

    std::unique_ptr<WidgetFixture> m_fixture;
    QTemporaryDir m_dir;
};

void TestAgendaPdf::init()
{
    m_fixture = std::make_unique<WidgetFixture>();
    QVERIFY(m_fixture->isReady());
    QVERIFY(m_dir.isValid());
    m_fixture->addCalendar(QStringLiteral("work"), QStringLiteral("Work"), QStringLiteral("#33aa55"));
}

void TestAgendaPdf::cleanup()
{
    m_fixture.reset();
}

void TestAgendaPdf::addTimed(const QString &title, const QDate &date, const QTime &start,
                             const std::optional<QTime> &end, const QString &location)
{
    Event event = WidgetFixture::timedEvent(title, QDateTime(date, start),
                                            end ? std::optional<QDateTime>(QDateTime(date, *end)) : std::nullopt,
                                            QStringLiteral("work"));
    event.location = location;
    m_fixture->addEvent(event);
}

PdfReader TestAgendaPdf::render(const QDate &from, const QDate &to, int *count)
{
    const QString path = m_dir.filePath(QStringLiteral("agenda.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QHash<QString, QString> colours;
        QHash<QString, QString> names;
        for (const Calendar &calendar : m_fixture->state()->calendars()->getAll()) {
            colours.insert(calendar.id, calendar.color);
            names.insert(calendar.id, calendar.name);
        }
        const int n = renderAgendaPdf(&writer, QStringLiteral("Team Agenda"), from, to,
                                      agendaEvents(m_fixture->state(), from, to), colours, names);
        if (count)
            *count = n;
    }
    return PdfReader(readAll(path));
}

void TestAgendaPdf::oneDayShowsItsEventsUnderOneHeading()
{
    addTimed(QStringLiteral("Dentist"), kDay, QTime(9, 0), QTime(10, 0), QStringLiteral("Room 4"));
    addTimed(QStringLiteral("Call"), kDay, QTime(14, 0), std::nullopt);
    addTimed(QStringLiteral("Tomorrow"), kDay.addDays(1), QTime(9, 0), QTime(10, 0));
    addTimed(QStringLiteral("Yesterday"), kDay.addDays(-1), QTime(23, 0), QTime(23, 30));
    Event holiday = WidgetFixture::allDayEvent(QStringLiteral("Holiday"), kDay, kDay.addDays(1), QStringLiteral("work"));
    m_fixture->addEvent(holiday);

    int count = -1;
    const PdfReader pdf = render(kDay, kDay, &count);
    QVERIFY(pdf.isValid());
    QCOMPARE(count, 3);
    QCOMPARE(pdf.pageCount(), 1);
    const QStringList lines = pdf.pageTexts().first().split(QLatin1Char('\n'));
    const QStringList expected = {
        QStringLiteral("Team Agenda"),
        QStringLiteral("March 10, 2026  \u2192  March 10, 2026  \u00b7  3 events"),
        QStringLiteral("Tuesday, Mar 10"),
        QStringLiteral("All-day  Holiday"),
        QStringLiteral("Work"),
        QStringLiteral("9:00 AM \u2013 10:00 AM  Dentist"),
        QStringLiteral("Work  \u00b7  Room 4"),
        QStringLiteral("2:00 PM  Call"),
        QStringLiteral("Work"),
    };
    QCOMPARE(lines, expected);
}

void TestAgendaPdf::hiddenEventsAreNeitherDrawnNorCounted()
{
    addTimed(QStringLiteral("Dentist"), kDay, QTime(9, 0), QTime(10, 0));
    addTimed(QStringLiteral("Secret meeting"), kDay, QTime(11, 0), QTime(12, 0));
    FilterRule rule;
    rule.id = QStringLiteral("hide-secret");
    rule.name = QStringLiteral("Secrets");
    rule.type = QStringLiteral("pattern");
    rule.conditions = QStringLiteral("{\"runtimeType\":\"pattern\",\"titleContains\":[\"Secret\"]}");
    QVERIFY(m_fixture->state()->filterRules()->insert(rule));
    int count = -1;
    const PdfReader pdf = render(kDay, kDay, &count);
    QCOMPARE(count, 1);
    QVERIFY(pdf.allText().contains(QStringLiteral("Dentist")));
    QVERIFY(!pdf.allText().contains(QStringLiteral("Secret")));
    QVERIFY(pdf.allText().contains(QStringLiteral("\u00b7  1 events")));
}

void TestAgendaPdf::unknownGroupGivesAnEmptyAgenda()
{
    addTimed(QStringLiteral("Dentist"), kDay, QTime(9, 0), QTime(10, 0));
    m_fixture->state()->setActiveViewId(QStringLiteral("no-such-group"));
    int count = -1;
    const PdfReader pdf = render(kDay, kDay.addDays(6), &count);
    QCOMPARE(count, 0);
    QCOMPARE(pdf.pageCount(), 1);
    QCOMPARE(pdf.pageTexts().first(),
             QStringLiteral("Team Agenda\nMarch 10, 2026  \u2192  March 16, 2026  \u00b7  0 events"));
}

void TestAgendaPdf::longAgendaBreaksOntoMorePages()
{
    // Three weeks, eight events a day: more than one A4 page holds.
    for (int d = 0; d < 21; ++d) {
        for (int h = 0; h < 8; ++h)
            addTimed(QStringLiteral("Slot%1x%2").arg(d).arg(h), kDay.addDays(d), QTime(8 + h, 0), QTime(8 + h, 45));
    }
    int count = -1;
    const PdfReader pdf = render(kDay, kDay.addDays(20), &count);
    QCOMPARE(count, 21 * 8);
    QVERIFY2(pdf.pageCount() >= 4, qPrintable(QString::number(pdf.pageCount())));
    const QStringList pages = pdf.pageTexts();
    QVERIFY(pages.first().startsWith(QStringLiteral("Team Agenda\n")));
    for (int i = 1; i < pages.size(); ++i)
        QVERIFY(!pages.at(i).contains(QStringLiteral("Team Agenda")));
    // Every entry exactly once, each day's heading exactly once.
    const QString all = pdf.allText();
    for (int d = 0; d < 21; ++d) {
        QCOMPARE(all.count(kDay.addDays(d).toString(QStringLiteral("dddd, MMM d"))), 1);
        for (int h = 0; h < 8; ++h)
            QCOMPARE(all.count(QStringLiteral("Slot%1x%2\n").arg(d).arg(h)), 1);
    }
}

void TestAgendaPdf::exportWritesTheChosenFile()
{
    addTimed(QStringLiteral("Dentist"), kDay, QTime(9, 0), QTime(10, 0));
    const QString path = m_dir.filePath(QStringLiteral("exported.pdf"));
    PdfExportDialog dialog(m_fixture->state());
    QString suggested;
    dialog.setPathChooser([&](QWidget *, const QString &name) {
        suggested = name;
        return path;
    });
    dialog.fromEdit()->setDate(kDay);
    dialog.toEdit()->setDate(kDay);
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Ok);
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(suggested, QStringLiteral("Tindlebrook-Agenda-2026-03-10.pdf"));
    QCOMPARE(answerer.seen(), QStringList{QStringLiteral("QMessageBox Wrote 1 event(s) to %1.").arg(path)});
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const PdfReader pdf(readAll(path));
    QVERIFY(pdf.isValid());
    QCOMPARE(pdf.pageCount(), 1);
    QVERIFY(pdf.allText().contains(QStringLiteral("9:00 AM \u2013 10:00 AM  Dentist")));
    QCOMPARE(pdf.info("Title"), QStringLiteral("Tindlebrook Calendar — Agenda"));
    QCOMPARE(pdf.info("Creator"), QStringLiteral("Tindlebrook Calendar"));
}

void TestAgendaPdf::exportRefusesAReversedRange()
{
    PdfExportDialog dialog(m_fixture->state());
    bool asked = false;
    dialog.setPathChooser([&](QWidget *, const QString &) {
        asked = true;
        return QString();
    });
    dialog.fromEdit()->setDate(kDay);
    dialog.toEdit()->setDate(kDay.addDays(-1));
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Ok);
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(answerer.seen(), QStringList{QStringLiteral("QMessageBox The end date is before the start date.")});
    QVERIFY(!asked);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestAgendaPdf::unwritableFileIsReportedAndNothingClaimed_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("missing folder") << QStringLiteral("no-such-folder/agenda.pdf");
    QTest::newRow("a folder, not a file") << QStringLiteral("folder");
}

void TestAgendaPdf::unwritableFileIsReportedAndNothingClaimed()
{
    QFETCH(QString, relativePath);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
    addTimed(QStringLiteral("Dentist"), kDay, QTime(9, 0), QTime(10, 0));
    const QString path = m_dir.filePath(relativePath);
    PdfExportDialog dialog(m_fixture->state());
    dialog.setPathChooser([path](QWidget *, const QString &) { return path; });
    dialog.fromEdit()->setDate(kDay);
    dialog.toEdit()->setDate(kDay);
    ModalAnswerer answerer;
    answerer.pressButton(QMessageBox::Ok);
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(answerer.seen().size(), 1);
    QVERIFY2(answerer.seen().first().startsWith(QStringLiteral("QMessageBox Could not write %1").arg(path)),
             qPrintable(answerer.seen().first()));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!QFileInfo(path).isFile());
}

QTEST_MAIN(TestAgendaPdf)
#include "tst_agendapdf.moc"
