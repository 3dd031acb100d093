#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTranslator>

#include "app/calendargroupname.h"
#include "store/viewrepository.h"
#include "tests/support/teststore.h"
#include "tscatalogue.h"

#include <algorithm>

namespace {

const QStringList TranslatedLanguages = {QStringLiteral("de"), QStringLiteral("es"), QStringLiteral("fr"),
                                         QStringLiteral("ja")};

// Plural forms each language's catalogue carries (Qt's numerus rules).
int pluralFormCount(const QString &language)
{
    return language == QLatin1String("ja") ? 1 : 2;
}

// Texts a translation may leave as they are in English.
QSet<QString> mayMatchEnglish(const QString &language)
{
    // In every language: the product and provider names, the quick-add
    // example and the palette commands (the parser and the palette read
    // English), key names, and texts made only of names, placeholders and
    // punctuation.
    QSet<QString> same = {
        QStringLiteral("Tindlebrook Calendar"),
        QStringLiteral("Agenda — Tindlebrook Calendar"),
        QStringLiteral("lunch Thursday 1pm"),
        QStringLiteral("today"),
        QStringLiteral("resync"),
        QStringLiteral("notifytest"),
        QStringLiteral("goto YYYY-MM-DD"),
        QStringLiteral("name@example.com"),
        QStringLiteral("%1, %2"),
        QStringLiteral("%1: %2"),
        QStringLiteral("%1, %2 – %3"),
        QStringLiteral("%1   ·   %2 → %3"),
        QStringLiteral("%1 min"),
        QStringLiteral("Google"),
        QStringLiteral("Google…"),
        QStringLiteral("Microsoft"),
        QStringLiteral("Microsoft…"),
        QStringLiteral("Tindlebrook…"),
        QStringLiteral("CalDAV (%1)"),
        QStringLiteral("SHA-256"),
        QStringLiteral("URL"),
        QStringLiteral("Tab / Shift+Tab"),
        QStringLiteral("↑ / ↓"),
        QStringLiteral("Enter"),
    };
    // Words the language writes as English does.
    static const QHash<QString, QStringList> shared = {
        {QStringLiteral("de"),
         {QStringLiteral("Name"), QStringLiteral("&Name"), QStringLiteral("&Name:"), QStringLiteral("M"),
          QStringLiteral("F"), QStringLiteral("S"), QStringLiteral("Navigation"), QStringLiteral("System"),
          QStringLiteral("Celsius (°C)"), QStringLiteral("Fahrenheit (°F)"),
          QStringLiteral("Tindlebrook Calendar — Agenda")}},
        {QStringLiteral("es"),
         {QStringLiteral("Color"), QStringLiteral("&Color:"), QStringLiteral("h"), QStringLiteral("S"),
          QStringLiteral("Celsius (°C)"), QStringLiteral("Fahrenheit (°F)"),
          QStringLiteral("Tindlebrook Calendar — Agenda")}},
        {QStringLiteral("fr"),
         {QStringLiteral("&Notes"), QStringLiteral("&Action"), QStringLiteral("Type"), QStringLiteral("Invitations"),
          QStringLiteral("&Invitations…"), QStringLiteral("&Invitations… (%1)"), QStringLiteral("occurrences"),
          QStringLiteral("Description"), QStringLiteral("h"), QStringLiteral("S"), QStringLiteral("Navigation"),
          QStringLiteral("Actions"), QStringLiteral("Celsius (°C)"), QStringLiteral("Fahrenheit (°F)"),
          QStringLiteral("Tindlebrook Calendar — Agenda")}},
    };
    for (const QString &text : shared.value(language))
        same.insert(text);
    return same;
}

QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%(\\d+|n)"));
    QStringList found;
    for (auto match = marker.globalMatch(text); match.hasNext();)
        found << match.next().captured(0);
    found.sort();
    return found;
}

bool hasMnemonic(const QString &text)
{
    static const QRegularExpression mnemonic(QStringLiteral("(^|[^&])&[^&\\s]"));
    return mnemonic.match(text).hasMatch();
}

