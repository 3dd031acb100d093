// Saves pictures of the calendar form, quick add, agenda export and search
// dialogs over the sample data, so they can be looked at without a desktop.
// Run under xvfb-run; the pictures go to the folder given as the first
// argument (default ".").
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "dialogs/accounts/managesourcesdialog.h"
#include "dialogs/editing/calendarformdialog.h"
#include "dialogs/editing/pdfexportdialog.h"
#include "dialogs/editing/quickadddialog.h"
#include "dialogs/search/searchdialog.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/sampledata.h"
#include "tests/support/widgetfixture.h"

namespace {

void loadFonts()
{
    const QString dir = QStringLiteral(TINDLE_SOURCE_DIR "/fonts/");
    QFontDatabase::addApplicationFont(dir + QStringLiteral("IBMPlexSans-Regular.ttf"));
    const int icons = QFontDatabase::addApplicationFont(dir + QStringLiteral("MaterialIcons-Regular.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(icons);
    if (!families.isEmpty())
        Theme::setFontFamily(families.first());
    QApplication::setFont(QFont(Theme::defaultFontFamily(), Theme::fontBody()));
}

Calendar davCalendar(AppState *state)
{
    Account account;
    account.id = QStringLiteral("shot-dav");
    account.name = QStringLiteral("Fastmail");
    account.type = AccountType::CalDav;
    account.server_url = QStringLiteral("https://dav.example.test/");
    if (!state->accounts()->insert(account))
        qFatal("setup write refused");
    Calendar calendar;
    calendar.id = QStringLiteral("shot-dav-work");
    calendar.account_id = account.id;
    calendar.url = QStringLiteral("https://dav.example.test/cal/work/");
    calendar.sync_enabled = true;
    calendar.name = QStringLiteral("Work (server)");
    calendar.color = QStringLiteral("#d93025");
    if (!state->calendars()->insert(calendar))
        qFatal("setup write refused");
    return calendar;
}

bool save(QWidget *widget, const QString &folder, const char *name)
{
    widget->show();
    QTest::qWait(300);
    return widget->grab().save(folder + QLatin1Char('/') + QLatin1String(name));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    loadFonts();
    WidgetFixture fixture;
    if (!fixture.isReady())
        return 1;
    AppState *state = fixture.state();
    SampleData::load(state->recordRepositories());
    QApplication::setStyle(QApplication::style());
    qApp->setStyleSheet(Theme::stylesheet());
    bool ok = true;

    {
        CalendarFormDialog add(state);
        add.setModal(false);
        ok = save(&add, out, "calendarform-add.png") && ok;
        CalendarFormDialog edit(state, davCalendar(state));
        edit.setModal(false);
        ok = save(&edit, out, "calendarform-edit.png") && ok;
        Account account = *state->accounts()->getById(QStringLiteral("shot-dav"));
        CalendarFormDialog remote(state, account);
        remote.setModal(false);
        remote.findChild<QLineEdit *>(QStringLiteral("calendarName"))->setText(QStringLiteral("Team"));
        ok = save(&remote, out, "calendarform-caldav.png") && ok;
    }
    {
        QuickAddDialog quick(state);
        quick.show();
        QTest::keyClicks(quick.findChild<QPlainTextEdit *>(QStringLiteral("quickAddText")),
                         QStringLiteral("lunch with Sam Thursday 1pm"));
        ok = save(&quick, out, "quickadd.png") && ok;
    }
    {
        PdfExportDialog pdf(state);
        pdf.setModal(false);
        ok = save(&pdf, out, "pdfexport.png") && ok;
    }
    {
        SearchDialog search(state);
        search.findChild<QLineEdit *>(QStringLiteral("searchText"))->setText(QStringLiteral("a"));
        search.show();
        QTest::qWait(SearchDialog::kDebounceMs + 200);
        search.findChild<QLineEdit *>(QStringLiteral("searchText"))->setText(QStringLiteral("an"));
        QTest::qWait(SearchDialog::kDebounceMs + 200);
        ok = save(&search, out, "search.png") && ok;
    }
    {
        ManageSourcesDialog sources(state, nullptr);
        sources.setModal(false);
        ok = save(&sources, out, "managesources.png") && ok;
    }
    return ok ? 0 : 2;
}
