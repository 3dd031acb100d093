#include "app/tray/traypopover.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QHash>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/calendargroupname.h"
#include "app/quickadd.h"
#include "app/theme/theme.h"
#include "app/timeformatsetting.h"
#include "app/upcomingevents.h"
#include "app/upcomingevents.h"
#include "calendar/nlparser.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "store/filterrulerepository.h"
#include "store/viewrepository.h"

namespace {

constexpr int PanelWidth = 340;
constexpr int ScreenMargin = 8;
constexpr int ClockIntervalMs = 30000;
const QString kFallbackColour = QStringLiteral("#4285F4");

QString mutedStyle()
{
    return QStringLiteral("color: %1;").arg(Theme::cssColor(Theme::textMuted()));
}

QPixmap dot(int size, const QRect &circle, const QString &colour)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(colour));
    painter.drawEllipse(circle);
    return pixmap;
}

QFont adjusted(const QFont &base, int pointDelta, bool bold)
{
    QFont font = base;
    if (font.pointSize() > 0)
        font.setPointSize(font.pointSize() + pointDelta);
    if (bold)
        font.setWeight(QFont::Bold);
    return font;
}

} // namespace

WinTrayPopover::WinTrayPopover(AppState *state, QWidget *parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint)
    , m_state(state)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setFixedWidth(PanelWidth);
    buildLayout();
    connectSignals();
    fillGroupPicker();
}

WinTrayPopover::~WinTrayPopover() = default;

void WinTrayPopover::buildLayout()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);

    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("headerLabel"));
    m_header->setFont(adjusted(QApplication::font(), 2, true));
    layout->addWidget(m_header);

    auto *groupRow = new QHBoxLayout;
    groupRow->setContentsMargins(0, 0, 0, 0);
    auto *groupLabel = new QLabel(tr("Group"), this);
    groupLabel->setStyleSheet(mutedStyle());
    groupRow->addWidget(groupLabel);
    m_groupCombo = new QComboBox(this);
    m_groupCombo->setObjectName(QStringLiteral("groupCombo"));
    m_groupCombo->setFocusPolicy(Qt::NoFocus);
    groupRow->addWidget(m_groupCombo, 1);
    layout->addLayout(groupRow);

    m_card = new QFrame(this);
    m_card->setObjectName(QStringLiteral("nextEventCard"));
    m_card->setFrameShape(QFrame::StyledPanel);
    m_card->setFrameShadow(QFrame::Plain);
    auto *cardLayout = new QHBoxLayout(m_card);
    cardLayout->setContentsMargins(10, 8, 10, 8);
    m_cardDot = new QLabel(m_card);
    m_cardDot->setFixedSize(14, 14);
    cardLayout->addWidget(m_cardDot, 0, Qt::AlignTop);
    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    m_cardTitle = new QLabel(m_card);
    m_cardTitle->setObjectName(QStringLiteral("cardTitle"));
    m_cardTitle->setFont(adjusted(QApplication::font(), 0, true));
    m_cardTitle->setWordWrap(true);
    m_cardTitle->setTextFormat(Qt::PlainText);
    m_cardWhen = new QLabel(m_card);
    m_cardWhen->setObjectName(QStringLiteral("cardWhen"));
    m_cardWhen->setStyleSheet(mutedStyle());
    m_cardDetail = new QLabel(m_card);
    m_cardDetail->setObjectName(QStringLiteral("cardDetail"));
    m_cardDetail->setStyleSheet(mutedStyle());
    m_cardDetail->setWordWrap(true);
    m_cardDetail->setTextFormat(Qt::PlainText);
    column->addWidget(m_cardTitle);
    column->addWidget(m_cardWhen);
    column->addWidget(m_cardDetail);
    cardLayout->addLayout(column, 1);
    layout->addWidget(m_card);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("upcomingList"));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setUniformItemSizes(false);
    layout->addWidget(m_list, 1);

    m_quickAdd = new QLineEdit(this);
    m_quickAdd->setObjectName(QStringLiteral("quickAddLine"));
    m_quickAdd->setPlaceholderText(tr("Add event — e.g. \"lunch Thursday 1pm\""));
    m_quickAdd->setClearButtonEnabled(true);
    layout->addWidget(m_quickAdd);

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("previewLabel"));
    m_preview->setWordWrap(true);
    m_preview->setTextFormat(Qt::PlainText);
    QFont previewFont = QApplication::font();
    if (previewFont.pointSize() > 0)
        previewFont.setPointSize(std::max(previewFont.pointSize() - 1, 8));
    m_preview->setFont(previewFont);
    m_preview->setStyleSheet(mutedStyle());
    layout->addWidget(m_preview);

    auto *buttons = new QHBoxLayout;
    auto *open = new QPushButton(tr("Open Calendar"), this);
    open->setObjectName(QStringLiteral("openButton"));
    open->setDefault(true);
    auto *sync = new QPushButton(tr("Sync Now"), this);
    sync->setObjectName(QStringLiteral("syncButton"));
    m_preferences = new QToolButton(this);
    m_preferences->setObjectName(QStringLiteral("preferencesButton"));
    m_preferences->setText(QString(QChar(0x2699)));
    m_preferences->setToolTip(tr("Preferences"));
    m_preferences->setAutoRaise(true);
    m_preferences->setCursor(Qt::PointingHandCursor);
    m_preferences->setFont(adjusted(QApplication::font(), 2, false));
    buttons->addWidget(open);
    buttons->addWidget(sync);
    buttons->addStretch();
    buttons->addWidget(m_preferences);
    layout->addLayout(buttons);

    connect(open, &QPushButton::clicked, this, [this] {
        Q_EMIT openMainWindow();
        hide();
    });
    connect(sync, &QPushButton::clicked, this, [this] {
        Q_EMIT syncNowRequested();
        hide();
    });
    connect(m_preferences, &QToolButton::clicked, this, [this] {
        Q_EMIT openSettings();
        hide();
    });
}

