#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class AppState;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;
class QVBoxLayout;
class ThemeManager;

// "Preferences": appearance (previewed live and put back on Cancel), calendar
// defaults, time format, weather, start-up, task drops and which kinds of
// configuration travel between devices, with that sync's live status.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    SettingsDialog(AppState *state, ThemeManager *theme, QWidget *parent = nullptr);

private:
    void buildAppearance(QVBoxLayout *page);
    void buildCalendar(QVBoxLayout *page);
    void buildTime(QVBoxLayout *page);
    void buildWeather(QVBoxLayout *page);
    void buildStartup(QVBoxLayout *page);
    void buildTasks(QVBoxLayout *page);
    void buildCrossDeviceSync(QVBoxLayout *page);
    void fillCalendarCombo(QComboBox *combo, const QString &storedId);
    void refreshAccentRow();
    void chooseAccent();
    void showSyncState(int state);
    void revertAppearance();
    // Writes every setting; the keys that could not be stored.
    QStringList save();
    void saveAndAccept();

    AppState *m_state;
    ThemeManager *m_theme;
    QString m_initialMode;
    QString m_initialAccent;
    int m_initialFontScale = 100;
    QString m_workingAccent;

    QComboBox *m_themeCombo = nullptr;
    QToolButton *m_accentSwatch = nullptr;
    QPushButton *m_useDefaultAccent = nullptr;
    QComboBox *m_fontScaleCombo = nullptr;
    QComboBox *m_weekStart = nullptr;
    QSpinBox *m_workdayStart = nullptr;
    QSpinBox *m_workdayEnd = nullptr;
    QCheckBox *m_weekNumbers = nullptr;
    QComboBox *m_defaultEventCalendar = nullptr;
    QComboBox *m_defaultTaskCalendar = nullptr;
    QComboBox *m_timeFormat = nullptr;
    QCheckBox *m_weatherEnabled = nullptr;
    QCheckBox *m_openAtLogin = nullptr;
    QCheckBox *m_closeToTray = nullptr;
    QCheckBox *m_startMinimized = nullptr;
    QComboBox *m_taskDropAction = nullptr;
    QCheckBox *m_syncFilters = nullptr;
    QCheckBox *m_syncViews = nullptr;
    QCheckBox *m_syncTemplates = nullptr;
    QCheckBox *m_syncSettings = nullptr;
    QCheckBox *m_syncAccounts = nullptr;
    QPushButton *m_syncNow = nullptr;
    QLabel *m_syncStatus = nullptr;
};
