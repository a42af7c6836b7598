// Feeds arbitrary bytes to the Atom feed and entry readers: nothing may crash, hang or leak, and
// whatever reads as a feed or entry must read again the same after it is written back.

#include "platform/gdata/atom/atomreader.h"
#include "platform/gdata/atom/atomwriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void checkFeedRoundTrip(const GDataFeed &feed)
{
    const auto again = atomreader::parseFeed(atomwriter::feedXML(feed), feed.entryKind());
    if (!again || (*again)->entries().size() != feed.entries().size())
        std::abort();
}

void checkEntryRoundTrip(const GDataEntryBase &entry)
{
    const auto again = atomreader::parseEntry(atomwriter::entryXML(entry), entry.kind());
    if (!again || (*again)->kind() != entry.kind() || (*again)->title() != entry.title())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (const auto feed = atomreader::parseFeed(input, GDataEntryBase::Kind::Contact))
        checkFeedRoundTrip(**feed);
    if (const auto entry = atomreader::parseEntry(input, GDataEntryBase::Kind::ContactGroup))
        checkEntryRoundTrip(**entry);
    return 0;
}
