// A minimal first or later instance for the single-instance tests: it runs
// the channel exactly as the program does and prints every command it
// receives, one line each, so a test can watch two real processes talk.
#include "app/platform/singleinstance.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

namespace {

void say(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SingleInstance channel;
    if (channel.tryForwardOrListen(app.arguments())) {
        say(channel.forwarded()                      ? QStringLiteral("forwarded")
            : channel.dataFolderInUse()              ? QStringLiteral("data-folder-in-use")
            : channel.dataFolderUnwritable()         ? QStringLiteral("data-folder-unwritable")
            : !channel.otherComputerLock().isEmpty() ? QStringLiteral("other-computer ") + channel.otherComputer()
                                                       + QLatin1Char(' ') + channel.otherComputerLock()
                                                     : QStringLiteral("gave-up"));
        return channel.forwarded() ? 0 : 1;
    }
    say(channel.isListening() ? QStringLiteral("listening") : QStringLiteral("not-listening"));

    QObject::connect(&channel, &SingleInstance::focusRequested, [] { say(QStringLiteral("focus")); });
    QObject::connect(&channel, &SingleInstance::showTodayRequested,
                     [] { say(QStringLiteral("show-today")); });
    QObject::connect(&channel, &SingleInstance::newEventRequested,
                     [] { say(QStringLiteral("new-event")); });
    QObject::connect(&channel, &SingleInstance::openIcsRequested,
                     [](const QString &path) { say(QStringLiteral("open-ics ") + path); });
    QObject::connect(&channel, &SingleInstance::quickAddRequested, [&app](const QString &text) {
        say(QStringLiteral("quick-add ") + text);
        // Control lines for the test: block the event loop, or end.
        if (text.startsWith(QLatin1String("busy "))) {
            QThread::msleep(text.mid(5).toULong());
            say(QStringLiteral("awake"));
        } else if (text == QLatin1String("quit")) {
            app.quit();
        }
    });
    return app.exec();
}
