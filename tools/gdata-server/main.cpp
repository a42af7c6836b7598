// gdata-server: a loopback stand-in for the Google Contacts data API and the People API.
//   --port N       listen on 127.0.0.1:N (0: a free port); the port is printed on the first line
//   --state FILE   keep the accounts in FILE across runs
//   --demo         add the demo account (demo@example.com, password "demo") when missing
//   --page-size N  the most entries one feed response holds
//   --id-base URL  make identifiers from URL instead of the server's own address
//   --oauth-client ID:SECRET  register an OAuth client (repeatable); --demo registers one too
//   --photo-port N serve the People face's photos on 127.0.0.1:N as well (0: a free port), a
//                  second origin; its port is printed on a line of its own

#include "tools/gdata-server/gdataserver.h"

#include "platform/scripting/quitsignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr quint16 kDefaultPort = 47180;
constexpr char kDemoClientId[] = "demo-client.apps.loopback";
constexpr char kDemoClientSecret[] = "demo-secret";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gdata-server"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Loopback server of the Google Contacts data API"));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port (0: any free one)."),
                                  QStringLiteral("port"), QString::number(kDefaultPort));
    const QCommandLineOption state(QStringLiteral("state"),
                                   QStringLiteral("File the accounts are kept in."),
                                   QStringLiteral("file"));
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Add the demo account."));
    const QCommandLineOption pageSize(QStringLiteral("page-size"),
                                      QStringLiteral("Most entries per feed response."),
                                      QStringLiteral("count"));
    const QCommandLineOption idBase(QStringLiteral("id-base"),
                                    QStringLiteral("Base URL of identifiers."),
                                    QStringLiteral("url"));
    const QCommandLineOption oauthClient(QStringLiteral("oauth-client"),
                                         QStringLiteral("An OAuth client to register."),
                                         QStringLiteral("id:secret"));
    const QCommandLineOption photoPort(QStringLiteral("photo-port"),
                                       QStringLiteral("Port of the People face's photos."),
                                       QStringLiteral("port"));
    parser.addOptions({port, state, demo, pageSize, idBase, oauthClient, photoPort});
    parser.process(app);

    GDataServer server(parser.value(state));
    // A stop ends the loop, and the server writes its state as it goes.
    quitsignals::install(&app);
    QString error;
    if (!server.load(&error)) {
        std::fprintf(stderr, "gdata-server: cannot read %s: %s\n", qPrintable(parser.value(state)),
                     qPrintable(error));
        return 1;
    }
    bool portOk = false;
    const uint portNumber = parser.value(port).toUInt(&portOk);
    if (!portOk || portNumber > 65535 || !server.listen(quint16(portNumber))) {
        std::fprintf(stderr, "gdata-server: cannot listen on 127.0.0.1:%s\n",
                     qPrintable(parser.value(port)));
        return 1;
    }
    if (parser.isSet(photoPort) &&
        !server.listenForPhotos(quint16(parser.value(photoPort).toUInt()))) {
        std::fprintf(stderr, "gdata-server: cannot listen for photos on 127.0.0.1:%s\n",
                     qPrintable(parser.value(photoPort)));
        return 1;
    }
    for (const QString &client : parser.values(oauthClient)) {
        const qsizetype colon = client.indexOf(u':');
        if (colon <= 0) {
            std::fprintf(stderr, "gdata-server: --oauth-client wants ID:SECRET\n");
            return 1;
        }
        server.addOAuthClient(client.left(colon), client.mid(colon + 1));
    }
    if (parser.isSet(pageSize))
        server.setPageSize(qMax(1, parser.value(pageSize).toInt()));
    if (parser.isSet(idBase))
        server.setIdBase(parser.value(idBase));
    if (parser.isSet(demo)) {
        server.addDemoAccount(QStringLiteral("demo@example.com"), QStringLiteral("demo"));
        server.addOAuthClient(QLatin1String(kDemoClientId), QLatin1String(kDemoClientSecret));
    }
    // The photo port comes first: whoever waits for the listening line has both.
    if (parser.isSet(photoPort))
        std::printf("photos on 127.0.0.1:%u\n", unsigned(server.photoPort()));
    std::printf("gdata-server listening on 127.0.0.1:%u\n", unsigned(server.port()));
    if (parser.isSet(demo))
        std::printf("demo account: demo@example.com, password \"demo\"; OAuth client %s, "
                    "secret \"%s\"\n",
                    kDemoClientId, kDemoClientSecret);
    std::fflush(stdout);
    return app.exec();
}
