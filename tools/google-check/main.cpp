// google-check: signs in to a Google account in the browser with the user's own client and
// reports how the People API answers the requests Tolvane makes, in counts, timings and shapes
// only (no names, addresses or numbers), so that what the loopback server imitates can be set
// beside the real service. Read-only unless --write; scripts/google-check runs it.

#include "platform/gdata/oauth/oauthcredential.h"
#include "platform/gdata/oauth/oauthtokensource.h"
#include "tools/google-check/checkapi.h"
#include "tools/google-check/checkinterrupt.h"
#include "tools/google-check/checkoptions.h"
#include "tools/google-check/checksignin.h"
#include "tools/google-check/readchecks.h"
#include "tools/google-check/writechecks.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QSaveFile>

#include <cstdio>
#include <memory>

namespace {

constexpr int kReportFormat = 1;
constexpr char kGoogleApiRoot[] = "https://people.googleapis.com";

bool writeReport(const QString &path, const QJsonObject &report)
{
    const QByteArray text = QJsonDocument(report).toJson(QJsonDocument::Indented);
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        std::fprintf(stderr, "google-check: cannot write the report to %s\n", qPrintable(path));
        return false;
    }
    std::fprintf(stderr, "google-check: the report is in %s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // The browser is opened through the desktop, which wants a GUI application; the fetcher of a
    // loopback sign-in does not.
    bool fetcher = false;
    for (int i = 1; i < argc; ++i)
        fetcher = fetcher || QByteArray(argv[i]) == "--no-browser";
    std::unique_ptr<QCoreApplication> app;
    if (fetcher)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QGuiApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("google-check"));

    QString message;
    const std::optional<CheckOptions> options =
        parseCheckOptions(QCoreApplication::arguments(), &message);
    if (!options) {
        std::fprintf(stderr, "google-check: %s\n", qPrintable(message));
        return 2;
    }
    const std::optional<CheckClient> client = readClientFile(options->clientFile, &message);
    if (!client) {
        std::fprintf(stderr, "google-check: %s\n", qPrintable(message));
        return 2;
    }

    QElapsedTimer clock;
    clock.start();
    QJsonObject report{{"format", kReportFormat},
                       {"startedAt", QDateTime::currentDateTimeUtc().toString(Qt::ISODate)},
                       {"service", options->baseUrl.isEmpty() ? "google" : "loopback"},
                       {"mode", options->write ? "write" : "read-only"}};

    catchInterrupts();
    QNetworkAccessManager network;
    QJsonObject signIn;
    const OAuthSignInResult signedIn = signInForCheck(&network, *options, *client, &signIn);
    report.insert("signIn", signIn);
    if (signedIn.failure) {
        std::fprintf(stderr, "google-check: %s\n", qPrintable(signedIn.message));
        writeReport(options->reportPath, report);
        return 1;
    }

    OAuthTokenSource tokens(&network);
    tokens.setEndpoints(oauthEndpointsForBaseURL(options->baseUrl));
    tokens.setClient(client->id, client->secret);
    tokens.setCredentialText(serializeOAuthCredential(signedIn.credential));
    bool renewedRefreshToken = false;
    tokens.setCredentialRenewed([&](const OAuthCredential &) { renewedRefreshToken = true; });
    CheckApi api(&network, &tokens,
                 options->baseUrl.isEmpty() ? QUrl(QLatin1String(kGoogleApiRoot))
                                            : options->baseUrl);

    const auto step = [&report](const char *name, const auto &check) {
        if (!interrupted())
            report.insert(QLatin1String(name), check());
    };
    QJsonArray persons;
    QString syncToken;
    step("groups", [&] { return checkGroups(api); });
    step("connections", [&] { return checkConnections(api, &persons, &syncToken); });
    step("fields", [&] { return fieldPresence(persons); });
    step("photoFetch", [&] { return checkPhotoFetch(api, persons); });
    step("tokenRefresh", [&] { return checkTokenRefresh(api, renewedRefreshToken); });
    step("incrementalList", [&] { return checkIncrementalList(api, syncToken); });
    step("unknownPerson", [&] { return checkMissingPerson(api); });
    bool cleanedUp = true;
    if (options->write && !interrupted()) {
        const QJsonObject written = WriteChecks(api, syncToken, options->batch).run();
        cleanedUp = written.value(QLatin1String("cleanUp"))
                        .toObject()
                        .value(QLatin1String("allGone"))
                        .toBool();
        report.insert("write", written);
    }
    if (interrupted())
        report.insert("interrupted", true);
    report.insert("ms", clock.elapsed());
    const bool written = writeReport(options->reportPath, report);
    if (!cleanedUp)
        std::fprintf(stderr, "google-check: some contacts or groups the check made are left; "
                             "the report's write.cleanUp says how many\n");
    return written && cleanedUp && !interrupted() ? 0 : 1;
}
