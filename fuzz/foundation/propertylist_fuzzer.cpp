// A restart list or a backup archive's list can be left half-written or replaced by anything:
// reading any bytes must never crash, hang or expand without bound, and what is read must write.

#include "foundation/propertylist.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<QVariant> value = propertylist::read(bytes, &error);
    if (value)
        propertylist::xmlData(*value, &error);
    return 0;
}
