#include "tools/google-check/checkoptions.h"

#include <QCommandLineParser>
#include <QFile>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// One batchCreateContacts takes at most this many contacts.
constexpr int kMostBatch = 200;

} // namespace

bool isLoopbackUrl(const QUrl &url)
{
    if (url.host() == QLatin1String("localhost"))
        return true;
    const QHostAddress address(url.host());
    return !address.isNull() && address.isLoopback();
}

std::optional<CheckOptions> parseCheckOptions(const QStringList &arguments, QString *message)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Checks how Google's People API answers for your own account and writes "
                       "a report of counts, timings and shapes, without names, addresses or "
                       "numbers."));
    parser.addHelpOption();
    const QCommandLineOption client(QStringLiteral("client"),
                                    QStringLiteral("The client file of your Desktop app client."),
                                    QStringLiteral("file"));
    const QCommandLineOption account(QStringLiteral("account"),
                                     QStringLiteral("The Google account to sign in as."),
                                     QStringLiteral("address"));
    const QCommandLineOption write(
        QStringLiteral("write"),
        QStringLiteral("Also make, change and delete contacts in a group of the check's own."));
    const QCommandLineOption batch(QStringLiteral("batch"),
                                   QStringLiteral("With --write: time one create of N contacts."),
                                   QStringLiteral("N"));
    const QCommandLineOption baseUrl(QStringLiteral("base-url"),
                                     QStringLiteral("A loopback server in place of Google."),
                                     QStringLiteral("url"));
    const QCommandLineOption noBrowser(
        QStringLiteral("no-browser"),
        QStringLiteral("Fetch the sign-in page without a browser (loopback server only)."));
    const QCommandLineOption report(
        QStringLiteral("report"), QStringLiteral("Where the report is written."),
        QStringLiteral("file"), QStringLiteral("google-check-report.json"));
    parser.addOptions({client, account, write, batch, baseUrl, noBrowser, report});
    parser.process(arguments);

    CheckOptions options;
    options.clientFile = parser.value(client);
    options.account = parser.value(account).trimmed();
    options.write = parser.isSet(write);
    options.baseUrl = QUrl(parser.value(baseUrl));
    options.noBrowser = parser.isSet(noBrowser);
    options.reportPath = parser.value(report);
    if (options.clientFile.isEmpty() || options.account.isEmpty()) {
        *message = QStringLiteral("--client FILE and --account ADDRESS are both needed.");
        return std::nullopt;
    }
    if (parser.isSet(batch)) {
        bool ok = false;
        options.batch = parser.value(batch).toInt(&ok);
        if (!ok || options.batch < 1 || options.batch > kMostBatch) {
            *message = QStringLiteral("--batch wants a number from 1 to %1.").arg(kMostBatch);
            return std::nullopt;
        }
        if (!options.write) {
            *message = QStringLiteral("--batch makes contacts, so it needs --write.");
            return std::nullopt;
        }
    }
    if (parser.isSet(baseUrl) && (!options.baseUrl.isValid() || options.baseUrl.host().isEmpty())) {
        *message = QStringLiteral("--base-url wants a URL such as http://127.0.0.1:47180.");
        return std::nullopt;
    }
    // The fetcher answers the consent page itself: only a loopback server may be signed in to
    // behind the person's back, never Google.
    if (options.noBrowser && !isLoopbackUrl(options.baseUrl)) {
        *message = QStringLiteral("--no-browser is allowed only with a loopback --base-url; "
                                  "with Google you sign in in your browser.");
        return std::nullopt;
    }
    return options;
}

std::optional<CheckClient> readClientFile(const QString &path, QString *message)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *message = QStringLiteral("Cannot read the client file %1.").arg(path);
        return std::nullopt;
    }
    const QJsonObject installed = QJsonDocument::fromJson(file.readAll())
                                      .object()
                                      .value(QLatin1String("installed"))
                                      .toObject();
    CheckClient client{installed.value(QLatin1String("client_id")).toString(),
                       installed.value(QLatin1String("client_secret")).toString()};
    if (client.id.isEmpty()) {
        *message = QStringLiteral("%1 is not the client file of a \"Desktop app\" client "
                                  "(it holds no \"installed\" client_id).")
                       .arg(path);
        return std::nullopt;
    }
    return client;
}
