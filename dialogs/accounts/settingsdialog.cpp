#include "dialogs/accounts/settingsdialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "account/client.h"
#include "app/appstate.h"
#include "app/calendarchoice.h"
#include "app/platform/desktopintegration.h"
#include "app/theme/plaintext.h"
#include "app/theme/theme.h"
#include "app/theme/thememanager.h"
#include "calendar/stylecolor.h"
#include "cloud/configsyncservice.h"
#include "dialogs/accounts/weathersettingsdialog.h"
#include "dialogs/editing/screenfit.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"
#include "store/preferencesrepository.h"
#include "ui/pickers/wheelguard.h"
#include "store/preferencekeys.h"

#include <algorithm>

namespace {

QLabel *sectionHeader(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setWeight(QFont::Bold);
    font.setPointSize(font.pointSize() + 1);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::accent().name()));
    return label;
}

QFrame *sectionRule(QWidget *parent)
{
    auto *rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    rule->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::border().name()));
    return rule;
}

QFormLayout *formSection(QVBoxLayout *page)
{
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(12);
    // Where a language's label and field do not fit side by side, the field
    // goes under its label instead of widening the page.
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    page->addLayout(form);
    return form;
}

// Selects the first item whose data equals `value`; the first item stays
// selected when none does.
void selectValue(QComboBox *combo, const QVariant &value)
{
    const int index = combo->findData(value);
    combo->setCurrentIndex(index >= 0 ? index : 0);
}

QCheckBox *checkBox(const QString &text, const QString &objectName, bool checked, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    box->setChecked(checked);
    return box;
}

} // namespace

SettingsDialog::SettingsDialog(AppState *state, ThemeManager *theme, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_theme(theme)
{
    setWindowTitle(tr("Preferences"));
    setModal(true);
    // Its sections scroll: any screen height will do.
    setMinimumWidth(560);

    m_initialMode = m_theme->mode();
    m_initialAccent = Theme::customAccent();
    m_initialFontScale = m_theme->fontScale();
    m_workingAccent = m_initialAccent;

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto *content = new QWidget(scroll);
    auto *page = new QVBoxLayout(content);
    page->setContentsMargins(16, 16, 16, 16);
    page->setSpacing(12);

    buildAppearance(page);
    page->addWidget(sectionRule(content));
    buildCalendar(page);
    page->addWidget(sectionRule(content));
    buildTime(page);
    page->addWidget(sectionRule(content));
    buildWeather(page);
    page->addWidget(sectionRule(content));
    buildStartup(page);
    page->addWidget(sectionRule(content));
    buildTasks(page);
    page->addWidget(sectionRule(content));
    buildCrossDeviceSync(page);
    page->addStretch(1);
    WheelGuard::protect(content);
    scroll->setWidget(content);
    outer->addWidget(scroll, 1);

    auto *footer = new QWidget(this);
    auto *footerLayout = new QHBoxLayout(footer);
    footerLayout->setContentsMargins(16, 12, 16, 12);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, footer);
    footerLayout->addWidget(buttons);
    outer->addWidget(footer);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { saveAndAccept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { revertAppearance(); });

    // Connected after the initial selection, so loading previews nothing.
    connect(m_themeCombo, &QComboBox::currentIndexChanged, this,
            [this] { m_theme->setMode(m_themeCombo->currentData().toString()); });
    connect(m_fontScaleCombo, &QComboBox::currentIndexChanged, this,
            [this] { m_theme->setFontScale(m_fontScaleCombo->currentData().toInt(), true); });
    refreshAccentRow();
    resize(640, 720);
    ScreenFit::keepOnScreen(this);
}

