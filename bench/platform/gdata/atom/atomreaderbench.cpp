// Reading one contact feed response of a full fetch: 2,000 well-filled entries, about 4 MB. The
// same bytes read by pugixml on its own, beside it, are the limit the reader is measured against.

#include "bench/platform/gdata/samplecontacts.h"

#include "platform/gdata/atom/atomreader.h"

#include <pugixml.hpp>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr int kEntries = 2000;

// The program reads each answer from a body it frees afterwards, and the C library, once a block
// that large is freed, keeps the heap's top instead of handing it back after every feed. The
// sample is a copy, its first buffer freed, so that the reader runs on the heap it has in the
// program and not on one that is shrunk and faulted in again for every feed.
const QByteArray &sampleFeed()
{
    static const QByteArray xml = [] {
        const QByteArray written =
            samplecontacts::feedXML(kEntries, QStringLiteral("http://127.0.0.1:47180"),
                                    QStringLiteral("bench@example.com"));
        return QByteArray(written.constData(), written.size());
    }();
    return xml;
}

void BM_ParseContactFeed(benchmark::State &state)
{
    const QByteArray &xml = sampleFeed();
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

// The limit: pugixml parsing the same bytes with the reader's options into a document, and
// freeing it, with nothing read out of it.
void BM_ParseContactFeed_PugixmlAlone(benchmark::State &state)
{
    const QByteArray &xml = sampleFeed();
    for (auto _ : state) {
        pugi::xml_document doc;
        const pugi::xml_parse_result result = doc.load_buffer(
            xml.constData(), size_t(xml.size()), pugi::parse_default | pugi::parse_ws_pcdata_single,
            pugi::encoding_utf8);
        int entries = 0;
        for (pugi::xml_node child = doc.document_element().first_child(); child;
             child = child.next_sibling())
            entries += std::strcmp(child.name(), "entry") == 0;
        if (!result || entries != kEntries) {
            state.SkipWithError("the feed did not parse whole");
            break;
        }
        benchmark::DoNotOptimize(doc);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * xml.size());
}
BENCHMARK(BM_ParseContactFeed_PugixmlAlone)->Unit(benchmark::kMillisecond);

} // namespace
