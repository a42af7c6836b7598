// Address text comes from Google entries (a postal address's free text) and from the extended
// property (flattened address hints that any client may have written): any text must read without
// a crash or a hang.

#include "fuzz/parserfuzzing.h"
#include "google/entries/flatteneddictionary.h"
#include "google/entries/postaladdressparsing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    const QMap<QString, QString> hints = flatteneddictionary::inflateString(text);
    flatteneddictionary::Pairs pairs;
    for (auto it = hints.cbegin(); it != hints.cend(); ++it)
        pairs.append({it.key(), it.value()});
    // What was read is written again and must read back to as many entries.
    if (flatteneddictionary::inflateString(flatteneddictionary::flattenDictionary(pairs)).size() >
        hints.size())
        __builtin_trap();
    const GDataPostalAddress address = GDataPostalAddress::postalAddressWithString(text);
    tolvane::tolvaneAddress(address);
    tolvane::tolvaneRawAddress(address);
    return 0;
}
