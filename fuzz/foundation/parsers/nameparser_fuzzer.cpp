// A name line comes from whatever the user pastes: splitting any text must never crash or hang.

#include "foundation/parsers/nameparser.h"
#include "fuzz/parserfuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    zeltor::parseName(text);
    return 0;
}