void SettingsDialog::buildAppearance(QVBoxLayout *page)
{
    QWidget *host = page->parentWidget();
    page->addWidget(sectionHeader(tr("Appearance"), host));
    QFormLayout *form = formSection(page);

    m_themeCombo = new QComboBox(host);
    m_themeCombo->setObjectName(QStringLiteral("themeCombo"));
    m_themeCombo->addItem(tr("System"), QStringLiteral("system"));
    m_themeCombo->addItem(tr("Light"), QStringLiteral("light"));
    m_themeCombo->addItem(tr("Dark"), QStringLiteral("dark"));
    selectValue(m_themeCombo, m_initialMode);
    form->addRow(tr("&Theme"), m_themeCombo);

    auto *accentRow = new QHBoxLayout;
    accentRow->setSpacing(8);
    m_accentSwatch = new QToolButton(host);
    m_accentSwatch->setObjectName(QStringLiteral("accentSwatch"));
    m_accentSwatch->setFixedSize(28, 28);
    m_accentSwatch->setCursor(Qt::PointingHandCursor);
    connect(m_accentSwatch, &QToolButton::clicked, this, [this] { chooseAccent(); });
    m_useDefaultAccent = new QPushButton(tr("Use default"), host);
    m_useDefaultAccent->setObjectName(QStringLiteral("useDefaultAccent"));
    m_useDefaultAccent->setFlat(true);
    m_useDefaultAccent->setCursor(Qt::PointingHandCursor);
    connect(m_useDefaultAccent, &QPushButton::clicked, this, [this] {
        m_workingAccent.clear();
        m_theme->setAccentColor(QString());
        refreshAccentRow();
    });
    accentRow->addWidget(m_accentSwatch);
    accentRow->addWidget(m_useDefaultAccent);
    accentRow->addStretch(1);
    form->addRow(tr("Accent color"), accentRow);

    m_fontScaleCombo = new QComboBox(host);
    m_fontScaleCombo->setObjectName(QStringLiteral("fontScaleCombo"));
    const QList<QPair<QString, int>> scales = {{tr("Small"), 85},   {tr("Default"), 100}, {tr("Medium"), 115},
                                               {tr("Large"), 130},  {tr("X-Large"), 150}};
    for (const auto &[text, value] : scales)
        m_fontScaleCombo->addItem(text, value);
    int index = m_fontScaleCombo->findData(m_initialFontScale);
    if (index < 0)
        index = m_fontScaleCombo->findData(100);
    m_fontScaleCombo->setCurrentIndex(index >= 0 ? index : 1);
    form->addRow(tr("&Font size"), m_fontScaleCombo);
}

void SettingsDialog::buildCalendar(QVBoxLayout *page)
{
    QWidget *host = page->parentWidget();
    PreferencesRepository *preferences = m_state->preferences();
    page->addWidget(sectionHeader(tr("Calendar"), host));
    QFormLayout *form = formSection(page);

    m_weekStart = new QComboBox(host);
    m_weekStart->setObjectName(QStringLiteral("weekStartCombo"));
    const QStringList days = {tr("System default"), tr("Monday"), tr("Tuesday"), tr("Wednesday"),
                              tr("Thursday"),       tr("Friday"), tr("Saturday"), tr("Sunday")};
    for (int i = 0; i < days.size(); ++i)
        m_weekStart->addItem(days.at(i), i);
    selectValue(m_weekStart, preferences->getInt(QLatin1String(PreferenceKeys::WeekStartDay), 0));
    form->addRow(tr("Week starts on"), m_weekStart);

    auto *hours = new QHBoxLayout;
    m_workdayStart = new QSpinBox(host);
    m_workdayStart->setObjectName(QStringLiteral("workdayStart"));
    m_workdayStart->setRange(0, 23);
    m_workdayStart->setSuffix(QStringLiteral(":00"));
    m_workdayStart->setValue(preferences->getInt(QLatin1String(PreferenceKeys::WorkdayStart), 8));
    m_workdayEnd = new QSpinBox(host);
    m_workdayEnd->setObjectName(QStringLiteral("workdayEnd"));
    m_workdayEnd->setRange(1, 24);
    m_workdayEnd->setSuffix(QStringLiteral(":00"));
    m_workdayEnd->setValue(preferences->getInt(QLatin1String(PreferenceKeys::WorkdayEnd), 18));
    hours->addWidget(m_workdayStart);
    hours->addWidget(new QLabel(tr("to"), host));
    hours->addWidget(m_workdayEnd);
    hours->addStretch(1);
    form->addRow(tr("Workday hours"), hours);

    m_weekNumbers = checkBox(tr("Show week numbers in mini-cal"), QStringLiteral("showWeekNumbers"),
                             preferences->getBool(QLatin1String(PreferenceKeys::ShowWeekNumbers), false), host);
    form->addRow(QString(), m_weekNumbers);

    m_defaultEventCalendar = new QComboBox(host);
    m_defaultEventCalendar->setObjectName(QStringLiteral("defaultEventCalendar"));
    fillCalendarCombo(m_defaultEventCalendar, preferences->getString(QLatin1String(PreferenceKeys::DefaultCalendarId)));
    form->addRow(tr("Default for new events"), m_defaultEventCalendar);
    m_defaultTaskCalendar = new QComboBox(host);
    m_defaultTaskCalendar->setObjectName(QStringLiteral("defaultTaskCalendar"));
    fillCalendarCombo(m_defaultTaskCalendar, preferences->getString(QLatin1String(PreferenceKeys::DefaultTaskCalendarId)));
    form->addRow(tr("Default for new tasks"), m_defaultTaskCalendar);
}

