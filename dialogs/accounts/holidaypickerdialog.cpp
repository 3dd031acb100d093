#include "dialogs/accounts/holidaypickerdialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/theme.h"
#include "dialogs/accounts/subscriptioncalendar.h"
#include "store/calendarrepository.h"
#include "sync/webcal/holidaycatalog.h"

#include <algorithm>

HolidayPickerDialog::HolidayPickerDialog(AppState *state, QWidget *parent, SubscriptionCalendar::Fetcher fetch)
    : QDialog(parent)
    , m_state(state)
    , m_fetch(std::move(fetch))
{
    setWindowTitle(tr("Holiday Calendars"));
    setModal(true);
    setMinimumSize(560, 520);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    auto *intro = new QLabel(tr("Subscribe to a country's public holidays. Feeds are read-only and update "
                                "automatically. All subscriptions land under the shared \"Calendar Subscriptions\" "
                                "account."),
                             this);
    intro->setWordWrap(true);
    intro->setProperty("muted", true);
    layout->addWidget(intro);

    m_filterEdit = new QLineEdit(this);
    m_filterEdit->setObjectName(QStringLiteral("holidayFilter"));
    m_filterEdit->setPlaceholderText(tr("Search by country or region…"));
    connect(m_filterEdit, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_filter = text.trimmed();
        rebuildTree();
    });
    layout->addWidget(m_filterEdit);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("holidayTree"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setIndentation(16);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tree->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    layout->addWidget(m_tree, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    rebuildTree();
}

bool HolidayPickerDialog::isSubscribed(const QString &url) const
{
    const QList<Calendar> calendars = m_state->calendars()->getAll();
    return std::any_of(calendars.cbegin(), calendars.cend(),
                       [&url](const Calendar &calendar) { return calendar.url == url; });
}

void HolidayPickerDialog::rebuildTree()
{
    m_tree->clear();
    const QString filter = m_filter.toLower();
    // Every row is as tall as a Subscribe button, so the buttons never overlap.
    const QSize rowSize(0, QPushButton(tr("Subscribe")).sizeHint().height() + 4);
    bool anyRegion = false;
    for (const QString &region : HolidayCatalog::regions()) {
        const bool regionMatches = region.toLower().contains(filter);
        QList<HolidayFeed> matching;
        for (const HolidayFeed &feed : HolidayCatalog::feedsInRegion(region)) {
            if (filter.isEmpty() || regionMatches || feed.name.toLower().contains(filter))
                matching.append(feed);
        }
        if (matching.isEmpty())
            continue;
        anyRegion = true;
        auto *regionItem = new QTreeWidgetItem(m_tree, {region});
        regionItem->setFlags(Qt::ItemIsEnabled);
        regionItem->setFirstColumnSpanned(true);
        regionItem->setSizeHint(0, rowSize);
        QFont bold = regionItem->font(0);
        bold.setBold(true);
        bold.setWeight(QFont::Bold);
        regionItem->setFont(0, bold);
        regionItem->setForeground(0, Theme::accent());
        for (const HolidayFeed &feed : matching) {
            auto *countryItem = new QTreeWidgetItem(regionItem, {feed.name});
            countryItem->setFlags(Qt::ItemIsEnabled);
            countryItem->setSizeHint(0, rowSize);
            if (isSubscribed(feed.url)) {
                auto *label = new QLabel(tr("Subscribed"), m_tree);
                label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                label->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::accent().name()));
                label->setContentsMargins(0, 0, 8, 0);
                m_tree->setItemWidget(countryItem, 1, label);
            } else {
                auto *button = new QPushButton(tr("Subscribe"), m_tree);
                const QString url = feed.url;
                const QString country = feed.name;
                connect(button, &QPushButton::clicked, this, [this, url, country] { subscribe(url, country); });
                m_tree->setItemWidget(countryItem, 1, button);
            }
        }
        regionItem->setExpanded(true);
    }
    if (!anyRegion && !filter.isEmpty()) {
        auto *none = new QTreeWidgetItem(m_tree, {tr("No holiday feeds match \"%1\".").arg(m_filter)});
        none->setFlags(Qt::ItemIsEnabled);
        none->setFirstColumnSpanned(true);
    }
}

void HolidayPickerDialog::subscribe(const QString &url, const QString &country)
{
    if (isSubscribed(url)) {
        QMessageBox::information(this, tr("Already subscribed"),
                                 tr("You're already subscribed to \"%1\".").arg(country));
        return;
    }
    Calendar calendar =
        SubscriptionCalendar::make(QString(), url, tr("%1 Holidays").arg(country), QStringLiteral("#0F9D58"));
    if (!SubscriptionCalendar::add(m_state, calendar)) {
        QMessageBox::critical(this, tr("Couldn't subscribe"), tr("Couldn't create the holiday calendar. Try again."));
        return;
    }
    m_fetch(m_state, calendar);
    // The click came from a button of the tree; rebuild once it has returned.
    QMetaObject::invokeMethod(this, [this] { rebuildTree(); }, Qt::QueuedConnection);
}