void WinTrayPopover::connectSignals()
{
    connect(m_groupCombo, qOverload<int>(&QComboBox::activated), this, &WinTrayPopover::onGroupActivated);
    connect(m_list, &QListWidget::itemClicked, this, &WinTrayPopover::onItemClicked);
    connect(m_quickAdd, &QLineEdit::textChanged, this, &WinTrayPopover::updatePreview);
    connect(m_quickAdd, &QLineEdit::returnPressed, this, &WinTrayPopover::commitQuickAdd);

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setInterval(ClockIntervalMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &WinTrayPopover::updateHeader);

    if (!m_state)
        return;
    if (m_state->events())
        connect(m_state->events(), &EventRepository::eventsChanged, this, &WinTrayPopover::refreshWhenShown);
    if (m_state->calendars())
        connect(m_state->calendars(), &CalendarRepository::calendarsChanged, this, &WinTrayPopover::refreshWhenShown);
    if (m_state->filterRules())
        connect(m_state->filterRules(), &FilterRuleRepository::filterRulesChanged, this,
                &WinTrayPopover::refreshWhenShown);
    const auto regroup = [this] {
        fillGroupPicker();
        refreshWhenShown();
    };
    if (m_state->views())
        connect(m_state->views(), &ViewRepository::viewsChanged, this, regroup);
    connect(m_state, &AppState::activeViewChanged, this, regroup);
}

