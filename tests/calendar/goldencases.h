#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

// Golden cases of one kind of input: every data/<kind>/<name>.ics with its
// expected output in <name>.expected beside it. A known deviation that is
// accepted for now has a <name>.fixme note instead of a changed expectation.
namespace GoldenCases {

inline QString folder(const QString &kind)
{
    return QFileInfo(QStringLiteral(TINDLE_CALENDAR_TEST_DATA "/") + kind).absoluteFilePath();
}

// One data row per case, named after the case.
inline void addRows(const QString &kind)
{
    QTest::addColumn<QString>("path");
    const QDir dir(folder(kind));
    for (const QString &file : dir.entryList({QStringLiteral("*.ics")}, QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(QFileInfo(file).completeBaseName())) << dir.filePath(file);
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString sibling(const QString &path, const char *suffix)
{
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QLatin1String(suffix));
}

// Compares the output with the expected file line by line; a .fixme note
// turns a difference into an expected failure.
inline void compare(const QStringList &actual, const QString &casePath)
{
    const QString expectedPath = sibling(casePath, ".expected");
    QVERIFY2(QFileInfo::exists(expectedPath), qPrintable(expectedPath + QLatin1String(" is missing")));
    const QStringList expected =
        QString::fromUtf8(readBytes(expectedPath)).trimmed().split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    const QString fixme = QString::fromUtf8(readBytes(sibling(casePath, ".fixme"))).trimmed();
    if (!fixme.isEmpty())
        QEXPECT_FAIL("", qPrintable(fixme), Abort);
    QCOMPARE(actual, expected);
}

} // namespace GoldenCases
