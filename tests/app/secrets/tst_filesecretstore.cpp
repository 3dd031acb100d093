#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QtTest>

#include "app/secrets/filesecretstore.h"
#include "tests/support/tempdatadir.h"

#include <unistd.h>

namespace {

constexpr QFileDevice::Permissions ownerOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions ownerOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Permission bits as the file system has them, without Qt's "user" bits.
QFileDevice::Permissions modeOf(const QString &path)
{
    return QFile::permissions(path)
           & (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
              | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
              | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

} // namespace

class TestFileSecretStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TempDataDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanup()
    {
        m_dir.reset();
    }

    void folderAndFileArePrivate()
    {
        FileSecretStore store(folder());
        QVERIFY(!QFile::exists(folder()));
        QVERIFY(store.write(QStringLiteral("t"), "v"));
        QCOMPARE(modeOf(folder()), ownerOnlyFolder);
        QCOMPARE(modeOf(store.filePath()), ownerOnlyFile);

        // Still private after a replacement, which writes a new file.
        QVERIFY(store.write(QStringLiteral("t"), "w"));
        QCOMPARE(modeOf(store.filePath()), ownerOnlyFile);
    }

    void looserPermissionsAreTightenedOnWrite()
    {
        QVERIFY(QDir().mkpath(folder()));
        QVERIFY(QFile::setPermissions(folder(), ownerOnlyFolder | QFileDevice::ReadGroup
                                                    | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                    | QFileDevice::ExeOther));
        FileSecretStore store(folder());
        QVERIFY(store.write(QStringLiteral("t"), "v"));
        QVERIFY(QFile::setPermissions(store.filePath(), ownerOnlyFile | QFileDevice::ReadGroup
                                                            | QFileDevice::ReadOther));
        QVERIFY(store.write(QStringLiteral("u"), "v"));
        QCOMPARE(modeOf(folder()), ownerOnlyFolder);
        QCOMPARE(modeOf(store.filePath()), ownerOnlyFile);
    }

    void missingIsNotEmpty()
    {
        FileSecretStore store(folder());
        QVERIFY(!store.read(QStringLiteral("t")));
        QVERIFY(store.write(QStringLiteral("t"), QByteArray()));
        const std::optional<QByteArray> value = store.read(QStringLiteral("t"));
        QVERIFY(value.has_value());
        QVERIFY(value->isEmpty());
        QVERIFY(!store.read(QStringLiteral("other")));
    }

    void bytesRoundTripExactly_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("cjk and emoji") << QStringLiteral("\u65e5\u672c\u8a9e \U0001F511").toUtf8();
        QTest::newRow("control bytes") << QByteArray("a\0b\nc\r\t\\", 9);
        QTest::newRow("large") << QByteArray(64 * 1024, 'x');
    }

    void bytesRoundTripExactly()
    {
        QFETCH(QByteArray, value);
        FileSecretStore store(folder());
        QVERIFY(store.write(QStringLiteral("Tindlebrook/svc/key"), value));
        QCOMPARE(store.read(QStringLiteral("Tindlebrook/svc/key")).value_or(QByteArray("<missing>")), value);
    }

    void writeReplacesAndRemoveReportsExistence()
    {
        FileSecretStore store(folder());
        QVERIFY(!store.remove(QStringLiteral("t")));
        QVERIFY(store.write(QStringLiteral("t"), "one"));
        QVERIFY(store.write(QStringLiteral("t"), "two"));
        QCOMPARE(store.read(QStringLiteral("t")).value_or(QByteArray()), QByteArray("two"));
        QVERIFY(store.remove(QStringLiteral("t")));
        QVERIFY(!store.read(QStringLiteral("t")));
        QVERIFY(!store.remove(QStringLiteral("t")));
    }

    void twoStoresOnOneFolderShareEntries()
    {
        FileSecretStore first(folder());
        FileSecretStore second(folder());
        QVERIFY(first.write(QStringLiteral("a"), "1"));
        QCOMPARE(second.read(QStringLiteral("a")).value_or(QByteArray()), QByteArray("1"));
        QVERIFY(second.write(QStringLiteral("b"), "2"));
        // The first store's next write must not drop the second's entry.
        QVERIFY(first.write(QStringLiteral("c"), "3"));
        QCOMPARE(first.read(QStringLiteral("b")).value_or(QByteArray()), QByteArray("2"));
        QVERIFY(second.remove(QStringLiteral("a")));
        QVERIFY(!first.read(QStringLiteral("a")));
    }

    void writeReplacesFileByRenameNotInPlace()
    {
        FileSecretStore store(folder());
        QVERIFY(store.write(QStringLiteral("t"), "old"));
        // A hard link keeps the old file's contents only if the new contents
        // arrive in a new file that is renamed over it.
        const QString snapshot = m_dir->path() + QStringLiteral("/snapshot.json");
        QCOMPARE(::link(QFile::encodeName(store.filePath()).constData(),
                        QFile::encodeName(snapshot).constData()),
                 0);
        QVERIFY(store.write(QStringLiteral("t"), "new"));

        QFile old(snapshot);
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QJsonDocument document = QJsonDocument::fromJson(old.readAll());
        QVERIFY(document.isObject());
        QCOMPARE(QByteArray::fromBase64(
                     document.object().value(QStringLiteral("entries")).toObject().value(QStringLiteral("t"))
                         .toString().toLatin1()),
                 QByteArray("old"));
        QCOMPARE(store.read(QStringLiteral("t")).value_or(QByteArray()), QByteArray("new"));
    }

    void writeLeavesNoTemporaryFiles()
    {
        FileSecretStore store(folder());
        for (int i = 0; i < 5; ++i)
            QVERIFY(store.write(QStringLiteral("t%1").arg(i), "v"));
        QVERIFY(store.remove(QStringLiteral("t0")));
        QCOMPARE(QDir(folder()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{QStringLiteral("credentials.json")});
    }

    void damagedFileIsSetAsideNotOverwrittenBlindly()
    {
        QVERIFY(QDir().mkpath(folder()));
        FileSecretStore store(folder());
        {
            QFile file(store.filePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{ not json");
        }
        QVERIFY(!store.read(QStringLiteral("t")));
        QVERIFY(!store.remove(QStringLiteral("t")));
        // The damaged bytes still exist for recovery after the next write.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("credential file could not be read")));
        QVERIFY(store.write(QStringLiteral("t"), "v"));
        QFile aside(store.filePath() + QStringLiteral(".damaged"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), QByteArray("{ not json"));
        QCOMPARE(store.read(QStringLiteral("t")).value_or(QByteArray()), QByteArray("v"));
    }

private:
    QString folder() const { return m_dir->dataPath() + QStringLiteral("/secrets"); }

    std::unique_ptr<TempDataDir> m_dir;
};

QTEST_GUILESS_MAIN(TestFileSecretStore)
#include "tst_filesecretstore.moc"
