// A preference file can be left half-written or edited by hand: decoding any text must never crash.

#include "platform/defaults/preferencevalue.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QVariant value = preferencevalue::decode(text);
    if (value.isValid())
        preferencevalue::encode(value);
    return 0;
}
