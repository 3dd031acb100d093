#include "ui/sidebar/sidebar.h"

#include <QVBoxLayout>

#include "ui/panes/agendalistwidget.h"
#include "views/minimonth/minimonthcalendar.h"
#include "store/preferencekeys.h"

Sidebar::Sidebar(AppState *appState, QWidget *parent)
    : QWidget(parent)
    , m_appState(appState)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    m_miniMonth = new MiniMonthCalendar(m_appState, this);
    layout->addWidget(m_miniMonth, 0);
    m_agenda = new AgendaListWidget(m_appState, true, 30, QLatin1String(PreferenceKeys::SidebarAgendaMode), this);
    layout->addWidget(m_agenda, 1);
}

Sidebar::~Sidebar() = default;
