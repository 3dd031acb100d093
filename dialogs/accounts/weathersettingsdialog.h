#pragma once

#include <QDialog>

class AppState;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace Weather {
class GeocodingClient;
}

// "Weather": switches the forecast display, picks the temperature unit and
// sets the forecast place by searching for it by name.
class WeatherSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    WeatherSettingsDialog(AppState *state, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void search();
    void showMessage(const QString &text);
    void save();

    AppState *m_state;
    Weather::GeocodingClient *m_geocoding;
    QCheckBox *m_enabled = nullptr;
    QLineEdit *m_city = nullptr;
    QPushButton *m_search = nullptr;
    QListWidget *m_places = nullptr;
    QLabel *m_location = nullptr;
    QComboBox *m_unit = nullptr;
};
