#include "app/appstate.h"
#include "dialogs/accounts/keyboardhelpdialog.h"
#include "dialogs/accounts/settingsdialog.h"
#include "dialogs/editing/eventformdialog.h"
#include "dialogs/editing/filterformdialog.h"
#include "dialogs/editing/taskformdialog.h"
#include "tests/support/laptopscreens.h"
#include "tests/support/widgetfixture.h"

#include <QDialogButtonBox>
#include <QScreen>
#include <QTest>

#include <functional>
#include <memory>

namespace {

using DialogMaker = std::function<QDialog *(AppState *, QWidget *)>;

} // namespace

// Every dialog that can be taller than a small screen opens inside the
// screen's free area with its buttons in view.
class TestDialogSizes : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WidgetFixture> m_fixture;

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
    }

    void cleanup() { m_fixture.reset(); }

    void dialogFitsTheScreenWithItsButtonsInView_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<DialogMaker>("make");
        const QList<std::pair<const char *, DialogMaker>> dialogs = {
            {"event form", [](AppState *s, QWidget *p) { return new EventFormDialog(s, p); }},
            {"task form", [](AppState *s, QWidget *p) { return new TaskFormDialog(s, p); }},
            {"filter form", [](AppState *s, QWidget *p) { return new FilterFormDialog(s, p); }},
            {"preferences", [](AppState *s, QWidget *p) { return new SettingsDialog(s, s->themeManager(), p); }},
            {"keyboard shortcuts", [](AppState *, QWidget *p) { return new KeyboardHelpDialog(p); }},
        };
        for (const char *screen : {"laptop", "small"}) {
            for (const auto &[name, make] : dialogs)
                QTest::addRow("%s on %s", name, screen) << QString::fromLatin1(screen) << make;
        }
    }

    void dialogFitsTheScreenWithItsButtonsInView()
    {
        QFETCH(QString, screen);
        QFETCH(DialogMaker, make);
        QScreen *target = LaptopScreens::named(screen);
        QVERIFY(target);
        QWidget window;
        window.setScreen(target);
        window.setGeometry(target->availableGeometry().adjusted(0, 40, 0, 0));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        std::unique_ptr<QDialog> dialog(make(m_fixture->state(), &window));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        const QRect available = target->availableGeometry();
        QVERIFY2(available.contains(dialog->frameGeometry()),
                 qPrintable(QStringLiteral("%1 × %2 px at %3, %4")
                                .arg(dialog->frameGeometry().width())
                                .arg(dialog->frameGeometry().height())
                                .arg(dialog->frameGeometry().x())
                                .arg(dialog->frameGeometry().y())));
        const auto *buttons = dialog->findChild<QDialogButtonBox *>();
        QVERIFY(buttons);
        QVERIFY(buttons->isVisible());
        const QRect shown(buttons->mapTo(dialog.get(), QPoint(0, 0)), buttons->size());
        QVERIFY2(dialog->rect().contains(shown), qPrintable(QStringLiteral("buttons at %1").arg(shown.y())));
    }
};

int main(int argc, char **argv)
{
    return LaptopScreens::exec<TestDialogSizes>(argc, argv);
}

#include "tst_dialogsizes.moc"
