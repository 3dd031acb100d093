#include "dialogs/accounts/keyboardhelpdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "dialogs/editing/screenfit.h"

namespace {

QString native(const QKeySequence &keys)
{
    return keys.toString(QKeySequence::NativeText);
}

QString native(const char *keys)
{
    return native(QKeySequence(QString::fromLatin1(keys)));
}

QString pair(const QString &first, const QString &second)
{
    return QStringLiteral("%1 / %2").arg(first, second);
}

QString range(const QString &first, const QString &last)
{
    return QStringLiteral("%1 – %2").arg(first, last);
}

} // namespace

QKeySequence KeyboardHelpDialog::preferencesKey()
{
    const QList<QKeySequence> bound = QKeySequence::keyBindings(QKeySequence::Preferences);
    return bound.isEmpty() ? QKeySequence(QStringLiteral("Ctrl+,")) : bound.first();
}

QList<QKeySequence> KeyboardHelpDialog::namedShortcuts()
{
    QList<QKeySequence> keys;
    for (const char *text : {"T", "J", "K", "H", "L", "Shift+J", "Shift+K", "Alt+Left", "Alt+Right", "Ctrl+[",
                             "Ctrl+]", "Ctrl+N", "Ctrl+Shift+T", "Ctrl+Shift+N", "Ctrl+R", "Ctrl+K", "Ctrl+Shift+E",
                             "F1"})
        keys.append(QKeySequence(QString::fromLatin1(text)));
    for (int digit = 1; digit <= 6; ++digit)
        keys.append(QKeySequence(Qt::Key(Qt::Key_0 + digit)));
    for (int digit = 1; digit <= 5; ++digit)
        keys.append(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key(Qt::Key_0 + digit)));
    for (int digit = 1; digit <= 9; ++digit)
        keys.append(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + digit)));
    keys.append(preferencesKey());
    keys.append(QKeySequence::keyBindings(QKeySequence::Undo).value(0));
    return keys;
}

QList<KeyboardHelpSection> KeyboardHelpDialog::sections()
{
    QList<KeyboardHelpSection> all;
    all.append({tr("Navigation"),
                {{QStringLiteral("t"), tr("Today")},
                 {QStringLiteral("j / k"), tr("Next / previous (one mode-stride)")},
                 {QStringLiteral("h / l"), tr("Previous / next week")},
                 {QStringLiteral("J / K"), tr("Next / previous month")},
                 {QStringLiteral("1 – 6"), tr("Day / Days / Week / Grid / Month / Year")},
                 {native("Ctrl+Shift+1"), tr("Days timeline: 3 / 5 / 7 / 10 / 14 days (1 – 5)")},
                 {pair(native("Alt+Left"), native("Alt+Right")), tr("Back / forward through view + date history")}}});
    all.append({tr("Calendar groups"),
                {{range(native("Ctrl+1"), native("Ctrl+9")), tr("Activate calendar group 1 – 9")},
                 {pair(native("Ctrl+["), native("Ctrl+]")), tr("Previous / next calendar group")}}});
    all.append({tr("Actions"),
                {{native("Ctrl+N"), tr("New event")},
                 {native("Ctrl+Shift+T"), tr("New task")},
                 {native("Ctrl+Shift+N"), tr("Quick add")},
                 {native("Ctrl+R"), tr("Sync now")},
                 {native("Ctrl+K"), tr("Command palette")},
                 {native(preferencesKey()), tr("Preferences…")},
                 {native("Ctrl+Shift+E"), tr("Toggle empty days in sidebar agenda")},
                 {native(QKeySequence(QKeySequence::Undo)), tr("Undo (drag/resize/delete)")},
                 {native("F1"), tr("This dialog")}}});
    all.append({tr("Inside grids"),
                {{tr("Single click"), tr("Select event + open details popover")},
                 {tr("Double click"), tr("Edit event")},
                 {tr("Right-click"), tr("Edit / Delete menu")},
                 {tr("Drag block"), tr("Reschedule (snap to 15 min)")},
                 {tr("Drag bottom edge"), tr("Resize end time (snap to 15 min)")},
                 {tr("Ctrl+wheel"), tr("Zoom Day / Week timeline")},
                 {tr("Tab / Shift+Tab"), tr("Cycle event selection")},
                 {tr("↑ / ↓"), tr("Cycle event selection")},
                 {tr("Enter"), tr("Open popover for selected event")},
                 {tr("Mouse back / forward"), tr("Back / forward through view history")}}});
    all.append({tr("Quick-add (tray + %1 \"new\")").arg(native("Ctrl+K")),
                {{QStringLiteral("today / tomorrow / next monday"), tr("Date phrases")},
                 {QStringLiteral("at 3pm / at 1530"), tr("Time phrases")},
                 {QStringLiteral("from 1 to 3pm"), tr("Time range")},
                 {QStringLiteral("for 30 minutes"), tr("Duration")},
                 {QStringLiteral("in 2 weeks"), tr("Relative date")}}});
    return all;
}

KeyboardHelpDialog::KeyboardHelpDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Keyboard Shortcuts"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    // The card is taller than many screens: its rows scroll, the Close
    // button stays in view.
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("keyboardHelpScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *card = new QWidget(scroll);
    auto *cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(0, 0, 0, 0);
    for (const KeyboardHelpSection &section : sections()) {
        auto *title = new QLabel(section.title, card);
        QFont font = title->font();
        font.setBold(true);
        font.setWeight(QFont::Bold);
        font.setPointSize(font.pointSize() + 1);
        title->setFont(font);
        cardLayout->addWidget(title);
        auto *form = new QFormLayout;
        form->setLabelAlignment(Qt::AlignRight);
        for (const auto &[key, description] : section.rows) {
            auto *keyLabel = new QLabel(QStringLiteral("<tt><b>%1</b></tt>").arg(key.toHtmlEscaped()), card);
            keyLabel->setTextFormat(Qt::RichText);
            auto *text = new QLabel(description, card);
            text->setTextFormat(Qt::PlainText);
            // A long description in a narrow window wraps rather than run
            // past the edge.
            text->setWordWrap(true);
            form->addRow(keyLabel, text);
        }
        cardLayout->addLayout(form);
        cardLayout->addSpacing(8);
    }
    scroll->setWidget(card);
    layout->addWidget(scroll, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    layout->addWidget(buttons);
    // Measured in the fonts the style gives, so no row is cut at the right;
    // the whole card where the screen has room, else it scrolls.
    ensurePolished();
    resize(qMax(480, card->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width()),
           layout->sizeHint().height() - scroll->sizeHint().height() + card->sizeHint().height());
    ScreenFit::keepOnScreen(this);
}

void KeyboardHelpDialog::reject()
{
    // Escape and the window's close button close the card like Close does.
    accept();
}
