#include "dialogs/accounts/webcalsubscriptiondialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/plaintext.h"
#include "app/theme/theme.h"

WebcalSubscriptionDialog::WebcalSubscriptionDialog(AppState *state, QWidget *parent,
                                                   SubscriptionCalendar::Fetcher fetch)
    : QDialog(parent)
    , m_state(state)
    , m_fetch(std::move(fetch))
{
    setWindowTitle(tr("Add Subscription"));
    setMinimumWidth(520);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    auto *intro = new QLabel(tr("Subscribe to a public ICS feed (holidays, sports schedules, shared calendars). "
                                "Updates pull on every sync; the calendar is read-only."),
                             this);
    intro->setWordWrap(true);
    intro->setProperty("muted", true);
    layout->addWidget(intro);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(12);
    grid->setColumnMinimumWidth(0, 64);
    grid->setColumnStretch(0, 0);
    grid->setColumnStretch(1, 1);
    const auto caption = [this](const QString &text) {
        auto *label = new QLabel(text, this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    };
    m_url = new QLineEdit(this);
    m_url->setObjectName(QStringLiteral("urlEdit"));
    m_url->setMinimumWidth(360);
    m_url->setPlaceholderText(QStringLiteral("https://example.com/calendar/feed.ics"));
    grid->addWidget(caption(tr("URL")), 0, 0);
    grid->addWidget(m_url, 0, 1);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_name->setPlaceholderText(tr("Optional, derived from URL when blank"));
    grid->addWidget(caption(tr("Name")), 1, 0);
    grid->addWidget(m_name, 1, 1);
    auto *colorRow = new QHBoxLayout;
    colorRow->setContentsMargins(0, 0, 0, 0);
    m_colorButton = new QToolButton(this);
    m_colorButton->setObjectName(QStringLiteral("colorButton"));
    m_colorButton->setAutoRaise(false);
    m_colorButton->setMinimumSize(28, 28);
    connect(m_colorButton, &QToolButton::clicked, this, [this] { chooseColor(); });
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch(1);
    grid->addWidget(caption(tr("Color")), 2, 0);
    grid->addLayout(colorRow, 2, 1);
    layout->addLayout(grid);
    styleColorButton();

    layout->addStretch(1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Subscribe"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { save(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void WebcalSubscriptionDialog::styleColorButton()
{
    m_colorButton->setStyleSheet(
        QStringLiteral("QToolButton { background: %1; border: 1px solid %2; border-radius: 4px; }")
            .arg(m_color, Theme::border().name()));
}

void WebcalSubscriptionDialog::chooseColor()
{
    const QColor chosen = QColorDialog::getColor(QColor(m_color), this, tr("Calendar Color"));
    if (!chosen.isValid())
        return;
    m_color = chosen.name();
    styleColorButton();
}

void WebcalSubscriptionDialog::save()
{
    const QString text = m_url->text().trimmed();
    if (text.isEmpty()) {
        QMessageBox::warning(this, tr("URL required"), tr("Enter a feed URL to subscribe."));
        return;
    }
    const QUrl url(text, QUrl::TolerantMode);
    // Only web feeds: a file: or other scheme would have the sync client
    // read something that is not a published calendar.
    static const QStringList feedSchemes = {QStringLiteral("https"), QStringLiteral("http"),
                                            QStringLiteral("webcal"), QStringLiteral("webcals")};
    if (!url.isValid() || !feedSchemes.contains(url.scheme().toLower())) {
        PlainText::warning(this, tr("Invalid URL"),
                           tr("Couldn't parse \"%1\". Provide a full URL (https://, http://, or webcal://).")
                               .arg(text));
        return;
    }
    QString name = m_name->text().trimmed();
    if (name.isEmpty())
        name = url.host().isEmpty() ? QObject::tr("New Subscription") : url.host();
    Calendar calendar = SubscriptionCalendar::make(QString(), text, name, m_color);
    if (!SubscriptionCalendar::add(m_state, calendar)) {
        QMessageBox::critical(this, tr("Couldn't save"), tr("Couldn't create the subscription calendar."));
        return;
    }
    m_fetch(m_state, calendar);
    accept();
}