void SettingsDialog::fillCalendarCombo(QComboBox *combo, const QString &storedId)
{
    const QHash<QString, QString> accountNames = shownAccountNames(m_state->accounts()->getAll());
    CalendarPick pick;
    pick.withHidden = true;
    const QList<Calendar> writable = writableCalendars(m_state->calendars()->getAll(), accountNames, pick);
    combo->addItem(tr("(use first available)"), QString());
    combo->addItem(tr("(use last calendar)"), QStringLiteral("__last_used__"));
    for (const Calendar &calendar : writable)
        combo->addItem(Theme::colorDotIcon(calendar.color), calendarLabel(accountNames, calendar), calendar.id);
    selectValue(combo, storedId);
}

void SettingsDialog::buildTime(QVBoxLayout *page)
{
    QWidget *host = page->parentWidget();
    page->addWidget(sectionHeader(tr("Time"), host));
    QFormLayout *form = formSection(page);
    m_timeFormat = new QComboBox(host);
    m_timeFormat->setObjectName(QStringLiteral("timeFormatCombo"));
    m_timeFormat->addItem(tr("12-hour (1:30 PM)"), QStringLiteral("12"));
    m_timeFormat->addItem(tr("24-hour (13:30)"), QStringLiteral("24"));
    selectValue(m_timeFormat, m_state->preferences()->getString(QLatin1String(PreferenceKeys::TimeFormat), QStringLiteral("12")));
    form->addRow(tr("Time format"), m_timeFormat);
}

void SettingsDialog::buildWeather(QVBoxLayout *page)
{
    QWidget *host = page->parentWidget();
    page->addWidget(sectionHeader(tr("Weather"), host));
    auto *section = new QVBoxLayout;
    section->setSpacing(8);
    m_weatherEnabled = checkBox(tr("Show weather in calendar headers"), QStringLiteral("weatherEnabled"),
                                m_state->preferences()->getBool(QLatin1String(PreferenceKeys::WeatherEnabled), false), host);
    section->addWidget(m_weatherEnabled);
    auto *configure = new QPushButton(tr("Configure location and units…"), host);
    configure->setObjectName(QStringLiteral("configureWeather"));
    configure->setFlat(true);
    configure->setCursor(Qt::PointingHandCursor);
    configure->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; text-align: left; }").arg(Theme::accent().name()));
    connect(configure, &QPushButton::clicked, this, [this] {
        WeatherSettingsDialog dialog(m_state, this);
        dialog.exec();
        m_weatherEnabled->setChecked(m_state->preferences()->getBool(QLatin1String(PreferenceKeys::WeatherEnabled), false));
    });
    section->addWidget(configure, 0, Qt::AlignLeft);
    page->addLayout(section);
}

