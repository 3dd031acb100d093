#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

// lupdate files a text under the context it reads at the call site. A helper
// such as `QString translated(const char *text)` that hands its argument on
// to QCoreApplication::translate hides every text its callers pass, so no
// catalogue holds them and the user reads English; a helper named tr() in a
// namespace also files its texts under a context the lookup never asks for.
// This scans the program's sources for translation calls whose source text
// is not a literal lupdate can read.
class TestTranslationContexts : public QObject
{
    Q_OBJECT

private:
    struct Call
    {
        QString context; // empty for tr()
        QString source;
        int offset = 0;
    };

    // The code with comments blanked out (line breaks kept), string literals
    // left as they are.
    static QString withoutComments(const QString &code)
    {
        QString out = code;
        for (int i = 0; i < out.size(); ++i) {
            const QChar c = out.at(i);
            if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                for (++i; i < out.size() && out.at(i) != c; ++i) {
                    if (out.at(i) == QLatin1Char('\\'))
                        ++i;
                }
            } else if (out.mid(i, 2) == QLatin1String("//")) {
                for (; i < out.size() && out.at(i) != QLatin1Char('\n'); ++i)
                    out[i] = QLatin1Char(' ');
            } else if (out.mid(i, 2) == QLatin1String("/*")) {
                for (; i < out.size() && out.mid(i, 2) != QLatin1String("*/"); ++i) {
                    if (out.at(i) != QLatin1Char('\n'))
                        out[i] = QLatin1Char(' ');
                }
                if (i < out.size())
                    out.replace(i, 2, QStringLiteral("  "));
            }
        }
        return out;
    }

    // The top-level arguments of the call whose "(" is at open.
    static QStringList argumentsAt(const QString &code, int open)
    {
        QStringList arguments;
        int depth = 0;
        int start = open + 1;
        for (int i = open; i < code.size(); ++i) {
            const QChar c = code.at(i);
            if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                for (++i; i < code.size() && code.at(i) != c; ++i) {
                    if (code.at(i) == QLatin1Char('\\'))
                        ++i;
                }
            } else if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{')) {
                ++depth;
            } else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}')) {
                if (--depth == 0) {
                    arguments << code.mid(start, i - start).trimmed();
                    break;
                }
            } else if (c == QLatin1Char(',') && depth == 1) {
                arguments << code.mid(start, i - start).trimmed();
                start = i + 1;
            }
        }
        return arguments;
    }

    static QList<Call> callsIn(const QString &code)
    {
        static const QRegularExpression name(QStringLiteral(
            "(?:\\bQ(?:Core)?Application::translate|(?<![\\w.>:])(?:QObject::)?tr)\\s*\\("));
        QList<Call> calls;
        for (auto match = name.globalMatch(code); match.hasNext();) {
            const QRegularExpressionMatch hit = match.next();
            const QStringList arguments = argumentsAt(code, hit.capturedEnd() - 1);
            const bool translate = hit.captured().contains(QLatin1String("translate"));
            Call call;
            call.offset = hit.capturedStart();
            if (translate) {
                call.context = arguments.value(0);
                call.source = arguments.value(1);
            } else {
                call.source = arguments.value(0);
            }
            calls << call;
        }
        return calls;
    }

    // The parameter lists of the functions and lambdas around offset, with
    // those of the if/for/while blocks between (harmless: they declare no
    // bare parameter). String contents must be blanked in code.
    static QStringList enclosingParameters(const QString &code, int offset)
    {
        QStringList lists;
        int depth = 0;
        for (int i = offset - 1; i >= 0; --i) {
            const QChar c = code.at(i);
            if (c == QLatin1Char('}')) {
                ++depth;
            } else if (c == QLatin1Char('{') && depth > 0) {
                --depth;
            } else if (c == QLatin1Char('{')) {
                int end = i - 1;
                while (end >= 0
                       && (code.at(end).isSpace() || code.at(end).isLetterOrNumber() || code.at(end) == QLatin1Char('_')))
                    --end;
                if (end < 0 || code.at(end) != QLatin1Char(')'))
                    continue;
                int open = end;
                for (int nesting = 0; open >= 0; --open) {
                    if (code.at(open) == QLatin1Char(')'))
                        ++nesting;
                    else if (code.at(open) == QLatin1Char('(') && --nesting == 0)
                        break;
                }
                if (open >= 0)
                    lists << code.mid(open + 1, end - open - 1);
            }
        }
        return lists;
    }

    // Whether a parameter list around offset declares name as a C string,
    // the sign of a helper that hands its caller's text on.
    static bool isTextParameter(const QString &code, int offset, const QString &name)
    {
        const QRegularExpression parameter(
            QStringLiteral("(?:^|,)\\s*const\\s+char\\s*\\*\\s*(?:const\\s+)?%1\\s*(?:=[^,]*)?(?:,|$)").arg(name));
        for (const QString &list : enclosingParameters(code, offset)) {
            if (parameter.match(list).hasMatch())
                return true;
        }
        return false;
    }

    // The code with the contents of string and character literals blanked.
    static QString withoutLiterals(const QString &code)
    {
        QString out = code;
        for (int i = 0; i < out.size(); ++i) {
            const QChar quote = out.at(i);
            if (quote != QLatin1Char('"') && quote != QLatin1Char('\''))
                continue;
            for (++i; i < out.size() && out.at(i) != quote; ++i) {
                if (out.at(i) == QLatin1Char('\\'))
                    out[i++] = QLatin1Char(' ');
                if (i < out.size() && out.at(i) != QLatin1Char('\n'))
                    out[i] = QLatin1Char(' ');
            }
        }
        return out;
    }

    static bool isLiteral(const QString &argument)
    {
        static const QRegularExpression literals(QStringLiteral("^(?:\"(?:[^\"\\\\]|\\\\.)*\"\\s*)+$"));
        return literals.match(argument).hasMatch();
    }

    // Contexts whose texts some file marks with QT_TRANSLATE_NOOP, so a
    // lookup of a marked text by pointer finds it in the catalogue.
    static QSet<QString> markedContexts(const QString &code)
    {
        static const QRegularExpression mark(QStringLiteral("\\bQT_TRANSLATE_NOOP\\s*\\(\\s*(\"[^\"]*\")"));
        QSet<QString> contexts;
        for (auto match = mark.globalMatch(code); match.hasNext();)
            contexts.insert(match.next().captured(1));
        return contexts;
    }

    static QStringList findingsIn(const QString &relativePath, const QString &rawCode, const QSet<QString> &marked)
    {
        const QString code = withoutComments(rawCode);
        const bool marksTexts = code.contains(QRegularExpression(QStringLiteral("\\bQT_(?:TR|TRANSLATE)_NOOP\\b")));
        static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_]\\w*$"));
        const QString bare = withoutLiterals(code);
        QStringList found;
        for (const Call &call : callsIn(code)) {
            if (isLiteral(call.source))
                continue;
            QString why;
            if (call.source.startsWith(QLatin1String("const char"))) {
                why = QStringLiteral("defines a tr() of its own");
            } else if (identifier.match(call.source).hasMatch() && isTextParameter(bare, call.offset, call.source)) {
                why = QStringLiteral("passes on its caller's text");
            } else if (!call.context.isEmpty() && !isLiteral(call.context)) {
                why = QStringLiteral("names its context at run time");
            } else if (call.context.isEmpty() ? !marksTexts : !marked.contains(call.context)) {
                why = QStringLiteral("looks up a text no QT_TRANSLATE_NOOP marks in its context");
            } else {
                continue;
            }
            const int line = code.left(call.offset).count(QLatin1Char('\n')) + 1;
            found << QStringLiteral("%1:%2: %3").arg(relativePath).arg(line).arg(why);
        }
        return found;
    }

