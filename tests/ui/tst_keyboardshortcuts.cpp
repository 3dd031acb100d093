#include "app/appstate.h"
#include "dialogs/accounts/keyboardhelpdialog.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgetfixture.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocumentFragment>

#include <memory>

// The keyboard reference against the running window: every key it names is
// bound exactly once, and the help and preference entries open their dialogs.
class TestKeyboardShortcuts : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WidgetFixture> m_fixture;

    static QList<QKeySequence> boundKeys(const QWidget &window)
    {
        QList<QKeySequence> keys;
        for (const QShortcut *shortcut : window.findChildren<QShortcut *>()) {
            if (shortcut->isEnabled())
                keys += shortcut->keys();
        }
        for (const QAction *action : window.findChildren<QAction *>()) {
            if (action->isEnabled())
                keys += action->shortcuts();
        }
        return keys;
    }

    static QAction *menuAction(const QMainWindow &window, const QString &text)
    {
        for (const QAction *top : window.menuBar()->actions()) {
            if (!top->menu())
                continue;
            for (QAction *action : top->menu()->actions()) {
                if (action->text() == text)
                    return action;
            }
        }
        return nullptr;
    }

private Q_SLOTS:
    void init()
    {
        qunsetenv("CALENDAR_INSTANCE");
        m_fixture = std::make_unique<WidgetFixture>();
        QVERIFY(m_fixture->isReady());
    }

    void cleanup() { m_fixture.reset(); }

    void everyNamedShortcutIsBoundOnceInTheWindow()
    {
        MainWindow window(m_fixture->state());
        const QList<QKeySequence> bound = boundKeys(window);
        const QList<QKeySequence> named = KeyboardHelpDialog::namedShortcuts();
        QVERIFY(named.size() > 30);
        for (const QKeySequence &key : named) {
            QVERIFY2(!key.isEmpty(), "the card names an empty key");
            QVERIFY2(bound.count(key) == 1, qPrintable(QStringLiteral("%1 is bound %2 times")
                                                           .arg(key.toString())
                                                           .arg(bound.count(key))));
        }
    }

    void preferencesRowShowsTheKeyTheWindowBindsAndNoQuitRowExists()
    {
        const QString preferencesKey = MainWindow::preferencesKeys().first().toString(QKeySequence::NativeText);
        QString preferencesRow;
        for (const KeyboardHelpSection &section : KeyboardHelpDialog::sections()) {
            for (const auto &[key, description] : section.rows) {
                QVERIFY2(!description.contains(QStringLiteral("Quit")), qPrintable(description));
                if (description == QStringLiteral("Preferences…"))
                    preferencesRow = key;
            }
        }
        QCOMPARE(preferencesRow, preferencesKey);
        QVERIFY(!preferencesRow.isEmpty());
    }

    void helpAndPreferenceEntriesOpenTheirDialogs_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("opened");
        QTest::newRow("keyboard shortcuts") << "&Keyboard Shortcuts" << "KeyboardHelpDialog Keyboard Shortcuts";
        QTest::newRow("preferences") << "&Preferences…" << "SettingsDialog Preferences";
        QTest::newRow("weather") << "&Weather…" << "WeatherSettingsDialog Weather";
    }

    void helpAndPreferenceEntriesOpenTheirDialogs()
    {
        QFETCH(QString, entry);
        QFETCH(QString, opened);
        MainWindow window(m_fixture->state());
        QAction *action = menuAction(window, entry);
        QVERIFY(action);
        ModalAnswerer answerer;
        answerer.answer([](QWidget *dialog) { qobject_cast<QDialog *>(dialog)->reject(); });
        action->trigger();
        QCOMPARE(answerer.seen(), QStringList{opened});
    }

    void escapeClosesTheCardLikeClose()
    {
        KeyboardHelpDialog dialog;
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
        // Every key is shown as it reads, markup characters included.
        const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
        const auto shows = [&labels](const QString &text) {
            return std::any_of(labels.cbegin(), labels.cend(), [&text](const QLabel *label) {
                return label->textFormat() == Qt::RichText
                       && QTextDocumentFragment::fromHtml(label->text()).toPlainText() == text;
            });
        };
        for (const KeyboardHelpSection &section : KeyboardHelpDialog::sections()) {
            for (const auto &row : section.rows)
                QVERIFY2(shows(row.first), qPrintable(row.first));
        }
    }

    // The card is taller than the screen: it fits the screen's free area
    // and its last row can be scrolled into view.
    void cardFitsTheScreenAndScrollsToItsLastRow()
    {
        KeyboardHelpDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QRect available = dialog.screen()->availableGeometry();
        QVERIFY2(dialog.frameGeometry().height() <= available.height(),
                 qPrintable(QStringLiteral("%1 px on %2 px").arg(dialog.frameGeometry().height()).arg(available.height())));
        auto *scroll = dialog.findChild<QScrollArea *>(QStringLiteral("keyboardHelpScroll"));
        QVERIFY(scroll);
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        QLabel *last = nullptr;
        for (QLabel *label : dialog.findChildren<QLabel *>()) {
            if (label->text() == KeyboardHelpDialog::sections().last().rows.last().second)
                last = label;
        }
        QVERIFY(last);
        const QRect shown(last->mapTo(scroll->viewport(), QPoint(0, 0)), last->size());
        QVERIFY2(scroll->viewport()->rect().contains(shown), qPrintable(QStringLiteral("row at %1").arg(shown.y())));
        QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
        // Narrower than its rows, the card wraps them instead of cutting
        // them at the right edge.
        dialog.resize(360, dialog.height());
        QTRY_COMPARE(scroll->viewport()->width(), scroll->widget()->width());
        for (const QLabel *label : scroll->widget()->findChildren<QLabel *>()) {
            const int right = label->mapTo(scroll->viewport(), QPoint(label->width(), 0)).x();
            QVERIFY2(right <= scroll->viewport()->width(), qPrintable(label->text()));
        }
    }

    // Quick add's key is on the card, named as its menu entry is.
    void quickAddKeyIsListedWithItsMenuEntry()
    {
        MainWindow window(m_fixture->state());
        const QKeySequence key(QStringLiteral("Ctrl+Shift+N"));
        QString entry;
        for (const QAction *action : window.findChildren<QAction *>()) {
            if (action->shortcuts().contains(key))
                entry = action->text().remove(QLatin1Char('&')).remove(QChar(0x2026));
        }
        QCOMPARE(entry, QStringLiteral("Quick Add"));
        QStringList described;
        for (const KeyboardHelpSection &section : KeyboardHelpDialog::sections()) {
            for (const auto &[keys, description] : section.rows) {
                if (keys == key.toString(QKeySequence::NativeText))
                    described << description;
            }
        }
        QCOMPARE(described, QStringList{QStringLiteral("Quick add")});
        QVERIFY(KeyboardHelpDialog::namedShortcuts().contains(key));
    }
};

QTEST_MAIN(TestKeyboardShortcuts)
#include "tst_keyboardshortcuts.moc"