void SettingsDialog::buildStartup(QVBoxLayout *page)
{
    QWidget *host = page->parentWidget();
    PreferencesRepository *preferences = m_state->preferences();
    page->addWidget(sectionHeader(tr("Startup"), host));
    auto *section = new QVBoxLayout;
    section->setSpacing(8);
    m_openAtLogin = checkBox(tr("Open at login"), QStringLiteral("openAtLogin"), launchAtLoginEnabled(), host);
    m_openAtLogin->setToolTip(tr("Launch Tindlebrook Calendar to the system tray when you log in so calendars keep "
                                 "syncing without you needing to open the window."));
    m_closeToTray = checkBox(tr("Close to tray"), QStringLiteral("closeToTray"),
                             preferences->getBool(QLatin1String(PreferenceKeys::CloseToTray), true), host);
    m_closeToTray->setToolTip(tr("When enabled, clicking the window's close button hides the window to the system "
                                 "tray instead of quitting. Use File → Quit to actually exit."));
    m_startMinimized = checkBox(tr("Start minimized to tray"), QStringLiteral("startMinimized"),
                                preferences->getBool(QLatin1String(PreferenceKeys::StartMinimized), false), host);
    m_startMinimized->setToolTip(tr("Launch directly to the tray without showing the window — pair with Open at "
                                    "login for a fully background-running app."));
    section->addWidget(m_openAtLogin);
    section->addWidget(m_closeToTray);
    section->addWidget(m_startMinimized);
    page->addLayout(section);
}

void SettingsDialog::buildTasks(QVBoxLayout *page)
{
    QWidget *host = page->parentWidget();
    page->addWidget(sectionHeader(tr("Tasks"), host));
    QFormLayout *form = formSection(page);
    m_taskDropAction = new QComboBox(host);
    m_taskDropAction->setObjectName(QStringLiteral("taskDropAction"));
    m_taskDropAction->addItem(tr("Ask me each time"), QStringLiteral("ask"));
    m_taskDropAction->addItem(tr("Create a new event from the task"), QStringLiteral("event"));
    m_taskDropAction->addItem(tr("Set the task's start date"), QStringLiteral("start"));
    m_taskDropAction->addItem(tr("Set the task's due date"), QStringLiteral("due"));
    m_taskDropAction->setToolTip(tr("When you drag a task from the Tasks pane onto the calendar, Tindlebrook can create "
                                    "a new event from it, fill in the task's start or due date based on where you "
                                    "dropped it, or ask you each time."));
    selectValue(m_taskDropAction,
                m_state->preferences()->getString(QLatin1String(PreferenceKeys::TaskDropAction), QStringLiteral("ask")));
    form->addRow(tr("Drop a task onto the calendar:"), m_taskDropAction);
}