private slots:
    void scannerFindsTextsLupdateCannotSee_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("findings");
        QTest::newRow("wrapper around translate")
            << QStringLiteral("QString translated(const char *text)\n{\n    return QCoreApplication::translate(\"Sync\", "
                              "text);\n}\nfail(translated(\"Network error: %1\"));")
            << 1;
        QTest::newRow("local tr in a namespace")
            << QStringLiteral("namespace Preview {\nQString tr(const char *text) { return "
                              "QCoreApplication::translate(\"Form\", text); }\n}")
            << 2;
        QTest::newRow("wrapper with a marked table")
            << QStringLiteral("const char *const Names[] = {QT_TRANSLATE_NOOP(\"Form\", \"Mon\")};\n"
                              "QString label(const char *const name) { return QCoreApplication::translate(\"Form\", "
                              "name); }")
            << 1;
        QTest::newRow("context chosen at run time")
            << QStringLiteral("QT_TRANSLATE_NOOP(\"Form\", \"Mon\");\nQCoreApplication::translate(context, Names[0]);")
            << 1;
        QTest::newRow("choice inside tr") << QStringLiteral("label->setText(tr(done ? \"Done\" : \"Open\"));") << 1;
        QTest::newRow("literal texts")
            << QStringLiteral("QCoreApplication::translate(\"Sync\", \"Push error: %1\").arg(e);\n"
                              "tr(\"%n item(s)\", nullptr, count);\nQObject::tr(\"Long \"\n   \"text\");")
            << 0;
        QTest::newRow("marked table looked up by pointer")
            << QStringLiteral("const char *const Names[] = {QT_TRANSLATE_NOOP(\"Form\", \"Mon\")};\n"
                              "for (const char *name : Names)\n    QCoreApplication::translate(\"Form\", name);")
            << 0;
        QTest::newRow("same name as another function's parameter")
            << QStringLiteral("const char *const Codes[] = {QT_TRANSLATE_NOOP(\"Code\", \"Gone\")};\n"
                              "bool is(const QString &s, const char *code) { return s == code; }\n"
                              "QString text(const QString &s)\n{\n    for (const char *code : Codes) {\n"
                              "        if (is(s, code))\n            return QCoreApplication::translate(\"Code\", code);\n"
                              "    }\n    return s;\n}")
            << 0;
        QTest::newRow("pointer from a marked helper")
            << QStringLiteral("if (const char *description = typeDescription(key))\n"
                              "    label->setText(tr(description));\nreturn QT_TRANSLATE_NOOP(\"Form\", \"All\");")
            << 0;
        QTest::newRow("mention in a comment") << QStringLiteral("// texts go through tr() or translate(ctx, text)") << 0;
        QTest::newRow("other tr-named calls") << QStringLiteral("m_ptr(value); object->tr(text); q.attr(name);") << 0;
    }
    void scannerFindsTextsLupdateCannotSee()
    {
        QFETCH(QString, code);
        QFETCH(int, findings);
        const QStringList found = findingsIn(QStringLiteral("ui/sample.cpp"), code, markedContexts(code));
        QVERIFY2(found.size() == findings, qPrintable(found.join(QLatin1Char('\n'))));
    }

    void programTranslatesOnlyTextsLupdateSees()
    {
        const QString root = QStringLiteral(SOURCE_ROOT);
        QHash<QString, QString> sources;
        QDirIterator files(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString relative = path.mid(root.size() + 1);
            if (relative.startsWith(QLatin1String("tests/")) || relative.startsWith(QLatin1String("bench/"))
                || relative.startsWith(QLatin1String("build")))
                continue;
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            sources.insert(relative, QString::fromUtf8(file.readAll()));
        }
        QVERIFY(sources.size() > 100);
        QSet<QString> marked;
        for (const QString &code : std::as_const(sources))
            marked.unite(markedContexts(withoutComments(code)));

        QStringList findings;
        for (auto it = sources.cbegin(); it != sources.cend(); ++it)
            findings << findingsIn(it.key(), it.value(), marked);
        findings.sort();
        QVERIFY2(findings.isEmpty(),
                 qPrintable(QStringLiteral("call QCoreApplication::translate or tr() with the literal text at each "
                                           "site:\n")
                            + findings.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestTranslationContexts)
#include "tst_translationcontexts.moc"
