#include "app/application.h"
#include "app/platform/singleinstance.h"

#include <QLoggingCategory>
#include <QStringList>

int main(int argc, char **argv)
{
    // Without TZ the C library checks /etc/localtime on every local-time
    // conversion; naming the same file once spares those checks and keeps
    // the zone the system uses.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");

    // Only warnings and worse, unless this is a developer instance or the
    // user chose logging rules.
    if (qEnvironmentVariable("CALENDAR_INSTANCE") != QLatin1String("dev")
        && qEnvironmentVariableIsEmpty("QT_LOGGING_RULES")) {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    }

    Application app(argc, argv, Application::Assets::AfterTheFirstFrame);
    auto *channel = new SingleInstance(&app);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    if (channel->tryForwardOrListen(arguments)) {
        if (channel->forwarded())
            return 0;
        // No start ends without telling the user why.
        if (!channel->otherComputerLock().isEmpty())
            app.showDataFolderOfAnotherComputer(channel->otherComputerLock(), channel->otherComputer());
        else if (channel->dataFolderUnwritable())
            app.showDataFolderUnwritable();
        else
            app.showDataFolderInUse();
        return 1;
    }

    app.setSingleInstance(channel);
    app.setPendingCommand(SingleInstance::buildCommand(arguments));
    return app.run();
}
