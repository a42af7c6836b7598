#include "google/browser/namedictionary.h"

#include "google/entries/contactaccessors.h"
#include "google/entries/titleunpacking.h"

namespace tolvane {

QVariantMap tolvaneNameDictionary(const GDataEntryContact &contact)
{
    const bool company = tolvaneIsCompany(contact);
    const SplitTitle split =
        company ? SplitTitle{} : unpackGoogleTitle(contact.title().value_or(QString()));
    return {{QStringLiteral("first"), split.aFirst},
            {QStringLiteral("last"), split.aLast},
            {QStringLiteral("nick"), split.aNick},
            {QStringLiteral("middle"), QStringLiteral("")},
            {QStringLiteral("isCompany"), company},
            {QStringLiteral("coName"), company ? tolvaneTitle(contact) : QStringLiteral("")}};
}

} // namespace tolvane
