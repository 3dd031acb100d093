#include "app/appstate.h"
#include "app/secrets/oauthbuildsettings.h"
#include "app/theme/theme.h"
#include "app/theme/thememanager.h"
#include "dialogs/accounts/welcomedialog.h"
#include "tests/support/tempdatadir.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestWelcomeDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        m_state = std::make_unique<AppState>();
        QVERIFY(m_state->initialize());
    }

    void cleanup()
    {
        m_state->themeManager()->setFontScale(100, false);
        m_state->themeManager()->apply(QStringLiteral("light"));
        m_state.reset();
        m_dir.reset();
    }

    void textsButtonRolesAndDefaultButton()
    {
        WelcomeDialog dialog(m_state.get());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Welcome"));
        QVERIFY(dialog.isModal());
        QCOMPARE(label(dialog, "welcomeTitle")->text(), QStringLiteral("Welcome to Tindlebrook Calendar"));
        QLabel *body = label(dialog, "welcomeBody");
        QCOMPARE(body->text(), WelcomeDialog::bodyText(googleOAuthConfigured(), microsoftOAuthConfigured()));
        QVERIFY(body->wordWrap());

        auto *box = dialog.findChild<QDialogButtonBox *>();
        QVERIFY(box);
        QCOMPARE(box->buttons().size(), 2);
        QPushButton *getStarted = button(dialog, QStringLiteral("Get Started"));
        QPushButton *addAccount = button(dialog, QStringLiteral("Add Account…"));
        QVERIFY(getStarted);
        QVERIFY(addAccount);
        QCOMPARE(box->buttonRole(getStarted), QDialogButtonBox::RejectRole);
        QCOMPARE(box->buttonRole(addAccount), QDialogButtonBox::AcceptRole);
        QVERIFY(addAccount->isDefault());
        QVERIFY(!getStarted->isDefault());
        QVERIFY(!addAccount->icon().isNull());
        QCOMPARE(getStarted->minimumWidth(), 120);
        QCOMPARE(addAccount->minimumWidth(), 160);

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.size(), QSize(540, 480));
        // Showing moves the focus but not the default away from "Add Account…".
        QVERIFY(addAccount->isDefault());
    }

    void bodyNamesOnlyTheProvidersTheBuildOffers_data()
    {
        QTest::addColumn<bool>("google");
        QTest::addColumn<bool>("microsoft");
        QTest::addColumn<QString>("connect");
        QTest::newRow("both") << true << true << "connect Google, Microsoft, or any CalDAV server";
        QTest::newRow("Google") << true << false << "connect Google or any CalDAV server";
        QTest::newRow("Microsoft") << false << true << "connect Microsoft or any CalDAV server";
        QTest::newRow("neither") << false << false << "connect any CalDAV server";
    }

    void bodyNamesOnlyTheProvidersTheBuildOffers()
    {
        QFETCH(bool, google);
        QFETCH(bool, microsoft);
        QFETCH(QString, connect);
        const QString body = WelcomeDialog::bodyText(google, microsoft);
        QVERIFY2(body.contains(connect), qPrintable(body));
        QCOMPARE(body.contains(QStringLiteral("Google")), google);
        QCOMPARE(body.contains(QStringLiteral("Microsoft")), microsoft);
    }

    void titleSizeFollowsTheFontScale_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("points");
        QTest::newRow("normal") << 100 << 16;
        QTest::newRow("large") << 150 << 24;
        QTest::newRow("smallest, rounded down") << 70 << 11;
        QTest::newRow("largest") << 200 << 32;
        QTest::newRow("beyond the largest is clamped") << 250 << 32;
    }

    void titleSizeFollowsTheFontScale()
    {
        QFETCH(int, scale);
        QFETCH(int, points);
        m_state->themeManager()->setFontScale(scale, false);
        WelcomeDialog dialog(m_state.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // Read after the application stylesheet has polished the label.
        const QFont font = label(dialog, "welcomeTitle")->font();
        QCOMPARE(font.pointSize(), points);
        QCOMPARE(font.weight(), QFont::Bold);
    }

    void bodyTakesThePrimaryTextColourOfTheMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("light") << "light";
        QTest::newRow("dark") << "dark";
    }

    void bodyTakesThePrimaryTextColourOfTheMode()
    {
        QFETCH(QString, mode);
        m_state->themeManager()->apply(mode);
        WelcomeDialog dialog(m_state.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QLabel *body = label(dialog, "welcomeBody");
        QCOMPARE(body->styleSheet(), QStringLiteral("color: %1;").arg(Theme::textPrimary().name()));
        QCOMPARE(body->palette().color(QPalette::WindowText), Theme::textPrimary());
    }

    void everyWayOutButAddAccountIsGetStarted_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("result");
        QTest::newRow("Add Account…") << "add" << int(QDialog::Accepted);
        QTest::newRow("Enter takes the default button") << "enter" << int(QDialog::Accepted);
        QTest::newRow("Get Started") << "start" << int(QDialog::Rejected);
        QTest::newRow("Escape") << "escape" << int(QDialog::Rejected);
        QTest::newRow("window closed") << "close" << int(QDialog::Rejected);
    }

    void everyWayOutButAddAccountIsGetStarted()
    {
        QFETCH(QString, way);
        QFETCH(int, result);
        WelcomeDialog dialog(m_state.get());
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        if (way == QLatin1String("add"))
            button(dialog, QStringLiteral("Add Account…"))->click();
        else if (way == QLatin1String("start"))
            button(dialog, QStringLiteral("Get Started"))->click();
        else if (way == QLatin1String("enter"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else if (way == QLatin1String("escape"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            QVERIFY(dialog.close());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), result);
        QVERIFY(!dialog.isVisible());
    }

    void applicationIconIsShownAtNinetySixPixels()
    {
        QVERIFY(QFile::exists(QStringLiteral(":/icons/app-icon.png")));
        WelcomeDialog dialog(m_state.get());
        const QPixmap pixmap = label(dialog, "welcomeImage")->pixmap();
        QVERIFY(!pixmap.isNull());
        // The icon is square, so keeping its aspect fills both sides.
        QCOMPARE(pixmap.size(), QSize(96, 96));
    }

private:
    QLabel *label(WelcomeDialog &dialog, const char *name)
    {
        return dialog.findChild<QLabel *>(QString::fromLatin1(name));
    }
    static QPushButton *button(WelcomeDialog &dialog, const QString &text)
    {
        for (QPushButton *candidate : dialog.findChildren<QPushButton *>()) {
            if (candidate->text() == text)
                return candidate;
        }
        return nullptr;
    }

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<AppState> m_state;
};

QTEST_MAIN(TestWelcomeDialog)
#include "tst_welcomedialog.moc"
