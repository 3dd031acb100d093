// The local stand-in for the Tindlebrook cloud service, for trying the cloud
// sign-in of the running program by hand: prints the environment to start
// the program with and serves until it is stopped. Not a benchmark.
#include <QCoreApplication>
#include <QTextStream>

#include "tests/support/fakecloudserver.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    FakeCloudServer server;
    if (!server.listen())
        return 1;
    QTextStream out(stdout);
    out << "AUTH_API_URL=" << server.authApiUrl() << "\n"
        << "ACCOUNT_API_URL=" << server.accountApiUrl() << "\n"
        << "SYNC_API_URL=" << server.syncApiUrl() << "\n"
        << "ACCOUNT_PORTAL_URL=" << server.portalUrl() << "\n"
        << "AUTH_REALM_SLUG=" << FakeCloudServer::RealmSlug << Qt::endl;
    return app.exec();
}
