// Reading one contact feed response of a full fetch: 2,000 well-filled entries, about 4 MB.

#include "bench/platform/gdata/samplecontacts.h"

#include "platform/gdata/atom/atomreader.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kEntries = 2000;

void BM_ParseContactFeed(benchmark::State &state)
{
    const QByteArray xml = samplecontacts::feedXML(
        kEntries, QStringLiteral("http://127.0.0.1:47180"), QStringLiteral("bench@example.com"));
    for (auto _ : state) {
        const auto feed = atomreader::parseFeed(xml, GDataEntryBase::Kind::Contact);
        if (!feed || (*feed)->entries().size() != size_t(kEntries)) {
            state.SkipWithError("the feed did not read back whole");
            break;
        }
        benchmark::DoNotOptimize(feed);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * xml.size());
    state.counters["feed_bytes"] = double(xml.size());
}
BENCHMARK(BM_ParseContactFeed)->Unit(benchmark::kMillisecond);

} // namespace
