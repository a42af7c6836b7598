// A backup archive's lists are whatever the chosen file holds: any bytes must be read, refused or
// turned into Google entries without a crash or a hang, and a list that is taken must hold only
// records the restore can build.

#include "google/engine/googlecontactlists.h"
#include "google/restore/restorerecords.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    static const GoogleContactLists lists;
    const QString own = QStringLiteral("tolvaneContact");
    QString error;
    if (const std::optional<QVariantList> groups = restorerecords::readGroupList(bytes, &error)) {
        for (const QVariant &record : *groups) {
            if (!restorerecords::groupEntry(record.toMap(), own).entry->batchID())
                __builtin_trap();
        }
    }
    if (const std::optional<QVariantList> contacts = restorerecords::readContactList(bytes, &error)) {
        for (const QVariant &record : *contacts) {
            const restorerecords::RestoredContact contact =
                restorerecords::contactEntry(record.toMap(), lists, own);
            if (contact.identifier.isEmpty() || contact.entry->extendedProperties().size() > 10)
                __builtin_trap();
            restorerecords::photoEntryName(record.toMap(), *contact.entry);
        }
    }
    return 0;
}
