#include "dialogs/search/searchdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "app/timeformatsetting.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"
#include "ui/popovers/eventdetailspopover.h"
#include "ui/popovers/popoverplacement.h"

SearchDialog::SearchDialog(AppState *app, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_debounce(new QTimer(this))
{
    setWindowTitle(tr("Search"));
    resize(820, 560);
    m_debounce->setSingleShot(true);
    m_debounce->setInterval(kDebounceMs);
    connect(m_debounce, &QTimer::timeout, this, &SearchDialog::runSearch);
    buildUi();
}

void SearchDialog::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);

    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("searchText"));
    m_searchEdit->setPlaceholderText(tr("Search events by title, location, or notes…"));
    QFont searchFont = m_searchEdit->font();
    searchFont.setPointSize(searchFont.pointSize() + 2);
    m_searchEdit->setFont(searchFont);
    connect(m_searchEdit, &QLineEdit::textChanged, this, &SearchDialog::scheduleSearch);
    layout->addWidget(m_searchEdit);

    auto *rangeRow = new QHBoxLayout;
    rangeRow->setSpacing(12);
    rangeRow->addWidget(new QLabel(tr("Range:"), this));
    m_rangeCombo = new QComboBox(this);
    m_rangeCombo->setObjectName(QStringLiteral("searchRange"));
    const QStringList ranges = {tr("All time"), tr("Past 30 days"), tr("Past 90 days"), tr("Next 30 days"),
                                tr("Next 12 months")};
    for (int i = 0; i < ranges.size(); ++i)
        m_rangeCombo->addItem(ranges.at(i), i);
    connect(m_rangeCombo, &QComboBox::currentIndexChanged, this, &SearchDialog::scheduleSearch);
    rangeRow->addWidget(m_rangeCombo);
    rangeRow->addStretch();
    layout->addLayout(rangeRow);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    auto *left = new QFrame(splitter);
    left->setFrameShape(QFrame::StyledPanel);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(8, 8, 8, 8);
    leftLayout->setSpacing(8);
    auto *calendarsLabel = new QLabel(tr("Calendars"), left);
    QFont bold = calendarsLabel->font();
    bold.setWeight(QFont::Bold);
    calendarsLabel->setFont(bold);
    leftLayout->addWidget(calendarsLabel);
    m_calendarList = new QListWidget(left);
    m_calendarList->setObjectName(QStringLiteral("searchCalendars"));
    m_calendarList->setSelectionMode(QAbstractItemView::NoSelection);
    for (const Calendar &calendar : m_app->calendars()->getAll()) {
        if (!calendar.is_visible)
            continue;
        auto *item = new QListWidgetItem(Theme::colorDotIcon(calendar.color), calendar.name, m_calendarList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setData(Qt::UserRole, calendar.id);
        m_selectedCalendarIds.insert(calendar.id);
    }
    connect(m_calendarList, &QListWidget::itemChanged, this, &SearchDialog::onCalendarToggled);
    leftLayout->addWidget(m_calendarList);

    auto *right = new QFrame(splitter);
    right->setFrameShape(QFrame::StyledPanel);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    m_resultList = new QListWidget(right);
    m_resultList->setObjectName(QStringLiteral("searchResults"));
    m_resultList->setAlternatingRowColors(true);
    m_resultList->setUniformItemSizes(false);
    connect(m_resultList, &QListWidget::itemClicked, this, &SearchDialog::showDetailsPopover);
    connect(m_resultList, &QListWidget::itemActivated, this, &SearchDialog::activateRow);
    rightLayout->addWidget(m_resultList);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 600});
    layout->addWidget(splitter, 1);

    m_statusLabel = new QLabel(tr("Type to search."), this);
    m_statusLabel->setObjectName(QStringLiteral("searchStatus"));
    m_statusLabel->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    layout->addWidget(m_statusLabel);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Return in the search field searches at once; it never closes the
    // dialog, so Close is no default button.
    QPushButton *close = buttons->button(QDialogButtonBox::Close);
    close->setAutoDefault(false);
    close->setDefault(false);
    connect(m_searchEdit, &QLineEdit::returnPressed, this, [this] {
        m_debounce->stop();
        runSearch();
    });
    layout->addWidget(buttons);
    m_searchEdit->setFocus();
}

void SearchDialog::scheduleSearch()
{
    m_debounce->start();
}

