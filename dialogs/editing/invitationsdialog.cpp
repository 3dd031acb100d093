#include "dialogs/editing/invitationsdialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/plaintext.h"
#include "app/theme/theme.h"
#include "app/timeformatsetting.h"
#include "calendar/stylecolor.h"
#include "dialogs/editing/eventactions.h"
#include "services/invitationsservice.h"
#include "store/calendarrepository.h"
#include "store/eventrepository.h"

namespace {

QLabel *emptyLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: %1; padding: %2px;").arg(Theme::textMuted().name()).arg(16));
    return label;
}

QWidget *listPage(QLabel *empty, QListWidget *list, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    empty->setParent(page);
    list->setParent(page);
    list->setSpacing(4);
    layout->addWidget(empty);
    layout->addWidget(list, 1);
    return page;
}

QLabel *mutedText(const QString &text, QWidget *parent)
{
    QLabel *label = PlainText::label(text, parent);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    return label;
}

} // namespace

InvitationsDialog::InvitationsDialog(AppState *app, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
{
    setWindowTitle(tr("Invitations"));
    setModal(true);
    resize(640, 560);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    m_tabs = new QTabWidget(this);
    m_newList = new QListWidget;
    m_newList->setObjectName(QStringLiteral("newInvitations"));
    m_pastList = new QListWidget;
    m_pastList->setObjectName(QStringLiteral("pastInvitations"));
    m_newEmpty = emptyLabel(tr("No new invitations. You're all caught up."), this);
    m_pastEmpty = emptyLabel(tr("Nothing in your history yet."), this);
    m_tabs->addTab(listPage(m_newEmpty, m_newList, m_tabs), tr("New"));
    m_tabs->addTab(listPage(m_pastEmpty, m_pastList, m_tabs), tr("Past"));
    layout->addWidget(m_tabs, 1);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
    if (m_app && m_app->invitations())
        connect(m_app->invitations(), &Invitations::Service::invitationsChanged, this, &InvitationsDialog::reload);
    reload();
}

QString InvitationsDialog::partstatLabel(const QString &status)
{
    const QString lower = status.toLower();
    if (lower == QLatin1String("accepted"))
        return tr("Going");
    if (lower == QLatin1String("declined"))
        return tr("Declined");
    if (lower == QLatin1String("tentative"))
        return tr("Maybe");
    if (lower == QLatin1String("delegated"))
        return tr("Delegated");
    return tr("No response");
}

QString InvitationsDialog::formatWhen(const AppState *app, const Event &event)
{
    const QDateTime start = event.start_time.toLocalTime();
    const QString date = QLocale().toString(start, QStringLiteral("ddd, MMM d"));
    if (event.is_all_day)
        return tr("%1 (all day)").arg(date);
    const QString from = TimeFormat::formatTime(app, start);
    if (event.end_time)
        return tr("%1, %2 – %3").arg(date, from, TimeFormat::formatTime(app, event.end_time->toLocalTime()));
    return tr("%1, %2").arg(date, from);
}

QString InvitationsDialog::organizerText(const Event &event)
{
    if (!event.organizer_name.isEmpty())
        return event.organizer_name;
    if (!event.organizer_email.isEmpty())
        return event.organizer_email;
    for (const Attendee &attendee : event.attendees) {
        if (attendee.role.toLower() == QLatin1String("chair"))
            return attendee.name.isEmpty() ? attendee.email : attendee.name;
    }
    return QString();
}

QString InvitationsDialog::myStatus(const Event &event) const
{
    const QSet<QString> mine = m_app->invitations()->myEmails();
    for (const Attendee &attendee : event.attendees) {
        if (mine.contains(attendee.email.toLower()))
            return attendee.status;
    }
    return QString();
}

void InvitationsDialog::reload()
{
    // Cards go with deferred deletion: reload runs inside a card's click.
    m_newList->clear();
    m_pastList->clear();
    if (!m_app || !m_app->invitations()) {
        m_newEmpty->show();
        m_pastEmpty->show();
        m_newList->hide();
        m_pastList->hide();
        return;
    }
    const Invitations::Lists lists = m_app->invitations()->pending();
    m_newEmpty->setVisible(lists.pending.isEmpty());
    m_newList->setVisible(!lists.pending.isEmpty());
    m_pastEmpty->setVisible(lists.past.isEmpty());
    m_pastList->setVisible(!lists.past.isEmpty());
    const auto add = [this](QListWidget *list, const Event &event, bool actionable) {
        QWidget *card = buildCard(event, actionable);
        auto *item = new QListWidgetItem(list);
        item->setSizeHint(card->sizeHint());
        list->setItemWidget(item, card);
    };
    for (const Event &event : lists.pending)
        add(m_newList, event, true);
    for (const Event &event : lists.past)
        add(m_pastList, event, false);
    if (lists.pending.isEmpty() && !lists.past.isEmpty())
        m_tabs->setCurrentIndex(1);
}

QWidget *InvitationsDialog::buildCard(const Event &event, bool actionable)
{
    auto *card = new QWidget;
    card->setObjectName(QStringLiteral("invitationCard"));
    card->setAttribute(Qt::WA_StyledBackground, true);
    card->setStyleSheet(QStringLiteral("QWidget#invitationCard { background: %1; border: 1px solid %2; "
                                       "border-radius: 8px; }")
                            .arg(Theme::surface().name(), Theme::border().name()));
    auto *layout = new QVBoxLayout(card);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);

    auto *header = new QHBoxLayout;
    auto *bar = new QLabel(card);
    bar->setObjectName(QStringLiteral("calendarBar"));
    bar->setFixedSize(4, 28);
    const std::optional<Calendar> calendar = m_app->calendars()->getById(event.calendar_id);
    bar->setStyleSheet(QStringLiteral("background: %1; border-radius: 2px;")
                           .arg(calendar ? styleColor(calendar->color) : QStringLiteral("#cccccc")));
    header->addWidget(bar, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(2);
    QLabel *title = PlainText::label(event.title.isEmpty() ? tr("(Untitled event)") : event.title, card);
    title->setObjectName(QStringLiteral("invitationTitle"));
    QFont titleFont = title->font();
    titleFont.setWeight(QFont::Bold);
    title->setFont(titleFont);
    texts->addWidget(title);
    QLabel *when = mutedText(formatWhen(m_app, event), card);
    when->setObjectName(QStringLiteral("invitationWhen"));
    texts->addWidget(when);
    header->addLayout(texts, 1);
    auto *chip = new QLabel(partstatLabel(myStatus(event)), card);
    chip->setObjectName(QStringLiteral("answerChip"));
    chip->setStyleSheet(QStringLiteral("QLabel { color: %1; padding: 2px 8px; border: 1px solid %2; "
                                       "border-radius: 10px; }")
                            .arg(Theme::textMuted().name(), Theme::border().name()));
    header->addWidget(chip, 0, Qt::AlignTop);
    layout->addLayout(header);

    const QString organizer = organizerText(event);
    if (!organizer.isEmpty()) {
        QLabel *invitedBy = mutedText(tr("Invited by %1").arg(organizer), card);
        invitedBy->setObjectName(QStringLiteral("invitedBy"));
        layout->addWidget(invitedBy);
    }
    if (!event.location.isEmpty()) {
        QLabel *location = mutedText(event.location, card);
        location->setWordWrap(true);
        layout->addWidget(location);
    }
    if (actionable) {
        auto *row = new QHBoxLayout;
        row->setSpacing(8);
        const QList<QPair<QString, QString>> answers = {{tr("Accept"), QStringLiteral("accepted")},
                                                        {tr("Maybe"), QStringLiteral("tentative")},
                                                        {tr("Decline"), QStringLiteral("declined")}};
        const QString id = event.id;
        for (const auto &answer : answers) {
            auto *button = new QPushButton(answer.first, card);
            const QString status = answer.second;
            connect(button, &QPushButton::clicked, this, [this, id, status] { respond(id, status); });
            row->addWidget(button);
        }
        row->addStretch(1);
        layout->addLayout(row);
    }
    return card;
}

void InvitationsDialog::respond(const QString &eventId, const QString &status)
{
    if (!m_app || !m_app->invitations())
        return;
    const std::optional<Event> event = m_app->events()->getById(eventId);
    if (!event || event->deleted_at)
        return;
    const QSet<QString> mine = m_app->invitations()->myEmails();
    for (const Attendee &attendee : event->attendees) {
        if (mine.contains(attendee.email.toLower())) {
            const EditResult answered = m_app->invitations()->respond(eventId, attendee.email, status);
            if (!answered)
                EventActions::showSaveFailure(this, answered);
            return;
        }
    }
}