void WinTrayPopover::showAt(const QPoint &anchor)
{
    refresh();
    m_quickAdd->clear();
    m_preview->clear();
    adjustSize();

    QScreen *screen = QGuiApplication::screenAt(anchor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    move(placement(size(), anchor, available));
    show();
    raise();
    activateWindow();
    m_quickAdd->setFocus();
}

QPoint WinTrayPopover::placement(const QSize &size, const QPoint &anchor, const QRect &available)
{
    int x = anchor.x() - size.width() / 2;
    int y = anchor.y() - size.height() - ScreenMargin;
    if (available.isNull())
        return QPoint(x, y);
    // A tray in a panel at the top of the screen (common on Linux desktops)
    // leaves no room above the anchor: open downwards instead of covering it.
    if (y < available.top() + ScreenMargin && anchor.y() < available.center().y())
        y = anchor.y() + ScreenMargin;
    x = std::min(x, available.right() - ScreenMargin - size.width());
    x = std::max(x, available.left() + ScreenMargin);
    y = std::min(y, available.bottom() - ScreenMargin - size.height());
    y = std::max(y, available.top() + ScreenMargin);
    return QPoint(x, y);
}

QString WinTrayPopover::colourOf(const Event &event, const QHash<QString, QString> &calendarColours) const
{
    const QString colour = event.color.isEmpty() ? calendarColours.value(event.calendar_id) : event.color;
    return QColor::isValidColorName(colour) ? colour : kFallbackColour;
}

void WinTrayPopover::refreshWhenShown()
{
    // The list is a read of two days of every calendar: a hidden popover
    // reads it when it is shown again, not on every change of a sync.
    if (isVisible())
        refresh();
    else
        m_stale = true;
}

void WinTrayPopover::refresh()
{
    m_stale = false;
    m_list->clear();
    if (!m_state || !m_state->calendars())
        return;
    const QList<Calendar> calendars = m_state->calendars()->getAll();
    if (calendars.isEmpty()) {
        m_nextEvent.reset();
        m_card->hide();
        auto *item = new QListWidgetItem(tr("No calendars yet"), m_list);
        item->setFlags(Qt::NoItemFlags);
        return;
    }

    QHash<QString, QString> colours;
    for (const Calendar &calendar : calendars)
        colours.insert(calendar.id, calendar.color);
    const QList<Event> events = UpcomingEvents::load(m_state);

    if (events.isEmpty()) {
        m_nextEvent.reset();
        m_cardDot->setPixmap(QPixmap());
        m_cardTitle->setText(tr("No upcoming events"));
        m_cardWhen->setText(tr("Nothing scheduled in the next 24 hours."));
        m_cardDetail->hide();
        m_card->show();
    } else {
        const Event &next = events.first();
        m_nextEvent = next;
        m_cardDot->setPixmap(dot(14, QRect(0, 0, 14, 14), colourOf(next, colours)));
        m_cardTitle->setText(next.title.isEmpty() ? tr("Untitled") : next.title);
        if (next.location.isEmpty()) {
            m_cardDetail->clear();
            m_cardDetail->hide();
        } else {
            m_cardDetail->setText(next.location);
            m_cardDetail->show();
        }
        m_card->show();
    }

    const QDate today = QDate::currentDate();
    QList<Event> todays;
    QList<Event> tomorrows;
    for (const Event &event : events) {
        if (UpcomingEvents::belongsToToday(event, today))
            todays.append(event);
        else
            tomorrows.append(event);
    }
    addHeader(tr("Today"));
    for (const Event &event : std::as_const(todays))
        addEventRow(event, colourOf(event, colours));
    if (todays.isEmpty())
        addMuted(tr("  No more events today"));
    addHeader(tr("Tomorrow"));
    for (const Event &event : std::as_const(tomorrows))
        addEventRow(event, colourOf(event, colours));
    if (tomorrows.isEmpty())
        addMuted(tr("  Nothing scheduled"));

    updateHeader();
}

void WinTrayPopover::addHeader(const QString &text)
{
    auto *item = new QListWidgetItem(text, m_list);
    item->setFont(adjusted(m_list->font(), 0, true));
    item->setForeground(Theme::textMuted());
    item->setFlags(Qt::NoItemFlags);
    item->setData(HeaderRole, true);
}

void WinTrayPopover::addMuted(const QString &text)
{
    auto *item = new QListWidgetItem(text, m_list);
    item->setForeground(Theme::textMuted());
    item->setFlags(Qt::NoItemFlags);
}

void WinTrayPopover::addEventRow(const Event &event, const QString &colour)
{
    const QDateTime start = event.start_time.toLocalTime();
    const QString when = event.is_all_day ? tr("All-day") : QLocale().toString(start, TimeFormat::pattern(m_state));
    auto *item = new QListWidgetItem(QStringLiteral("%1  %2").arg(when, event.title), m_list);
    item->setIcon(QIcon(dot(12, QRect(1, 1, 10, 10), colour)));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setData(StartDateRole, start.date());
    item->setData(EventIdRole, event.id);
}

void WinTrayPopover::updateHeader()
{
    const QString pattern = TimeFormat::pattern(m_state);
    const QDateTime now = QDateTime::currentDateTime();
    m_header->setText(QLocale().toString(now.date(), QStringLiteral("dddd, MMM d")) + QStringLiteral("  ·  ")
                      + QLocale().toString(now, pattern));
    if (!m_nextEvent)
        return;
    const QDateTime start = m_nextEvent->start_time.toLocalTime();
    // An event that began on an earlier day and still runs belongs to today.
    const bool today = UpcomingEvents::belongsToToday(*m_nextEvent, now.date());
    if (m_nextEvent->is_all_day) {
        m_cardWhen->setText(today ? tr("Today, all day") : tr("Tomorrow, all day"));
        return;
    }
    QString when = tr("%1 at %2").arg(today ? tr("Today") : tr("Tomorrow"), QLocale().toString(start, pattern));
    if (today)
        when += QStringLiteral(" · ") + relativeStartText(start, now);
    m_cardWhen->setText(when);
}

QString WinTrayPopover::relativeStartText(const QDateTime &start, const QDateTime &now)
{
    const qint64 seconds = now.secsTo(start);
    if (seconds <= 0)
        return tr("now");
    if (seconds < 3600)
        return tr("in %1 min").arg(std::max<qint64>(seconds / 60, 1));
    const qint64 hours = seconds / 3600;
    if (seconds % 3600 == 0)
        return tr("in %1h").arg(hours);
    return tr("in %1h %2m").arg(hours).arg((seconds - 3600 * hours) / 60);
}

void WinTrayPopover::fillGroupPicker()
{
    const bool blocked = m_groupCombo->blockSignals(true);
    m_groupCombo->clear();
    if (m_state && m_state->views()) {
        const QList<CalendarView> groups = m_state->views()->getAll();
        for (const CalendarView &group : groups) {
            const QString name = CalendarGroupName::shown(group);
            m_groupCombo->addItem(name.isEmpty() ? tr("(Unnamed)") : name, group.id);
            if (group.id == m_state->activeViewId())
                m_groupCombo->setCurrentIndex(m_groupCombo->count() - 1);
        }
    }
    m_groupCombo->blockSignals(blocked);
}

void WinTrayPopover::onGroupActivated(int index)
{
    if (index < 0 || !m_state)
        return;
    const QString id = m_groupCombo->itemData(index).toString();
    if (!id.isEmpty() && id != m_state->activeViewId())
        m_state->setActiveViewId(id);
}

void WinTrayPopover::onItemClicked(QListWidgetItem *item)
{
    if (!item || item->data(HeaderRole).toBool())
        return;
    const QString id = item->data(EventIdRole).toString();
    const QDate date = item->data(StartDateRole).toDate();
    if (id.isEmpty() || !date.isValid())
        return;
    Q_EMIT requestFocusOnEvent(id, date);
    hide();
}

QString WinTrayPopover::previewText(const QString &text, const QDateTime &now, const QString &timePattern)
{
    if (text.trimmed().isEmpty())
        return QString();
    const NLParser::ParseResult result = NLParser::parse(text, now);
    const QDateTime start = result.start.toLocalTime();
    QString preview;
    if (result.allDay) {
        preview = QLocale().toString(start.date(), QStringLiteral("ddd, MMM d")) + QStringLiteral("  \u2012  ")
                  + tr("All-day");
    } else {
        preview = QLocale().toString(start, QStringLiteral("ddd, MMM d  ") + timePattern);
        if (result.end && result.end->isValid())
            preview += QStringLiteral(" \u2013 ") + QLocale().toString(result.end->toLocalTime(), timePattern);
    }
    if (!result.title.isEmpty())
        preview += QStringLiteral("  ·  ") + result.title;
    return preview;
}

void WinTrayPopover::updatePreview(const QString &text)
{
    m_preview->setText(previewText(text, QDateTime::currentDateTime(), TimeFormat::pattern(m_state)));
}

void WinTrayPopover::commitQuickAdd()
{
    const QString text = m_quickAdd->text().trimmed();
    if (text.isEmpty() || !m_state)
        return;
    if (!m_state->calendars() || m_state->calendars()->getAll().isEmpty()) {
        Q_EMIT openMainWindow();
        hide();
        return;
    }
    if (QuickAdd::add(m_state, text, QString()).isEmpty()) {
        m_preview->setText(tr("Couldn't save event"));
        return;
    }
    hide();
}

bool WinTrayPopover::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        hide();
        return true;
    }
    return QFrame::event(event);
}

void WinTrayPopover::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    if (m_stale)
        refresh();
    m_refreshTimer->start();
}

void WinTrayPopover::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    m_refreshTimer->stop();
}
