#pragma once

#include "store/event.h"

#include <QDate>
#include <QDateTime>
#include <QFrame>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class AppState;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTimer;
class QToolButton;

// The small panel the tray icon opens: the date and time, the next event,
// today's and tomorrow's events, the calendar group, a quick-add line with a
// live preview, and ways into the main window. On Linux desktops it is a
// frameless popup placed at the tray icon, or at the cursor where the tray
// tells no position. Lives as long as the tray and is only hidden.
class WinTrayPopover : public QFrame
{
    Q_OBJECT
public:
    // Item data roles of the upcoming list.
    static constexpr int StartDateRole = Qt::UserRole + 1;
    static constexpr int HeaderRole = Qt::UserRole + 2;
    static constexpr int EventIdRole = Qt::UserRole + 3;

    explicit WinTrayPopover(AppState *state, QWidget *parent = nullptr);
    ~WinTrayPopover() override;

    void showAt(const QPoint &anchor);
    void refresh();
    void fillGroupPicker();
    void commitQuickAdd();
    void updatePreview(const QString &text);
    void updateHeader();

    // "now", "in 5 min", "in 2h", "in 1h 30m".
    static QString relativeStartText(const QDateTime &start, const QDateTime &now);
    // Top-left corner for a panel of `size` at `anchor`: centred above it and
    // kept 8 pixels inside the available area, or below the anchor where a
    // panel at the top of the screen leaves no room above.
    static QPoint placement(const QSize &size, const QPoint &anchor, const QRect &available);
    // The preview of one quick-add line as it would be stored now.
    static QString previewText(const QString &text, const QDateTime &now, const QString &timePattern);

Q_SIGNALS:
    void openMainWindow();
    void requestFocusOnEvent(const QString &eventId, const QDate &date);
    void openSettings();
    void syncNowRequested();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildLayout();
    void connectSignals();
    void refreshWhenShown();
    void onGroupActivated(int index);
    void onItemClicked(QListWidgetItem *item);
    void addHeader(const QString &text);
    void addMuted(const QString &text);
    void addEventRow(const Event &event, const QString &colour);
    QString colourOf(const Event &event, const QHash<QString, QString> &calendarColours) const;

    AppState *m_state;
    QLabel *m_header = nullptr;
    QComboBox *m_groupCombo = nullptr;
    QFrame *m_card = nullptr;
    QLabel *m_cardDot = nullptr;
    QLabel *m_cardTitle = nullptr;
    QLabel *m_cardWhen = nullptr;
    QLabel *m_cardDetail = nullptr;
    QListWidget *m_list = nullptr;
    QLineEdit *m_quickAdd = nullptr;
    QLabel *m_preview = nullptr;
    QToolButton *m_preferences = nullptr;
    QTimer *m_refreshTimer = nullptr;
    std::optional<Event> m_nextEvent;
    // A change arrived while hidden.
    bool m_stale = false;
};