QString cataloguePath(const QString &language)
{
    return QStringLiteral(CATALOGUE_DIR "/calendar_%1.ts").arg(language);
}

QString describe(const TsMessage &message)
{
    return QStringLiteral("[%1] \"%2\"").arg(message.context, message.source);
}

} // namespace

class TestCatalogues : public QObject
{
    Q_OBJECT

private:
    TsCatalogue load(const QString &language)
    {
        TsCatalogue catalogue;
        if (!catalogue.read(cataloguePath(language)))
            qWarning("cannot read %s: %s", qPrintable(cataloguePath(language)), qPrintable(catalogue.errorString()));
        return catalogue;
    }

    void addLanguageRows()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : TranslatedLanguages)
            QTest::newRow(qPrintable(language)) << language;
    }

private slots:
    void everyMessageIsTranslated_data() { addLanguageRows(); }
    void everyMessageIsTranslated()
    {
        QFETCH(QString, language);
        const TsCatalogue catalogue = load(language);
        QVERIFY2(!catalogue.messages().isEmpty(), qPrintable(catalogue.errorString()));
        QVERIFY(catalogue.language().startsWith(language));
        QStringList faults;
        for (const TsMessage &message : catalogue.messages()) {
            if (!message.type.isEmpty())
                faults << QStringLiteral("%1 is %2").arg(describe(message), message.type);
            for (const QString &text : message.texts()) {
                if (text.trimmed().isEmpty())
                    faults << describe(message) + QStringLiteral(" has an empty translation");
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void translationsKeepPlaceholdersAndShortcuts_data() { addLanguageRows(); }
    void translationsKeepPlaceholdersAndShortcuts()
    {
        QFETCH(QString, language);
        const TsCatalogue catalogue = load(language);
        QVERIFY(!catalogue.messages().isEmpty());
        QStringList faults;
        for (const TsMessage &message : catalogue.messages()) {
            const QStringList wanted = placeholders(message.source);
            for (const QString &text : message.texts()) {
                if (placeholders(text) != wanted)
                    faults << QStringLiteral("%1 -> \"%2\": placeholders %3, source has %4")
                                  .arg(describe(message), text, placeholders(text).join(QLatin1Char(' ')),
                                       wanted.join(QLatin1Char(' ')));
                if (hasMnemonic(message.source) && !hasMnemonic(text))
                    faults << QStringLiteral("%1 -> \"%2\" lost its shortcut").arg(describe(message), text);
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void pluralMessagesHaveEveryForm_data() { addLanguageRows(); }
    void pluralMessagesHaveEveryForm()
    {
        QFETCH(QString, language);
        const TsCatalogue catalogue = load(language);
        int plurals = 0;
        QStringList faults;
        for (const TsMessage &message : catalogue.messages()) {
            if (message.source.contains(QLatin1String("%n")) && !message.numerus)
                faults << describe(message) + QStringLiteral(" counts with %n but is not a plural message");
            if (!message.numerus)
                continue;
            ++plurals;
            if (message.forms.size() != pluralFormCount(language))
                faults << QStringLiteral("%1 has %2 forms, wanted %3")
                              .arg(describe(message))
                              .arg(message.forms.size())
                              .arg(pluralFormCount(language));
        }
        QVERIFY(plurals > 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void translationsDifferFromEnglish_data() { addLanguageRows(); }
    void translationsDifferFromEnglish()
    {
        QFETCH(QString, language);
        const TsCatalogue catalogue = load(language);
        const QSet<QString> allowed = mayMatchEnglish(language);
        QStringList faults;
        for (const TsMessage &message : catalogue.messages()) {
            if (allowed.contains(message.source))
                continue;
            if (message.texts().contains(message.source))
                faults << describe(message) + QStringLiteral(" is left in English");
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // One word per language for the program's own things, so a menu, a dialog
    // and a status line never call the same thing by two names.
    void coreTermsAreConsistent_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("term"); // a pattern
        const QList<QStringList> terms = {
            {QStringLiteral("Calendar"), QStringLiteral("Kalender"), QStringLiteral("alendario"),
             QStringLiteral("alendrier"), QStringLiteral("カレンダー")},
            {QStringLiteral("Event"), QStringLiteral("Termin"), QStringLiteral("vento"), QStringLiteral("vénement"),
             QStringLiteral("予定")},
            {QStringLiteral("Task"), QStringLiteral("ufgabe"), QStringLiteral("area"), QStringLiteral("âche"),
             QStringLiteral("タスク")},
            {QStringLiteral("Reminder"), QStringLiteral("rinnerung"), QStringLiteral("ecordatorio"),
             QStringLiteral("appel"), QStringLiteral("リマインダー")},
            {QStringLiteral("Account"), QStringLiteral("kont(o|en)"), QStringLiteral("uenta"), QStringLiteral("ompte"),
             QStringLiteral("アカウント")},
            {QStringLiteral("Sync"), QStringLiteral("ynchronisier"), QStringLiteral("incroniz"),
             QStringLiteral("ynchronis"), QStringLiteral("同期")},
        };
        for (const QStringList &row : terms) {
            for (int i = 0; i < TranslatedLanguages.size(); ++i)
                QTest::newRow(qPrintable(TranslatedLanguages.at(i) + QLatin1Char(' ') + row.first()))
                    << TranslatedLanguages.at(i) << row.first() << row.at(i + 1);
        }
    }
    void coreTermsAreConsistent()
    {
        QFETCH(QString, language);
        QFETCH(QString, english);
        QFETCH(QString, term);
        const TsCatalogue catalogue = load(language);
        // Words only: not "Tindlebrook Calendar", the name, nor the requests
        // "calendarList.list", "events.%1" and "/me/calendars".
        const QRegularExpression word(QStringLiteral("(?<!Tindlebrook )(?<!/)\\b%1(?![A-Za-z]*\\.[a-z%])").arg(english),
                                      QRegularExpression::CaseInsensitiveOption);
        // Example titles, where the word names a kind of meeting.
        static const QSet<QString> examples = {QStringLiteral("Team sync, Dentist…")};
        const QRegularExpression termPattern(term, QRegularExpression::CaseInsensitiveOption);
        int uses = 0;
        QStringList faults;
        for (const TsMessage &message : catalogue.messages()) {
            if (examples.contains(message.source))
                continue;
            QString source = message.source;
            source.remove(QLatin1Char('&'));
            if (!source.contains(word))
                continue;
            ++uses;
            for (QString text : message.texts()) {
                text.remove(QLatin1Char('&'));
                if (!text.contains(termPattern))
                    faults << QStringLiteral("%1 -> \"%2\"").arg(describe(message), text);
            }
        }
        QVERIFY(uses > 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void compiledCatalogueAnswersEveryMessage_data() { addLanguageRows(); }
    void compiledCatalogueAnswersEveryMessage()
    {
        QFETCH(QString, language);
        const TsCatalogue catalogue = load(language);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/calendar_%1.qm").arg(language)));
        QStringList faults;
        for (const TsMessage &message : catalogue.messages()) {
            const QByteArray context = message.context.toUtf8();
            const QByteArray source = message.source.toUtf8();
            const QByteArray comment = message.comment.toUtf8();
            const char *disambiguation = message.comment.isEmpty() ? nullptr : comment.constData();
            // One and seven pick the first and the last plural form in every language shipped.
            const QStringList got = message.numerus
                ? QStringList{translator.translate(context, source, disambiguation, 1),
                              translator.translate(context, source, disambiguation, 7)}
                : QStringList{translator.translate(context, source, disambiguation)};
            const QStringList wanted = message.numerus ? QStringList{message.forms.value(0), message.forms.value(
                                                                                                 message.forms.size() - 1)}
                                                       : QStringList{message.translation};
            if (got != wanted)
                faults << QStringLiteral("%1 -> %2, catalogue has %3")
                              .arg(describe(message), got.join(QLatin1String(" / ")),
                                   wanted.join(QLatin1String(" / ")));
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // The built-in group's name is stored in English by the schema; what the
    // user reads of it must still be the language's own.
    void storedBuiltInGroupReadsInTheLanguage_data() { addLanguageRows(); }
    void storedBuiltInGroupReadsInTheLanguage()
    {
        QFETCH(QString, language);
        TestStore store;
        QVERIFY(store.isOpen());
        const QList<CalendarView> groups = ViewRepository(store.db()).getAll();
        QCOMPARE(groups.size(), 1);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/calendar_%1.qm").arg(language)));
        QVERIFY(QCoreApplication::installTranslator(&translator));
        const QString shown = CalendarGroupName::shown(groups.first());
        QCoreApplication::removeTranslator(&translator);
        QVERIFY2(!shown.isEmpty() && shown != groups.first().name, qPrintable(shown));
    }

    // Key combinations the program writes itself come from QKeySequence in
    // Qt's words ("Strg+K" in German); texts of the catalogue that name keys
    // ("Ctrl+wheel", "Tab / Shift+Tab") must use the same words beside them.
    void keyNamesAreQtsOwn_data() { addLanguageRows(); }
    void keyNamesAreQtsOwn()
    {
        QFETCH(QString, language);
        QTranslator qt;
        if (!qt.load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QSKIP("Qt's own catalogue for this language is not installed");
        const QStringList modifiers = {QStringLiteral("Ctrl"), QStringLiteral("Shift"), QStringLiteral("Alt")};
        const QStringList keys = {QStringLiteral("Tab"), QStringLiteral("Enter"), QStringLiteral("Esc")};
        auto qtWord = [&qt](const QString &key) {
            const QString word = qt.translate("QShortcut", key.toLatin1().constData());
            return word.isEmpty() ? key : word;
        };
        static const QRegularExpression combination(QStringLiteral("\\b(?:Ctrl|Shift|Alt)(?:\\+[^\\s+/]+)+"));
        const TsCatalogue catalogue = load(language);
        int checked = 0;
        QStringList faults;
        for (const TsMessage &message : catalogue.messages()) {
            // The names in combinations, and the parts of a text made only
            // of keys ("Enter", "Tab / Shift+Tab").
            QStringList named;
            for (auto match = combination.globalMatch(message.source); match.hasNext();)
                named << match.next().captured().split(QLatin1Char('+'));
            const QStringList parts = message.source.split(QStringLiteral(" / "));
            if (std::all_of(parts.begin(), parts.end(), [&](const QString &part) {
                    return keys.contains(part) || combination.match(part).hasMatch();
                }))
                named << parts;
            for (const QString &key : std::as_const(named)) {
                if (!modifiers.contains(key) && !keys.contains(key))
                    continue;
                ++checked;
                const QString wanted = qtWord(key) + (modifiers.contains(key) ? QStringLiteral("+") : QString());
                for (const QString &text : message.texts()) {
                    if (!text.contains(wanted))
                        faults << QStringLiteral("%1 -> \"%2\" lacks \"%3\"").arg(describe(message), text, wanted);
                }
            }
        }
        QVERIFY(checked > 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void englishCatalogueTranslatesNothing()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/calendar_en.qm")));
        QVERIFY(translator.isEmpty());
        QCOMPARE(translator.translate("Application", "Database Error"), QString());
    }

    void everyCatalogueHoldsTheSameMessages()
    {
        TsCatalogue english;
        QVERIFY2(english.read(cataloguePath(QStringLiteral("en"))), qPrintable(english.errorString()));
        QSet<QString> wanted;
        for (const TsMessage &message : english.messages())
            wanted.insert(message.key());
        QVERIFY(!wanted.isEmpty());
        for (const QString &language : TranslatedLanguages) {
            const TsCatalogue catalogue = load(language);
            QSet<QString> held;
            for (const TsMessage &message : catalogue.messages())
                held.insert(message.key());
            QStringList missing = QSet<QString>(wanted).subtract(held).values();
            QStringList extra = QSet<QString>(held).subtract(wanted).values();
            missing.sort();
            extra.sort();
            QVERIFY2(missing.isEmpty() && extra.isEmpty(),
                     qPrintable(QStringLiteral("%1 lacks: %2\nhas beyond English: %3")
                                    .arg(language, missing.join(QLatin1String("; ")),
                                         extra.join(QLatin1String("; ")))));
        }
    }
};

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
