#include <QDir>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "tscatalogue.h"

// Every text the sources hand to tr() must be in the shipped catalogues, and
// the catalogues must hold nothing the sources no longer ask for: a text added
// without refreshing the catalogues (the update_translations target) would
// reach the user untranslated.
class TestCatalogueCoverage : public QObject
{
    Q_OBJECT

private:
    // The program's source folders: everything but the tests, the
    // benchmarks and build trees.
    static QStringList sourceFolders()
    {
        const QDir root(QStringLiteral(SOURCE_ROOT));
        const QString buildRoot = QDir(QStringLiteral(BUILD_ROOT)).canonicalPath();
        QStringList folders;
        for (const QFileInfo &entry : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString name = entry.fileName();
            if (name == QLatin1String("tests") || name == QLatin1String("bench") || name.startsWith(QLatin1String("build"))
                || entry.canonicalFilePath() == buildRoot)
                continue;
            folders << entry.absoluteFilePath();
        }
        return folders;
    }

    static QSet<QString> keys(const TsCatalogue &catalogue)
    {
        QSet<QString> all;
        for (const TsMessage &message : catalogue.messages())
            all.insert(message.key());
        return all;
    }

private slots:
    void cataloguesHoldEverySourceText()
    {
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        const QString fresh = scratch.filePath(QStringLiteral("fresh.ts"));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(LUPDATE_PROGRAM),
                      QStringList{QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete"),
                                  QStringLiteral("-silent"), QStringLiteral("-I"),
                                  QStringLiteral(SOURCE_ROOT)}
                          + sourceFolders() + QStringList{QStringLiteral("-ts"), fresh});
        QVERIFY2(lupdate.waitForStarted(), qPrintable(lupdate.errorString()));
        if (!lupdate.waitForFinished(240000)) {
            lupdate.kill();
            lupdate.waitForFinished();
            QFAIL("lupdate did not finish within four minutes; run it on one folder at a time to find the file it "
                  "stalls on");
        }
        QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
                 lupdate.readAll().constData());

        TsCatalogue sources;
        QVERIFY2(sources.read(fresh), qPrintable(sources.errorString()));
        const QSet<QString> asked = keys(sources);
        QVERIFY(asked.size() > 100);

        for (const QString &language :
             {QStringLiteral("de"), QStringLiteral("en"), QStringLiteral("es"), QStringLiteral("fr"), QStringLiteral("ja")}) {
            TsCatalogue shipped;
            QVERIFY2(shipped.read(QStringLiteral(CATALOGUE_DIR "/calendar_%1.ts").arg(language)),
                     qPrintable(shipped.errorString()));
            const QSet<QString> held = keys(shipped);
            QStringList missing = QSet<QString>(asked).subtract(held).values();
            QStringList stale = QSet<QString>(held).subtract(asked).values();
            missing.sort();
            stale.sort();
            QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("calendar_%1.ts lacks (context|source|comment):\n%2")
                                                       .arg(language, missing.join(QLatin1Char('\n')))));
            QVERIFY2(stale.isEmpty(), qPrintable(QStringLiteral("calendar_%1.ts holds texts no source asks for:\n%2")
                                                     .arg(language, stale.join(QLatin1Char('\n')))));
        }
    }
};

QTEST_GUILESS_MAIN(TestCatalogueCoverage)
#include "tst_cataloguecoverage.moc"
