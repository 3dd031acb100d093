#pragma once

#include "store/event.h"

#include <QDialog>
#include <QString>

class AppState;
class QLabel;
class QListWidget;
class QTabWidget;

// The meeting invitations addressed to the user: "New" ones wait for an
// answer (Accept, Maybe, Decline), "Past" holds the rest. Answers go through
// the invitation service, which marks the event for upload.
class InvitationsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit InvitationsDialog(AppState *app, QWidget *parent = nullptr);

    static QString partstatLabel(const QString &status);
    static QString formatWhen(const AppState *app, const Event &event);
    static QString organizerText(const Event &event);

private Q_SLOTS:
    void reload();

private:
    QWidget *buildCard(const Event &event, bool actionable);
    QString myStatus(const Event &event) const;
    void respond(const QString &eventId, const QString &status);

    AppState *m_app;
    QTabWidget *m_tabs = nullptr;
    QListWidget *m_newList = nullptr;
    QListWidget *m_pastList = nullptr;
    QLabel *m_newEmpty = nullptr;
    QLabel *m_pastEmpty = nullptr;
};