void SettingsDialog::buildCrossDeviceSync(QVBoxLayout *page)
{
    QWidget *host = page->parentWidget();
    PreferencesRepository *preferences = m_state->preferences();
    page->addWidget(sectionHeader(tr("Cross-device sync"), host));
    auto *section = new QVBoxLayout;
    section->setSpacing(8);
    auto *intro = new QLabel(tr("Pick what syncs through your Tindlebrook account to your other devices. Calendar "
                                "events from Google, Microsoft, and CalDAV servers sync directly with those "
                                "services and aren't affected by these toggles."),
                             host);
    intro->setWordWrap(true);
    intro->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    section->addWidget(intro);

    const auto syncSwitch = [&](const QString &text, const char *key, const QString &name) {
        QCheckBox *box = checkBox(text, name, preferences->getBool(QString::fromLatin1(key), true), host);
        section->addWidget(box);
        return box;
    };
    m_syncFilters = syncSwitch(tr("Filters"), ConfigSyncKeys::Filters, QStringLiteral("syncFilters"));
    m_syncViews = syncSwitch(tr("Calendar groups"), ConfigSyncKeys::Views, QStringLiteral("syncViews"));
    m_syncTemplates = syncSwitch(tr("Event templates"), ConfigSyncKeys::Templates, QStringLiteral("syncTemplates"));
    m_syncSettings = syncSwitch(tr("App preferences (theme, time format, etc.)"), ConfigSyncKeys::Settings,
                                QStringLiteral("syncSettings"));
    m_syncAccounts = syncSwitch(tr("Account credentials (CalDAV servers and tokens)"), ConfigSyncKeys::Accounts,
                                QStringLiteral("syncAccounts"));
    m_syncAccounts->setToolTip(tr("CalDAV usernames and app passwords ride alongside the rest of the bucket so a new "
                                  "device picks up your servers without re-entering credentials."));

    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    m_syncNow = new QPushButton(tr("Sync now"), host);
    m_syncNow->setObjectName(QStringLiteral("configSyncNow"));
    m_syncStatus = new QLabel(host);
    m_syncStatus->setObjectName(QStringLiteral("configSyncStatus"));
    m_syncStatus->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    // Wrapped, so a long status in another language never widens the page
    // past the window.
    m_syncStatus->setWordWrap(true);
    row->addWidget(m_syncNow);
    row->addWidget(m_syncStatus, 1);
    section->addLayout(row);
    page->addLayout(section);

    const TindAccount::Client *cloud = m_state->accountClient();
    const bool signedIn = cloud && cloud->isAuthenticated();
    Tindlebrook::ConfigSyncService *service = m_state->configSync();
    for (QCheckBox *box : {m_syncFilters, m_syncViews, m_syncTemplates, m_syncSettings, m_syncAccounts})
        box->setEnabled(signedIn);
    m_syncNow->setEnabled(signedIn && service);
    if (!signedIn)
        m_syncStatus->setText(tr("Sign in to your Tindlebrook account to start syncing."));
    else if (service && service->state() == Tindlebrook::ConfigSyncService::Syncing)
        m_syncStatus->setText(tr("Syncing…"));
    if (service) {
        connect(m_syncNow, &QPushButton::clicked, service, &Tindlebrook::ConfigSyncService::syncNow);
        connect(service, &Tindlebrook::ConfigSyncService::stateChanged, this,
                [this](Tindlebrook::ConfigSyncService::State state) { showSyncState(int(state)); });
    }
}

void SettingsDialog::showSyncState(int state)
{
    switch (state) {
    case Tindlebrook::ConfigSyncService::UpToDate:
        m_syncStatus->setText(tr("Up to date"));
        break;
    case Tindlebrook::ConfigSyncService::Syncing:
        m_syncStatus->setText(tr("Syncing…"));
        break;
    case Tindlebrook::ConfigSyncService::Failed:
        m_syncStatus->setText(tr("Sync failed; will retry."));
        break;
    case Tindlebrook::ConfigSyncService::AuthExpired:
        m_syncStatus->setText(tr("Sign-in expired. Please sign in again."));
        break;
    case Tindlebrook::ConfigSyncService::Offline:
        m_syncStatus->setText(tr("Offline. Will sync when reconnected."));
        break;
    default:
        break;
    }
}

void SettingsDialog::refreshAccentRow()
{
    const QString shown = m_workingAccent.isEmpty() ? Theme::accent().name() : m_workingAccent;
    m_accentSwatch->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid %2; "
                                                 "border-radius: 14px; }")
                                      .arg(styleColor(shown, Theme::accent().name()), Theme::border().name()));
    const QString tip = m_workingAccent.isEmpty() ? tr("Default accent (%1). Click to override.").arg(shown)
                                                  : tr("Custom accent (%1). Click to change.").arg(shown);
    // A synced accent is text from another device: shown as typed.
    m_accentSwatch->setToolTip(PlainText::forAutoText(tip));
    m_useDefaultAccent->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::accent().name()));
    m_useDefaultAccent->setVisible(!m_workingAccent.isEmpty());
}

