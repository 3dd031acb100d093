#include "app/appstate.h"
#include "dialogs/accounts/weathersettingsdialog.h"
#include "store/preferencesrepository.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/widgetfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

#include <memory>

// The weather dialog against a local geocoding service: the search, what
// Save stores, and what it leaves alone.
class TestWeatherSettingsDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WidgetFixture> m_fixture;
    std::unique_ptr<LocalHttpServer> m_server;
    QByteArray m_reply;
    int m_status = 200;

    PreferencesRepository *prefs() const { return m_fixture->state()->preferences(); }

    static QListWidget *places(const QWidget &dialog)
    {
        return dialog.findChild<QListWidget *>(QStringLiteral("placeList"));
    }

    static QStringList rows(const QWidget &dialog)
    {
        QStringList texts;
        for (int i = 0; i < places(dialog)->count(); ++i)
            texts.append(places(dialog)->item(i)->text());
        return texts;
    }

    // Types the query, presses Return in the city field and waits for the answer.
    void search(WeatherSettingsDialog &dialog, const QString &query)
    {
        auto *city = dialog.findChild<QLineEdit *>(QStringLiteral("cityEdit"));
        auto *button = dialog.findChild<QPushButton *>(QStringLiteral("searchButton"));
        city->setText(query);
        city->setFocus();
        QTest::keyClick(city, Qt::Key_Return);
        QVERIFY(!button->isEnabled());
        QCOMPARE(button->text(), QStringLiteral("Searching…"));
        QTRY_VERIFY(button->isEnabled());
        QCOMPARE(button->text(), QStringLiteral("Search"));
    }

    static void save(WeatherSettingsDialog &dialog)
    {
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    }

    QString lastQueryName() const
    {
        const QList<LocalHttpServer::Request> requests = m_server->requests();
        if (requests.isEmpty())
            return QString();
        const QUrl url(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(requests.last().target));
        return QUrlQuery(url).queryItemValue(QStringLiteral("name"), QUrl::FullyDecoded);
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<LocalHttpServer>();
        QVERIFY(m_server->listen());
        m_status = 200;
        m_reply = R"({"results":[{"name":"Springfield","admin1":"Illinois","country_code":"US",
                      "latitude":39.80172123456,"longitude":-89.64371000},
                     {"name":"Springfield","admin1":"Missouri","country_code":"US",
                      "latitude":37.21533,"longitude":-93.29824}]})";
        m_server->setHandler([this](const LocalHttpServer::Request &) {
            LocalHttpServer::Reply reply;
            reply.status = m_status;
            reply.body = m_reply;
            reply.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/json")));
            return reply;
        });
        qputenv("WEATHER_GEOCODING_URL", m_server->url(QString()).toString().toUtf8());
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
    }

    void cleanup()
    {
        m_fixture.reset();
        m_server.reset();
    }

    void savingAfterASearchStoresTheFirstPlaceAndTheUnit()
    {
        WeatherSettingsDialog dialog(m_fixture->state());
        QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("unitCombo"))->currentData().toString(),
                 QStringLiteral("F"));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("locationLabel"))->text(), QStringLiteral("No location set."));
        QVERIFY(places(dialog)->isHidden());
        search(dialog, QStringLiteral("  Springfield  "));
        QCOMPARE(lastQueryName(), QStringLiteral("Springfield"));
        QCOMPARE(rows(dialog), (QStringList{QStringLiteral("Springfield, Illinois, US"),
                                            QStringLiteral("Springfield, Missouri, US")}));
        QVERIFY(!places(dialog)->isHidden());
        dialog.findChild<QCheckBox *>(QStringLiteral("weatherEnabled"))->setChecked(true);
        dialog.findChild<QComboBox *>(QStringLiteral("unitCombo"))->setCurrentIndex(0);
        save(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // Eight significant digits, no trailing zeros.
        QCOMPARE(prefs()->getString(QStringLiteral("weather/location_lat")), QStringLiteral("39.801721"));
        QCOMPARE(prefs()->getString(QStringLiteral("weather/location_lng")), QStringLiteral("-89.64371"));
        QCOMPARE(prefs()->getString(QStringLiteral("weather/location_name")), QStringLiteral("Springfield, Illinois, US"));
        QCOMPARE(prefs()->getString(QStringLiteral("weather/unit")), QStringLiteral("C"));
        QVERIFY(prefs()->getBool(QStringLiteral("weather/enabled")));

        WeatherSettingsDialog again(m_fixture->state());
        QCOMPARE(again.findChild<QLabel *>(QStringLiteral("locationLabel"))->text(),
                 QStringLiteral("Current location: Springfield, Illinois, US"));
        QCOMPARE(again.findChild<QComboBox *>(QStringLiteral("unitCombo"))->currentData().toString(), QStringLiteral("C"));
    }

    void aCommaAfterTheFirstCharacterSearchesTheCityAlone_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sent");
        QTest::newRow("city and country") << "Paris, France" << "Paris";
        QTest::newRow("leading comma is kept") << ",Paris" << ",Paris";
        QTest::newRow("no comma") << "Lyon" << "Lyon";
    }

    void aCommaAfterTheFirstCharacterSearchesTheCityAlone()
    {
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        WeatherSettingsDialog dialog(m_fixture->state());
        search(dialog, typed);
        QCOMPARE(lastQueryName(), sent);
    }

    void messageRowsNeverBecomeTheLocation_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("row");
        QTest::newRow("no matches") << 200 << QByteArray(R"({"results":[]})") << "No matches found.";
        QTest::newRow("service error") << 503 << QByteArray("{}") << "Search failed: ";
    }

    void messageRowsNeverBecomeTheLocation()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, row);
        QVERIFY(prefs()->set(QStringLiteral("weather/location_name"), QStringLiteral("Oslo, NO")));
        QVERIFY(prefs()->set(QStringLiteral("weather/location_lat"), QStringLiteral("59.91")));
        m_status = status;
        m_reply = body;
        WeatherSettingsDialog dialog(m_fixture->state());
        search(dialog, QStringLiteral("Nowhere"));
        QCOMPARE(places(dialog)->count(), 1);
        QVERIFY2(places(dialog)->item(0)->text().startsWith(row), qPrintable(places(dialog)->item(0)->text()));
        QVERIFY(!(places(dialog)->item(0)->flags() & Qt::ItemIsSelectable));
        save(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(prefs()->getString(QStringLiteral("weather/location_name")), QStringLiteral("Oslo, NO"));
        QCOMPARE(prefs()->getString(QStringLiteral("weather/location_lat")), QStringLiteral("59.91"));
        QCOMPARE(prefs()->getString(QStringLiteral("weather/unit")), QStringLiteral("F"));
    }

    void returnInTheCityFieldNeverClosesTheDialog()
    {
        WeatherSettingsDialog dialog(m_fixture->state());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy finished(&dialog, &QDialog::finished);
        search(dialog, QStringLiteral("Springfield"));
        QTest::qWait(50);
        QCOMPARE(finished.count(), 0);
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestWeatherSettingsDialog)
#include "tst_weathersettingsdialog.moc"
