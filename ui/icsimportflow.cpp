#include "ui/icsimportflow.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/calendarchoice.h"
#include "app/edits/icsimportrun.h"
#include "app/theme/plaintext.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "ui/icsimportreport.h"

#include <algorithm>
#include <memory>

IcsImportFlow::IcsImportFlow(AppState *state, QMainWindow *window)
    : QObject(window)
    , m_state(state)
    , m_window(window)
{
    qRegisterMetaType<IcsImport::Result>();
}

IcsImportFlow::~IcsImportFlow()
{
    // A run still going is undone by its own destructor (it is a child).
    delete m_progress;
}

void IcsImportFlow::importFile(const QString &path)
{
    if (m_busy) {
        m_window->statusBar()->showMessage(tr("An import is already running."), 4000);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        PlainText::warning(m_window, tr("Couldn't open file"), tr("Couldn't open \"%1\" for reading.").arg(path));
        return;
    }
    m_busy = true;
    const QString fileName = QFileInfo(path).fileName();
    // Reading a large file takes a while: it runs beside the window.
    auto read = std::make_shared<IcsReadResult>();
    QThread *reader = QThread::create([read, bytes = file.readAll()] { *read = IcsCodec::readEvents(bytes); });
    connect(reader, &QThread::finished, reader, &QObject::deleteLater);
    connect(reader, &QThread::finished, this, [this, read, fileName] { onRead(fileName, *read); });
    reader->start();
}

void IcsImportFlow::onRead(const QString &fileName, const IcsReadResult &read)
{
    if (!read.ok) {
        finish(QString());
        PlainText::warning(m_window, tr("Couldn't import"),
                           tr("Couldn't read \"%1\". %2").arg(fileName, read.error));
        return;
    }
    if (read.events.isEmpty()) {
        finish(QString());
        PlainText::information(m_window, tr("Nothing to import"), tr("No events found in \"%1\".").arg(fileName));
        return;
    }
    QString label;
    const QString calendarId = chooseCalendar(fileName, int(read.events.size()), &label);
    if (calendarId.isEmpty()) {
        finish(QString());
        return;
    }
    store(fileName, read.events, calendarId, label);
}

// Empty when there is no writable calendar or the user cancels.
QString IcsImportFlow::chooseCalendar(const QString &fileName, int count, QString *label)
{
    const QHash<QString, QString> accountNames = shownAccountNames(m_state->accounts()->getAll());
    CalendarPick pick;
    pick.withHidden = true;
    const QList<Calendar> writable = writableCalendars(m_state->calendars()->getAll(), accountNames, pick);
    if (writable.isEmpty()) {
        PlainText::information(m_window, tr("No calendars configured"),
                               tr("Add a writable calendar first; then re-import \"%1\".").arg(fileName));
        return {};
    }

    QString preselected = defaultCalendarIdFor(m_state->preferences(), false);
    if (preselected.isEmpty()) {
        const auto flagged =
            std::find_if(writable.cbegin(), writable.cend(), [](const Calendar &c) { return c.is_default; });
        preselected = flagged != writable.cend() ? flagged->id : writable.first().id;
    }

    QDialog chooser(m_window);
    chooser.setWindowTitle(tr("Import events"));
    chooser.setMinimumWidth(480);
    auto *layout = new QVBoxLayout(&chooser);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    const QString question = count == 1 ? tr("Import 1 event from \"%1\" into:").arg(fileName)
                                        : tr("Import %1 events from \"%2\" into:").arg(count).arg(fileName);
    QLabel *prompt = PlainText::label(question, &chooser);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    auto *combo = new QComboBox(&chooser);
    for (const Calendar &calendar : std::as_const(writable))
        combo->addItem(calendarLabel(accountNames, calendar), calendar.id);
    const int preselectedIndex = combo->findData(preselected);
    if (preselectedIndex >= 0)
        combo->setCurrentIndex(preselectedIndex);
    layout->addWidget(combo);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &chooser);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Import"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, &chooser, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &chooser, &QDialog::reject);
    layout->addWidget(buttons);
    if (chooser.exec() != QDialog::Accepted)
        return {};
    *label = combo->currentText();
    return combo->currentData().toString();
}

void IcsImportFlow::store(const QString &fileName, const QList<Event> &events, const QString &calendarId,
                          const QString &label)
{
    m_run = new IcsImportRun(m_state->database(), m_state->events(), events, calendarId, this);
    if (events.size() >= ProgressThreshold) {
        m_progress = new QProgressDialog(m_window);
        m_progress->setLabel(
            PlainText::label(tr("Importing %1 events from \"%2\"…").arg(events.size()).arg(fileName), m_progress));
        m_progress->setCancelButtonText(tr("Cancel"));
        m_progress->setRange(0, int(events.size()));
        m_progress->setWindowTitle(tr("Import events"));
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->setMinimumDuration(0);
        connect(m_run, &IcsImportRun::progress, m_progress, &QProgressDialog::setValue);
        connect(m_progress, &QProgressDialog::canceled, m_run, &IcsImportRun::cancel);
        m_progress->show();
    }
    connect(m_run, &IcsImportRun::finished, this,
            [this, label](const IcsImport::Result &result) { finish(IcsImport::reportText(result, label)); });
    connect(m_run, &IcsImportRun::cancelled, this,
            [this] { finish(tr("Import cancelled: the calendar is as it was.")); });
    m_run->start();
}

void IcsImportFlow::finish(const QString &message)
{
    if (m_progress)
        m_progress->deleteLater();
    if (m_run)
        m_run->deleteLater();
    m_busy = false;
    if (!message.isEmpty())
        m_window->statusBar()->showMessage(message, 5000);
}
