// Address text comes from Google entries and from pasted text: any text must parse without a
// crash or a hang.

#include "foundation/parsers/addressparser.h"
#include "fuzz/parserfuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    zeltor::parseCSZ(text);
    zeltor::unpackAddress(text);
    return 0;
}
