#include "ui/palette/commandpalette.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/calendargroupname.h"
#include "app/quickadd.h"
#include "app/timeformatsetting.h"
#include "store/eventrepository.h"
#include "store/viewrepository.h"
#include "ui/mainwindow.h"

namespace {

// The first word of a query and the rest after its first space.
QString firstWord(const QString &query)
{
    const int space = query.indexOf(QLatin1Char(' '));
    return space < 0 ? query : query.left(space);
}

QString restAfterFirstWord(const QString &query)
{
    const int space = query.indexOf(QLatin1Char(' '));
    return space < 0 ? QString() : query.mid(space + 1);
}

} // namespace

CommandPalette::CommandPalette(AppState *appState, MainWindow *mainWindow, QWidget *parent)
    : QFrame(parent, Qt::Popup)
    , m_appState(appState)
    , m_mainWindow(mainWindow)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setFixedWidth(480);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);

    m_query = new QLineEdit(this);
    m_query->setPlaceholderText(tr("Find an event or run a command — today, goto, view, new, resync…"));
    QFont queryFont = m_query->font();
    queryFont.setPointSizeF(queryFont.pointSizeF() + 2);
    m_query->setFont(queryFont);
    layout->addWidget(m_query);

    m_results = new QListWidget(this);
    m_results->setFrameShape(QFrame::NoFrame);
    m_results->setUniformItemSizes(true);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setMinimumHeight(180);
    layout->addWidget(m_results);

    connect(m_query, &QLineEdit::textChanged, this, &CommandPalette::rebuildList);
    connect(m_query, &QLineEdit::returnPressed, this, &CommandPalette::activateCurrent);
    connect(m_results, &QListWidget::itemActivated, this, &CommandPalette::activateCurrent);
    m_query->installEventFilter(this);

    buildCommands();
    rebuildList(QString());
}

void CommandPalette::buildCommands()
{
    m_commands.append({QStringLiteral("today"), tr("today"), tr("Snap the calendar to today"),
                       [this](const QString &) {
                           m_appState->setCurrentDate(QDate::currentDate());
                           return true;
                       }});
    m_commands.append({QStringLiteral("goto"), tr("goto YYYY-MM-DD"), tr("Jump to a specific date in Day view"),
                       [this](const QString &argument) {
                           const QDate date = QDate::fromString(argument.trimmed(), Qt::ISODate);
                           if (!date.isValid())
                               return false;
                           m_appState->navigateTo(QStringLiteral("day"), date);
                           return true;
                       }});
    m_commands.append({QStringLiteral("view"), tr("view <mode|name>"),
                       tr("Switch view mode (day/week/grid/month/year) or active calendar group"),
                       [this](const QString &argument) { return switchView(argument); }});
    m_commands.append({QStringLiteral("new"), tr("new <event description>"),
                       tr("Quick-add an event using the NL parser"), [this](const QString &argument) {
                           const QString text = argument.trimmed();
                           if (text.isEmpty())
                               return false;
                           return !QuickAdd::add(m_appState, text, QString()).isEmpty();
                       }});
    m_commands.append({QStringLiteral("resync"), tr("resync"), tr("Pull + push every CalDAV calendar"),
                       [this](const QString &) {
                           if (m_mainWindow)
                               m_mainWindow->syncAll();
                           return true;
                       }});
    m_commands.append({QStringLiteral("notifytest"), tr("notifytest"),
                       tr("Fire a test tray notification (verifies the pipeline)"), [this](const QString &) {
                           if (m_mainWindow)
                               m_mainWindow->fireTestNotification();
                           return true;
                       }});
    addViewShortcut(QStringLiteral("day"), QStringLiteral("day"), tr("Switch to Day view"));
    addViewShortcut(QStringLiteral("week"), QStringLiteral("week"), tr("Switch to Week view (locale-bracketed 7 days)"));
    addViewShortcut(QStringLiteral("days"), QStringLiteral("days"), tr("Switch to Days view (sliding window)"));
    addViewShortcut(QStringLiteral("grid"), QStringLiteral("grid"), tr("Switch to Grid view"));
    addViewShortcut(QStringLiteral("month"), QStringLiteral("month"), tr("Switch to Month view"));
    addViewShortcut(QStringLiteral("year"), QStringLiteral("year"), tr("Switch to Year view"));
    addSpanShortcut(QStringLiteral("3day"), 3, tr("Days view, 3-day sliding window"));
    addSpanShortcut(QStringLiteral("5day"), 5, tr("Days view, 5-day sliding window"));
    addSpanShortcut(QStringLiteral("10day"), 10, tr("Days view, 10-day medium-term horizon"));
    addSpanShortcut(QStringLiteral("14day"), 14, tr("Days view, 14-day fortnight horizon"));
}

