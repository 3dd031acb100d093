#include "dialogs/editing/quickadddialog.h"

#include <QAbstractTextDocumentLayout>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/quickadd.h"
#include "app/theme/theme.h"
#include "app/timeformatsetting.h"
#include "store/calendarrepository.h"

namespace {

constexpr int kMinLines = 2;
constexpr int kMaxLines = 5;

QString simplifiedText(const QPlainTextEdit *edit)
{
    return edit->toPlainText().simplified();
}

} // namespace

QuickAddDialog::QuickAddDialog(AppState *app, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
{
    setWindowTitle(tr("Quick Add"));
    setModal(false);
    setFixedWidth(360);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(8);

    auto *hint = new QLabel(tr("Type an event or reminder in plain English."), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("quickAddText"));
    m_edit->setPlaceholderText(tr("e.g. \"lunch Thursday 1pm\""));
    m_edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_edit->setTabChangesFocus(true);
    m_edit->installEventFilter(this);
    layout->addWidget(m_edit);
    fitEditHeight();
    layout->addSpacing(6);

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("quickAddPreview"));
    m_preview->setWordWrap(true);
    m_preview->setTextFormat(Qt::RichText);
    QFont previewFont = m_preview->font();
    previewFont.setPointSize(qMax(8, previewFont.pointSize() - 1));
    m_preview->setFont(previewFont);
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::All, QPalette::WindowText, Theme::textMuted());
    m_preview->setPalette(palette);
    layout->addWidget(m_preview);

    connect(m_edit, &QPlainTextEdit::textChanged, this, &QuickAddDialog::onTextChanged);
    // The line count is known once the text is laid out, which follows the
    // change: the height follows the layout.
    connect(m_edit->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &QuickAddDialog::fitEditHeight);
}

// Two lines to begin with, growing to five, then scrolling.
void QuickAddDialog::fitEditHeight()
{
    const int lines = qBound(kMinLines, m_edit->document()->lineCount(), kMaxLines);
    const int margins = 2 * (m_edit->frameWidth() + int(m_edit->document()->documentMargin()));
    m_edit->setFixedHeight(m_edit->fontMetrics().lineSpacing() * lines + margins + 4);
}

bool QuickAddDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(key->modifiers() & Qt::ShiftModifier)) {
            onCommit();
            return true;
        }
        // Taken here, before the text box can keep it: Escape closes the
        // window without storing.
        if (key->matches(QKeySequence::Cancel)) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void QuickAddDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_edit->clear();
    m_preview->clear();
    m_edit->setFocus();
    // The frame's width is the style's, known once the box is polished.
    fitEditHeight();
}

QString QuickAddDialog::kindLabel(const NLParser::ParseResult &parsed)
{
    if (parsed.isReminder)
        return tr("Reminder");
    return parsed.isTask ? tr("To-do") : tr("Event");
}

QString QuickAddDialog::whenText(const NLParser::ParseResult &parsed, const QString &timePattern)
{
    const QString dayFormat = QStringLiteral("ddd, MMM d");
    const QString dayTimeFormat = QStringLiteral("ddd, MMM d  ") + timePattern;
    const QDateTime start = parsed.start.toLocalTime();
    QString when;
    if (parsed.isReminder) {
        when = parsed.allDay ? QLocale().toString(QDateTime(start.date(), QTime(9, 0)), dayTimeFormat)
                             : QLocale().toString(start, dayTimeFormat);
    } else if (parsed.isTask) {
        if (parsed.hasTime)
            when = QLocale().toString(start, dayTimeFormat);
        else if (parsed.allDay)
            when = QLocale().toString(start, dayFormat);
        else
            when = tr("No due date");
    } else if (parsed.allDay) {
        when = QLocale().toString(start, dayFormat) + QStringLiteral("  \u2012  ") + tr("All-day");
    } else {
        when = QLocale().toString(start, dayTimeFormat);
        if (parsed.end)
            when += QStringLiteral(" \u2013 ") + QLocale().toString(parsed.end->toLocalTime(), timePattern);
    }
    if (!parsed.title.isEmpty())
        when += QStringLiteral("  \u00b7  ") + parsed.title;
    return when;
}

void QuickAddDialog::onTextChanged()
{
    const QString text = simplifiedText(m_edit);
    if (text.isEmpty()) {
        m_preview->clear();
        return;
    }
    const NLParser::ParseResult parsed = NLParser::parse(text, QDateTime::currentDateTime());
    const QString when = whenText(parsed, TimeFormat::pattern(m_app));
    m_preview->setText(QStringLiteral("<span style=\"color:%1; font-weight:600\">%2</span>&nbsp;&nbsp;\u00b7&nbsp;&nbsp;%3")
                           .arg(Theme::accent().name(), kindLabel(parsed).toHtmlEscaped(), when.toHtmlEscaped()));
}

void QuickAddDialog::onCommit()
{
    const QString text = simplifiedText(m_edit);
    if (text.isEmpty())
        return;
    if (!m_app || m_app->calendars()->getAll().isEmpty()) {
        Q_EMIT openMainWindow();
        accept();
        return;
    }
    if (QuickAdd::add(m_app, text, QString()).isEmpty()) {
        m_preview->setText(tr("Couldn't save event"));
        return;
    }
    accept();
}
