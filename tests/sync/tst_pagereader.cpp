#include "sync/core/pagereader.h"

#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

// Sets its flag when the last copy of the function holding it is gone.
struct GoneFlag
{
    explicit GoneFlag(std::atomic_bool *flag)
        : gone(flag)
    {
    }
    ~GoneFlag() { gone->store(true); }

    std::atomic_bool *gone;
};

} // namespace

class TestPageReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each page read on a pool thread, answered once on the reader's own
    // thread, in the order handed in.
    void pagesAreReadAwayAndAnsweredHereInOrder()
    {
        PageReader reader;
        QStringList answers;
        QList<QThread *> answeredOn;
        QList<QThread *> readOn;
        QMutex readOnLock;
        for (const char *body : {"first", "second", "third"}) {
            reader.read<QString>(
                body,
                [&](const QByteArray &bytes) {
                    const QMutexLocker locker(&readOnLock);
                    readOn.append(QThread::currentThread());
                    return QString::fromUtf8(bytes).toUpper();
                },
                [&](QString page) {
                    answers.append(page);
                    answeredOn.append(QThread::currentThread());
                });
        }
        QCOMPARE(reader.pending(), 3);
        QTRY_COMPARE(answers.size(), 3);
        QCOMPARE(answers, (QStringList{"FIRST", "SECOND", "THIRD"}));
        QCOMPARE(answeredOn, (QList<QThread *>(3, QThread::currentThread())));
        QVERIFY(!readOn.contains(QThread::currentThread()));
        QCOMPARE(reader.pending(), 0);
    }

    // A reader destroyed while a page is being read (its client gone, the
    // program quitting) answers nothing once the page is read.
    void readerGoneMidPageAnswersNothing()
    {
        auto reader = std::make_unique<PageReader>();
        QSemaphore mayFinish;
        std::atomic_bool workGone{false};
        auto flag = std::make_shared<GoneFlag>(&workGone);
        int answers = 0;
        reader->read<int>(
            "page",
            [&mayFinish, flag](const QByteArray &) {
                mayFinish.acquire();
                return 1;
            },
            [&](int) { ++answers; });
        flag.reset();
        reader.reset();
        mayFinish.release();
        // The pool drops the work once the page is read and its end posted.
        QTRY_VERIFY(workGone.load());
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(answers, 0);
    }
};

QTEST_GUILESS_MAIN(TestPageReader)
#include "tst_pagereader.moc"