void CommandPalette::addViewShortcut(const QString &keyword, const QString &mode, const QString &description)
{
    m_commands.append({keyword, keyword, description, [this, mode](const QString &) {
                           m_appState->setViewMode(mode);
                           return true;
                       }});
}

void CommandPalette::addSpanShortcut(const QString &keyword, int days, const QString &description)
{
    m_commands.append({keyword, keyword, description, [this, days](const QString &) {
                           m_appState->setWeekHorizon(days);
                           m_appState->setViewMode(QStringLiteral("days"));
                           return true;
                       }});
}

bool CommandPalette::switchView(const QString &argument)
{
    const QString mode = argument.trimmed().toLower();
    if (mode.isEmpty())
        return false;
    // "days" is left out: its own command covers it, and a group may be
    // called so.
    static const QStringList modes = {QStringLiteral("day"), QStringLiteral("week"), QStringLiteral("grid"),
                                      QStringLiteral("month"), QStringLiteral("year")};
    if (modes.contains(mode)) {
        m_appState->setViewMode(mode);
        return true;
    }
    for (const CalendarView &group : m_appState->views()->getAll()) {
        if (CalendarGroupName::shown(group).toLower().contains(mode)) {
            m_appState->setActiveViewId(group.id);
            return true;
        }
    }
    return false;
}

void CommandPalette::showPalette()
{
    m_query->clear();
    rebuildList(QString());
    if (m_mainWindow) {
        const QRect area = m_mainWindow->geometry();
        move(area.center().x() - width() / 2, area.top() + 80);
    }
    show();
    raise();
    activateWindow();
    m_query->setFocus(Qt::OtherFocusReason);
}

void CommandPalette::rebuildList(const QString &text)
{
    m_results->clear();
    const QString query = text.trimmed();
    const QString word = firstWord(query).toLower();
    for (const PaletteCommand &command : std::as_const(m_commands)) {
        if (!word.isEmpty() && !command.keyword.contains(word))
            continue;
        auto *item = new QListWidgetItem(QStringLiteral("%1   —   %2").arg(command.label, command.description));
        item->setData(Qt::UserRole, command.keyword);
        m_results->addItem(item);
    }
    if (query.size() >= 2)
        addEventRows(query);
    if (m_results->count() > 0)
        m_results->setCurrentRow(0);
}

void CommandPalette::addEventRows(const QString &query)
{
    const QString timePattern = TimeFormat::pattern(m_appState);
    for (const Event &event : m_appState->events()->search(query, EventLimit)) {
        const QDateTime start = event.start_time.toLocalTime();
        const QString date = QLocale().toString(start, QStringLiteral("ddd MMM d"));
        const QString time = event.is_all_day ? tr("all-day") : QLocale().toString(start, timePattern);
        const QString title = event.title.isEmpty() ? tr("(Untitled)") : event.title;
        auto *item = new QListWidgetItem(tr("Event: %1   —   %2 · %3").arg(title, date, time));
        item->setData(Qt::UserRole, event.id);
        item->setData(EventRowRole, true);
        m_results->addItem(item);
    }
}

bool CommandPalette::runCommand(const QString &keyword, const QString &argument)
{
    for (const PaletteCommand &command : std::as_const(m_commands)) {
        if (command.keyword != keyword)
            continue;
        if (command.action(argument))
            hide();
        return true;
    }
    return false;
}

void CommandPalette::activateCurrent()
{
    const QListWidgetItem *current = m_results->currentItem();
    if (current && current->data(EventRowRole).toBool()) {
        const QString id = current->data(Qt::UserRole).toString();
        if (const std::optional<Event> event = m_appState->events()->getById(id)) {
            m_appState->navigateTo(QStringLiteral("day"), event->start_time.toLocalTime().date());
            m_appState->setSelectedEventId(id);
        }
        hide();
        return;
    }
    const QString query = m_query->text().trimmed();
    if (query.isEmpty())
        return;
    const QString argument = restAfterFirstWord(query);
    if (runCommand(firstWord(query).toLower(), argument))
        return;
    // Typing the start of a keyword runs the highlighted command.
    if (current)
        runCommand(current->data(Qt::UserRole).toString(), argument);
}

bool CommandPalette::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_query && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            const int step = key->key() == Qt::Key_Up ? -1 : 1;
            const int row = m_results->currentRow() + step;
            if (row >= 0 && row < m_results->count())
                m_results->setCurrentRow(row);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void CommandPalette::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QFrame::keyPressEvent(event);
}