void SearchDialog::onCalendarToggled(QListWidgetItem *item)
{
    const QString id = item->data(Qt::UserRole).toString();
    if (item->checkState() == Qt::Checked)
        m_selectedCalendarIds.insert(id);
    else
        m_selectedCalendarIds.remove(id);
    scheduleSearch();
}

QPair<QDateTime, QDateTime> SearchDialog::searchRange(int range, const QDateTime &now)
{
    switch (range) {
    case 1:
        return {now.addDays(-30), now.addDays(7)};
    case 2:
        return {now.addDays(-90), now.addDays(7)};
    case 3:
        return {now, now.addDays(30)};
    case 4:
        return {now, now.addDays(365)};
    default:
        return {now.addDays(-3650), now.addDays(3650)};
    }
}

void SearchDialog::runSearch()
{
    const QString text = m_searchEdit->text().trimmed();
    m_resultList->clear();
    if (text.isEmpty()) {
        m_statusLabel->setText(tr("Type to search."));
        return;
    }
    if (text.size() < 2) {
        m_statusLabel->setText(tr("Keep typing…"));
        return;
    }
    const auto [from, to] = searchRange(m_rangeCombo->currentData().toInt(), QDateTime::currentDateTime());
    // Range and calendars narrow the query itself, so the row limit never
    // cuts off matches that would pass them.
    const QList<Event> events = m_app->events()->searchInRange(
        text, from, to, QStringList(m_selectedCalendarIds.begin(), m_selectedCalendarIds.end()), kResultLimit);
    for (const Event &event : events)
        addResultRow(event);
    const int count = int(events.size());
    m_statusLabel->setText(count > 0 ? tr("%n result(s).", nullptr, count) : tr("No matches in this range."));
}

void SearchDialog::addResultRow(const Event &event)
{
    const std::optional<Calendar> calendar = m_app->calendars()->getById(event.calendar_id);
    const QString color = calendar ? calendar->color : QStringLiteral("#cccccc");
    QStringList lines;
    lines.append(event.title.isEmpty() ? tr("(Untitled)") : event.title);
    QString when = formatWhen(m_app, event);
    if (!event.location.isEmpty())
        when += QStringLiteral("  ·  ") + event.location;
    lines.append(when);
    if (calendar && !calendar->name.isEmpty())
        lines.append(calendar->name);
    auto *item = new QListWidgetItem(Theme::colorDotIcon(color), lines.join(QLatin1Char('\n')), m_resultList);
    item->setData(Qt::UserRole, event.id);
    // Rows are 64 px high, or as high as their lines need where the font is
    // larger (a cut row would hide the calendar line); wide enough for their
    // longest line, the dot and the padding.
    const QFontMetrics metrics = m_resultList->fontMetrics();
    int width = 0;
    for (const QString &line : lines)
        width = qMax(width, metrics.horizontalAdvance(line));
    item->setSizeHint(QSize(width + 48, qMax(64, int(lines.size()) * metrics.lineSpacing() + 16)));
}

QString SearchDialog::formatWhen(AppState *app, const Event &event)
{
    const QDateTime start = event.start_time.toLocalTime();
    const QString date = QLocale().toString(start, QStringLiteral("ddd, MMM d, yyyy"));
    if (event.is_all_day)
        return tr("%1 (all day)").arg(date);
    const QString startText = TimeFormat::formatTime(app, start);
    if (event.end_time)
        return tr("%1, %2 – %3").arg(date, startText, TimeFormat::formatTime(app, event.end_time->toLocalTime()));
    return tr("%1, %2").arg(date, startText);
}

void SearchDialog::showDetailsPopover(QListWidgetItem *item)
{
    const QString id = item ? item->data(Qt::UserRole).toString() : QString();
    if (id.isEmpty())
        return;
    const std::optional<Event> event = m_app->events()->getById(id);
    if (!event || event->deleted_at)
        return;
    auto *popover = new EventDetailsPopover(m_app, *event, this);
    const QRect row = m_resultList->visualItemRect(item);
    const QPoint corner = m_resultList->viewport()->mapToGlobal(row.topRight());
    positionPopoverNear(popover, QRect(corner, QSize(1, row.height())));
}

void SearchDialog::activateRow(QListWidgetItem *item)
{
    const QString id = item ? item->data(Qt::UserRole).toString() : QString();
    if (id.isEmpty())
        return;
    Q_EMIT eventActivated(id);
    accept();
}
