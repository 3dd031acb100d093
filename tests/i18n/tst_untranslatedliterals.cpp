#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

// Text put on a widget straight from a string literal never reaches the
// catalogues. This scans the program's sources for widget calls whose text
// argument is a literal holding words, outside tr().
class TestUntranslatedLiterals : public QObject
{
    Q_OBJECT

private:
    // Screens and texts that stay in English on purpose: the cloud account
    // screens and their dialogs, the keyboard help's key names and
    // quick-add examples (the parser reads English), fixed markers, and
    // example addresses, which read the same in every language.
    static bool exemptFile(const QString &relativePath)
    {
        return relativePath.startsWith(QLatin1String("account/"))
            || relativePath.endsWith(QLatin1String("keyboardhelpdialog.cpp"));
    }
    static bool exemptText(const QString &text)
    {
        static const QSet<QString> texts = {QStringLiteral("On This Device"), QStringLiteral("All-day"),
                                            QStringLiteral("member"), QStringLiteral("Sign in required")};
        static const QRegularExpression keySequence(QStringLiteral("^[A-Za-z]+(\\+[A-Za-z0-9,.]+)+$"));
        static const QRegularExpression address(QStringLiteral("^[a-z][a-z0-9+.-]*://\\S+$"));
        return texts.contains(text) || keySequence.match(text).hasMatch() || address.match(text).hasMatch();
    }

    // What a reader would see of a literal: no markup, entities or placeholders.
    static bool holdsWords(QString text)
    {
        static const QRegularExpression markup(QStringLiteral("<[^>]*(>|$)|&#?\\w+;|%\\d+"));
        static const QRegularExpression word(QStringLiteral("[A-Za-z]{2}"));
        text.remove(markup);
        return text.contains(word);
    }

    static QStringList findingsIn(const QString &relativePath, const QString &code)
    {
        static const QRegularExpression call(QStringLiteral(
            "(?:\\b(?:setText|setWindowTitle|setPlaceholderText|setToolTip|setStatusTip|setWhatsThis|setTitle|"
            "setLabelText|showMessage|addTab|addAction|addItem|setInformativeText|setAccessibleName)"
            "|\\bnew\\s+(?:QLabel|QPushButton|QCheckBox|QRadioButton|QGroupBox|QAction|QToolButton|QMenu)"
            "|\\bQMessageBox::(?:information|warning|critical|question)\\([^,;]*,)"
            "\\(?\\s*(?:QStringLiteral\\(|QLatin1String\\(|QString::fromUtf8\\(|QString\\()?\\s*\"((?:[^\"\\\\]|\\\\.)*)\""));
        QStringList found;
        for (auto match = call.globalMatch(code); match.hasNext();) {
            const QRegularExpressionMatch hit = match.next();
            const QString text = hit.captured(1);
            if (!holdsWords(text) || exemptText(text))
                continue;
            const int line = code.left(hit.capturedStart()).count(QLatin1Char('\n')) + 1;
            found << QStringLiteral("%1:%2: \"%3\"").arg(relativePath).arg(line).arg(text);
        }
        return found;
    }

private slots:
    void scannerFindsLiteralsOutsideTr_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("findings");
        QTest::newRow("label from a literal") << QStringLiteral("label->setText(QStringLiteral(\"Save changes\"));") << 1;
        QTest::newRow("plain literal title") << QStringLiteral("setWindowTitle(\"Preferences\");") << 1;
        QTest::newRow("new button") << QStringLiteral("new QPushButton(QStringLiteral(\"Cancel\"), this);") << 1;
        QTest::newRow("message box title") << QStringLiteral("QMessageBox::warning(this, QStringLiteral(\"Oops\"), text);") << 1;
        QTest::newRow("through tr") << QStringLiteral("label->setText(tr(\"Save changes\"));") << 0;
        QTest::newRow("markup around an argument")
            << QStringLiteral("m_calendar->setText(QStringLiteral(\"<span style=\\\"color:%1;\\\">&#9679;</span>&nbsp;%2\"));") << 0;
        QTest::newRow("symbols only") << QStringLiteral("button->setText(QStringLiteral(\"+ %1 ›\"));") << 0;
        QTest::newRow("key sequence") << QStringLiteral("keys->setText(QStringLiteral(\"Ctrl+Shift+N\"));") << 0;
        QTest::newRow("example address")
            << QStringLiteral("url->setPlaceholderText(QStringLiteral(\"https://example.com/feed.ics\"));") << 0;
        QTest::newRow("words after an address")
            << QStringLiteral("url->setPlaceholderText(QStringLiteral(\"https://example.com then press Enter\"));") << 1;
    }
    void scannerFindsLiteralsOutsideTr()
    {
        QFETCH(QString, code);
        QFETCH(int, findings);
        QCOMPARE(findingsIn(QStringLiteral("ui/sample.cpp"), code).size(), findings);
    }

    void programPutsNoLiteralTextOnWidgets()
    {
        const QString root = QStringLiteral(SOURCE_ROOT);
        QStringList findings;
        int scanned = 0;
        QDirIterator files(root, {QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString relative = path.mid(root.size() + 1);
            if (relative.startsWith(QLatin1String("tests/")) || relative.startsWith(QLatin1String("bench/"))
                || relative.startsWith(QLatin1String("build")) || exemptFile(relative))
                continue;
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            findings << findingsIn(relative, QString::fromUtf8(file.readAll()));
            ++scanned;
        }
        QVERIFY(scanned > 50);
        QVERIFY2(findings.isEmpty(), qPrintable(QStringLiteral("wrap these in tr():\n") + findings.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestUntranslatedLiterals)
#include "tst_untranslatedliterals.moc"
