#include "dialogs/accounts/weathersettingsdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/theme/plaintext.h"
#include "app/theme/theme.h"
#include "services/geocodingclient.h"
#include "services/weatherservice.h"
#include "store/preferencesrepository.h"
#include "store/preferencekeys.h"

namespace {

const int LongitudeRole = Qt::UserRole + 1;

QString coordinateText(double value)
{
    return QString::number(value, 'g', 8);
}

} // namespace

WeatherSettingsDialog::WeatherSettingsDialog(AppState *state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_geocoding(new Weather::GeocodingClient(this))
{
    setWindowTitle(tr("Weather"));
    setModal(true);
    PreferencesRepository *preferences = m_state->preferences();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    auto *intro = new QLabel(tr("Show weather alongside your calendar. Forecast comes from Open-Meteo (free, no "
                                "signup). Search for a city below to set the location."),
                             this);
    intro->setWordWrap(true);
    intro->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    layout->addWidget(intro);

    m_enabled = new QCheckBox(tr("Enable weather"), this);
    m_enabled->setObjectName(QStringLiteral("weatherEnabled"));
    m_enabled->setChecked(preferences->getBool(QLatin1String(PreferenceKeys::WeatherEnabled), false));
    layout->addWidget(m_enabled);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *cityRow = new QHBoxLayout;
    m_city = new QLineEdit(this);
    m_city->setObjectName(QStringLiteral("cityEdit"));
    m_city->setPlaceholderText(tr("City name or postal code"));
    m_search = new QPushButton(tr("Search"), this);
    m_search->setObjectName(QStringLiteral("searchButton"));
    m_search->setDefault(false);
    m_search->setAutoDefault(false);
    cityRow->addWidget(m_city, 1);
    cityRow->addWidget(m_search);
    auto *cityLabel = new QLabel(tr("&City:"), this);
    cityLabel->setBuddy(m_city);
    form->addRow(cityLabel, cityRow);

    m_places = new QListWidget(this);
    m_places->setObjectName(QStringLiteral("placeList"));
    m_places->setMinimumHeight(120);
    m_places->hide();
    form->addRow(QString(), m_places);

    const QString name = preferences->getString(QLatin1String(PreferenceKeys::WeatherLocationName));
    m_location =
        PlainText::label(name.isEmpty() ? tr("No location set.") : tr("Current location: %1").arg(name), this);
    m_location->setObjectName(QStringLiteral("locationLabel"));
    m_location->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textMuted().name()));
    form->addRow(QString(), m_location);

    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("unitCombo"));
    m_unit->addItem(tr("Celsius (°C)"), QStringLiteral("C"));
    m_unit->addItem(tr("Fahrenheit (°F)"), QStringLiteral("F"));
    const bool fahrenheit = preferences->getString(QLatin1String(PreferenceKeys::WeatherUnit), QStringLiteral("F"))
                            == QLatin1String("F");
    m_unit->setCurrentIndex(fahrenheit ? 1 : 0);
    auto *unitLabel = new QLabel(tr("&Units:"), this);
    unitLabel->setBuddy(m_unit);
    form->addRow(unitLabel, m_unit);
    layout->addLayout(form);
    layout->addStretch(1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Save"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { save(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_search, &QPushButton::clicked, this, [this] { search(); });
    connect(m_geocoding, &Weather::GeocodingClient::completed, this,
            [this](const QList<Weather::GeocodingResult> &matches) {
                m_search->setText(tr("Search"));
                m_search->setEnabled(true);
                m_places->clear();
                m_places->show();
                if (matches.isEmpty()) {
                    showMessage(tr("No matches found."));
                    return;
                }
                for (const Weather::GeocodingResult &match : matches) {
                    auto *item = new QListWidgetItem(match.label, m_places);
                    item->setData(Qt::UserRole, match.latitude);
                    item->setData(LongitudeRole, match.longitude);
                }
                m_places->setCurrentRow(0);
            });
    connect(m_geocoding, &Weather::GeocodingClient::failed, this, [this](const QString &reason) {
        m_search->setText(tr("Search"));
        m_search->setEnabled(true);
        m_places->clear();
        m_places->show();
        showMessage(tr("Search failed: %1").arg(reason));
    });
    resize(480, 480);
}

void WeatherSettingsDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == m_city) {
        search();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void WeatherSettingsDialog::search()
{
    QString query = m_city->text().trimmed();
    if (query.isEmpty())
        return;
    // "Paris, France" searches the city alone; the service matches names.
    const int comma = query.indexOf(QLatin1Char(','));
    if (comma > 0)
        query = query.left(comma).trimmed();
    m_search->setEnabled(false);
    m_search->setText(tr("Searching…"));
    m_geocoding->search(query, 6);
}

void WeatherSettingsDialog::showMessage(const QString &text)
{
    auto *item = new QListWidgetItem(text, m_places);
    item->setFlags(Qt::ItemIsEnabled);
}

void WeatherSettingsDialog::save()
{
    PreferencesRepository *preferences = m_state->preferences();
    bool stored = preferences->setBool(QLatin1String(PreferenceKeys::WeatherEnabled), m_enabled->isChecked());
    stored = preferences->set(QLatin1String(PreferenceKeys::WeatherUnit), m_unit->currentData().toString()) && stored;
    const QListWidgetItem *place = !m_places->isHidden() ? m_places->currentItem() : nullptr;
    if (place && (place->flags() & Qt::ItemIsSelectable)) {
        stored = preferences->set(QLatin1String(PreferenceKeys::WeatherLocationLat),
                                  coordinateText(place->data(Qt::UserRole).toDouble()))
                 && stored;
        stored = preferences->set(QLatin1String(PreferenceKeys::WeatherLocationLng),
                                  coordinateText(place->data(LongitudeRole).toDouble()))
                 && stored;
        stored = preferences->set(QLatin1String(PreferenceKeys::WeatherLocationName), place->text()) && stored;
    }
    if (Weather::Service *weather = m_state->weather())
        weather->clearCache();
    if (!stored) {
        QMessageBox::warning(this, tr("Weather not saved"),
                             tr("The weather settings could not be saved. The settings store may be read-only or "
                                "full."));
        return;
    }
    accept();
}
