// Filling an empty account with 25,000 contacts through the contacts client: 250 batch requests
// of 100 inserts each, sent one after another, every result read back, on each protocol.

#include "bench/platform/gdata/benchprotocol.h"
#include "bench/platform/gdata/completion.h"
#include "bench/platform/gdata/loopbackserver.h"
#include "bench/platform/gdata/samplecontacts.h"

#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/gdataclientlogin.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QNetworkAccessManager>
#include <QTcpSocket>

#include <benchmark/benchmark.h>

namespace {

constexpr int kBatches = 250;
constexpr int kBatchSize = kGDataMaxBatchEntries;
constexpr int kRequestTimeoutMs = 60000;
const QString kUser = QStringLiteral("bench@example.com");
const QString kPassword = QStringLiteral("bench");

std::vector<GDataFeed> insertBatches(const QString &group)
{
    std::vector<GDataFeed> batches;
    for (int batch = 0; batch < kBatches; ++batch) {
        GDataFeed feed(GDataEntryBase::Kind::Contact);
        for (int i = 0; i < kBatchSize; ++i) {
            const GDataEntryContactPtr contact =
                samplecontacts::contact(batch * kBatchSize + i, group);
            contact->setBatchID(QString::number(i));
            contact->setBatchOperation(QLatin1String(kGDataBatchOperationInsert));
            feed.addEntry(contact);
        }
        batches.push_back(feed);
    }
    return batches;
}

// An empty account, signed in to by the service.
bool freshAccount(LoopbackServer &server, GDataServiceGoogleContact &service,
                  GDataServiceGoogleContact::Protocol protocol)
{
    if (!server.reset() || !server.addAccount(kUser, kPassword) ||
        !benchprotocol::useAccount(server, service, protocol, kUser, kPassword))
        return false;
    Completion completion;
    bool signedIn = false;
    service.fetchContactQuery(
        GDataQueryContact::contactQueryWithFeedURL(
            service.feedURL(QLatin1String(kGDataGoogleContactDefaultThinFeed))),
        nullptr,
        [&](const GDataServiceTicketPtr &, const GDataFeedPtr &) {
            signedIn = true;
            completion.done();
        },
        [&](const GDataServiceTicketPtr &, const GDataError &) { completion.done(); });
    return completion.wait(kRequestTimeoutMs) && signedIn;
}

// The number of entries the server reported as created.
int sendBatches(GDataServiceGoogleContact &service, const std::vector<GDataFeed> &batches)
{
    const QUrl url(service.feedURL(QLatin1String(kGDataGoogleContactDefaultFullFeed)).toString() +
                   QStringLiteral("/batch"));
    Completion completion;
    int created = 0;
    for (const GDataFeed &batch : batches) {
        service.fetchContactBatchFeedWithBatchFeed(
            batch, url, nullptr,
            [&](const GDataServiceTicketPtr &, const GDataFeedPtr &result) {
                for (const GDataEntryPtr &entry : result->entries())
                    created += entry->batchStatus() && entry->batchStatus()->code == 201 ? 1 : 0;
                completion.done();
            },
            [&](const GDataServiceTicketPtr &, const GDataError &) { completion.done(); });
        if (!completion.wait(kRequestTimeoutMs))
            break;
    }
    return created;
}

void BM_InsertFullAccountInBatches(benchmark::State &state)
{
    LoopbackServer server;
    if (!server.start()) {
        state.SkipWithError("the loopback server did not start");
        return;
    }
    const auto protocol = benchprotocol::fromArgument(state.range(0));
    state.SetLabel(benchprotocol::label(protocol));
    const std::vector<GDataFeed> batches = insertBatches(server.myContactsGroupId(kUser));
    GDataServiceGoogleContact service;
    for (auto _ : state) {
        state.PauseTiming();
        const bool ready = freshAccount(server, service, protocol);
        state.ResumeTiming();
        if (!ready) {
            state.SkipWithError("the account could not be made afresh");
            break;
        }
        if (sendBatches(service, batches) != kBatches * kBatchSize) {
            state.SkipWithError("not every contact was created");
            break;
        }
    }
    state.counters["contacts"] = kBatches * kBatchSize;
}
BENCHMARK(BM_InsertFullAccountInBatches)
    ->ArgName("people")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// The floor of the same work: the same request bodies, written beforehand, posted one after
// another over one plain socket with the delay off, each answer read whole but not parsed.
class PlainPoster
{
public:
    bool connect(const QUrl &base)
    {
        m_socket.connectToHost(base.host(), quint16(base.port()));
        if (!m_socket.waitForConnected(kRequestTimeoutMs))
            return false;
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        return true;
    }

