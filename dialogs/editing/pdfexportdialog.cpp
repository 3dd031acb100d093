#include "dialogs/editing/pdfexportdialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSize>
#include <QPdfWriter>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/plaintext.h"
#include "app/theme/theme.h"
#include "dialogs/editing/agendapdf.h"
#include "store/calendarrepository.h"

namespace {

QDateEdit *makeDateEdit(const QDate &date, Qt::DayOfWeek firstDay, QWidget *parent)
{
    auto *edit = new QDateEdit(date, parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    applyFirstDayOfWeek(edit, firstDay);
    return edit;
}

} // namespace

PdfExportDialog::PdfExportDialog(AppState *app, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_choosePath([](QWidget *owner, const QString &suggested) {
        return QFileDialog::getSaveFileName(owner, tr("Save Agenda PDF"), suggested, tr("PDF Documents (*.pdf)"));
    })
{
    setWindowTitle(tr("Export Agenda PDF"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);

    const QDate today = QDate::currentDate();
    const Qt::DayOfWeek firstDay = m_app ? m_app->firstDayOfWeek() : Qt::Monday;
    m_title = new QLineEdit(tr("Tindlebrook Calendar — Agenda"), this);
    m_title->setObjectName(QStringLiteral("pdfTitle"));
    form->addRow(tr("&Title:"), m_title);
    m_from = makeDateEdit(today, firstDay, this);
    m_from->setObjectName(QStringLiteral("pdfFrom"));
    form->addRow(tr("&From:"), m_from);
    m_to = makeDateEdit(today.addDays(30), firstDay, this);
    m_to->setObjectName(QStringLiteral("pdfTo"));
    form->addRow(tr("T&o:"), m_to);
    layout->addLayout(form);

    layout->addSpacing(6);
    auto *note = new QLabel(tr("Events use the active View's calendars, filtered through your current filter rules — "
                               "the PDF mirrors what's on screen."),
                            this);
    note->setWordWrap(true);
    QFont noteFont = note->font();
    noteFont.setPointSize(qMax(8, noteFont.pointSize() - 1));
    note->setFont(noteFont);
    layout->addWidget(note);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Save PDF…"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PdfExportDialog::exportPdf);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(440, sizeHint().height());
}

void PdfExportDialog::exportPdf()
{
    const QDate from = m_from->date();
    const QDate to = m_to->date();
    if (to < from) {
        QMessageBox::warning(this, tr("Range invalid"), tr("The end date is before the start date."));
        return;
    }
    const QString suggested = QStringLiteral("Tindlebrook-Agenda-%1.pdf").arg(from.toString(Qt::ISODate));
    const QString path = m_choosePath ? m_choosePath(this, suggested) : QString();
    if (path.isEmpty())
        return;

    QString error;
    const int written = writePdf(path, &error);
    if (written < 0) {
        PlainText::critical(this, tr("Export failed"),
                            tr("Could not write %1: %2\nNothing was exported.").arg(path, error));
        return;
    }
    PlainText::information(this, tr("Exported"), tr("Wrote %1 event(s) to %2.").arg(written).arg(path));
    accept();
}

int PdfExportDialog::writePdf(const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return -1;
    }
    const FilterResult kept = agendaEvents(m_app, m_from->date(), m_to->date());
    QHash<QString, QString> colours;
    QHash<QString, QString> names;
    if (m_app) {
        for (const Calendar &calendar : m_app->calendars()->getAll()) {
            colours.insert(calendar.id, calendar.color);
            names.insert(calendar.id, calendar.name);
        }
    }
    int written = -1;
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(m_title->text());
        writer.setCreator(QStringLiteral("Tindlebrook Calendar"));
        written = renderAgendaPdf(&writer, m_title->text(), m_from->date(), m_to->date(), kept, colours, names);
    }
    if (written < 0) {
        file.cancelWriting();
        *error = tr("the PDF could not be drawn");
        return -1;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return -1;
    }
    return written;
}