void SettingsDialog::chooseAccent()
{
    const QColor start(m_workingAccent.isEmpty() ? Theme::accent().name() : m_workingAccent);
    const QColor chosen = QColorDialog::getColor(start, this, tr("Accent color"));
    if (!chosen.isValid())
        return;
    m_workingAccent = chosen.name(QColor::HexRgb);
    m_theme->setAccentColor(m_workingAccent);
    refreshAccentRow();
}

void SettingsDialog::revertAppearance()
{
    m_theme->setMode(m_initialMode);
    m_theme->setAccentColor(m_initialAccent);
    m_theme->setFontScale(m_initialFontScale, true);
}

QStringList SettingsDialog::save()
{
    PreferencesRepository *preferences = m_state->preferences();
    QStringList failed;
    const auto note = [&failed](bool stored, const QString &what) {
        if (!stored && !failed.contains(what))
            failed.append(what);
    };
    note(preferences->setInt(QLatin1String(PreferenceKeys::WeekStartDay), m_weekStart->currentData().toInt()),
         tr("Week starts on"));
    const int start = m_workdayStart->value();
    int end = m_workdayEnd->value();
    if (end <= start)
        end = std::min(start + 1, 24);
    note(preferences->setInt(QLatin1String(PreferenceKeys::WorkdayStart), start), tr("Workday hours"));
    note(preferences->setInt(QLatin1String(PreferenceKeys::WorkdayEnd), end), tr("Workday hours"));
    note(preferences->setBool(QLatin1String(PreferenceKeys::ShowWeekNumbers), m_weekNumbers->isChecked()),
         tr("Show week numbers in mini-cal"));
    note(preferences->set(QLatin1String(PreferenceKeys::DefaultCalendarId), m_defaultEventCalendar->currentData().toString()),
         tr("Default for new events"));
    note(preferences->set(QLatin1String(PreferenceKeys::DefaultTaskCalendarId), m_defaultTaskCalendar->currentData().toString()),
         tr("Default for new tasks"));
    note(preferences->set(QLatin1String(PreferenceKeys::TimeFormat), m_timeFormat->currentData().toString()), tr("Time format"));
    note(preferences->setBool(QLatin1String(PreferenceKeys::WeatherEnabled), m_weatherEnabled->isChecked()),
         tr("Show weather in calendar headers"));
    const QList<QPair<QString, QCheckBox *>> switches = {{QLatin1String(ConfigSyncKeys::Filters), m_syncFilters},
                                                         {QLatin1String(ConfigSyncKeys::Views), m_syncViews},
                                                         {QLatin1String(ConfigSyncKeys::Templates), m_syncTemplates},
                                                         {QLatin1String(ConfigSyncKeys::Accounts), m_syncAccounts},
                                                         {QLatin1String(ConfigSyncKeys::Settings), m_syncSettings}};
    for (const auto &[key, box] : switches)
        note(preferences->setBool(key, box->isChecked()), box->text());
    note(setLaunchAtLogin(m_openAtLogin->isChecked()), tr("Open at login"));
    note(preferences->setBool(QLatin1String(PreferenceKeys::CloseToTray), m_closeToTray->isChecked()), tr("Close to tray"));
    note(preferences->setBool(QLatin1String(PreferenceKeys::StartMinimized), m_startMinimized->isChecked()),
         tr("Start minimized to tray"));
    note(preferences->set(QLatin1String(PreferenceKeys::TaskDropAction), m_taskDropAction->currentData().toString()),
         tr("Drop a task onto the calendar:"));
    m_theme->setAccentColor(m_workingAccent);
    return failed;
}

void SettingsDialog::saveAndAccept()
{
    const QStringList failed = save();
    if (!failed.isEmpty()) {
        // The dialog stays open, so nothing the user chose is thrown away.
        QMessageBox::warning(this, tr("Preferences not saved"),
                             tr("These preferences could not be saved:\n%1\n\nThe settings store may be read-only "
                                "or full.")
                                 .arg(failed.join(QLatin1Char('\n'))));
        return;
    }
    accept();
}