    // The answer's status, or 0 when none came whole.
    int post(const QUrl &url, const QByteArray &token, const QByteArray &body)
    {
        m_socket.write("POST " + url.path(QUrl::FullyEncoded).toUtf8() + " HTTP/1.1\r\nHost: " +
                       url.host().toUtf8() + "\r\nAuthorization: GoogleLogin auth=" + token +
                       "\r\nGData-Version: 3.0\r\nContent-Type: application/atom+xml\r\n"
                       "Content-Length: " +
                       QByteArray::number(body.size()) + "\r\n\r\n" + body);
        QByteArray answer;
        qsizetype headerEnd = -1;
        qsizetype length = -1;
        while (length < 0 || answer.size() < headerEnd + 4 + length) {
            if (!m_socket.waitForReadyRead(kRequestTimeoutMs))
                return 0;
            answer += m_socket.readAll();
            if (headerEnd < 0 && (headerEnd = answer.indexOf("\r\n\r\n")) >= 0) {
                const qsizetype at = answer.toLower().indexOf("content-length:");
                if (at < 0 || at > headerEnd)
                    return 0;
                length = answer.mid(at + 15, answer.indexOf("\r\n", at) - at - 15)
                             .trimmed()
                             .toLongLong();
            }
        }
        return answer.mid(9, 3).toInt();
    }

private:
    QTcpSocket m_socket;
};

QByteArray signedInToken(const QUrl &authUrl)
{
    QNetworkAccessManager network;
    GDataClientLogin login(&network);
    login.setCredentials(kUser, kPassword);
    Completion completion;
    bool signedIn = false;
    login.signIn(authUrl, QStringLiteral("bench"), kRequestTimeoutMs,
                 [&](const std::optional<GDataError> &error) {
                     signedIn = !error;
                     completion.done();
                 });
    return completion.wait(kRequestTimeoutMs) && signedIn ? login.token().toUtf8() : QByteArray();
}

void BM_PostSameBodiesOverPlainSocket(benchmark::State &state)
{
    LoopbackServer server;
    if (!server.start()) {
        state.SkipWithError("the loopback server did not start");
        return;
    }
    std::vector<QByteArray> bodies;
    for (const GDataFeed &batch : insertBatches(server.myContactsGroupId(kUser)))
        bodies.push_back(atomwriter::feedXML(batch));
    GDataServiceGoogleContact service;
    service.setBaseUrl(server.baseUrl());
    const QUrl url(service.feedURL(QLatin1String(kGDataGoogleContactDefaultFullFeed)).toString() +
                   QStringLiteral("/batch"));
    for (auto _ : state) {
        state.PauseTiming();
        QByteArray token;
        if (server.reset() && server.addAccount(kUser, kPassword))
            token = signedInToken(service.authUrl());
        PlainPoster poster;
        const bool ready = !token.isEmpty() && poster.connect(server.baseUrl());
        state.ResumeTiming();
        if (!ready) {
            state.SkipWithError("the account could not be made afresh");
            break;
        }
        for (const QByteArray &body : bodies) {
            if (poster.post(url, token, body) != 200) {
                state.SkipWithError("a batch was not answered");
                return;
            }
        }
    }
    state.counters["contacts"] = kBatches * kBatchSize;
}
BENCHMARK(BM_PostSameBodiesOverPlainSocket)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

} // namespace
