// Feeds arbitrary bytes to the vCard reader. A card that reads is written again and read back,
// so the writer sees every odd value the reader lets through.

#include "platform/addressbook/person.h"
#include "platform/addressbook/vcard/vcardwriter.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const PersonPtr person = Person::fromVCardRepresentation(bytes, &error);
    if (!person)
        return 0;
    const QByteArray card = vcardwriter::write(*person, {}, {true, true});
    if (!Person::fromVCardRepresentation(card, &error))
        __builtin_trap();
    return 0;
}
