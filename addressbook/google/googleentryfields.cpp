#include "addressbook/google/googleentryfields.h"

#include "addressbook/addressbookkeys.h"

namespace AddressBookTool {

std::optional<QString> storedRecordID(const GoogleEntry &entry, const QString &propertyName)
{
    const QList<QHash<QString, QString>> properties = entry.extendedPropertyValues(propertyName);
    if (properties.size() != 1)
        return std::nullopt;
    const QString abid = properties.first().value(abkeys::extendedRecordIDKey);
    if (abid.isEmpty())
        return std::nullopt;
    return abid;
}

std::optional<QString> matchingEmail(const GoogleContactEntry &contact)
{
    if (const std::optional<QString> primary = contact.primaryEmailAddress())
        return primary;
    const QStringList addresses = contact.emailAddresses();
    if (addresses.isEmpty())
        return std::nullopt;
    return addresses.first();
}

} // namespace AddressBookTool
