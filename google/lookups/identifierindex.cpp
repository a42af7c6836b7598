#include "google/lookups/identifierindex.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/text/textdate.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/entrybaseaccessors.h"
#include "platform/defaults/userdefaults.h"

namespace {

const QString kAsOf = QStringLiteral("asOf");
const QString kGroupVersion = QStringLiteral("aVer");
const QString kDataMaskPrefix = QStringLiteral("dm");

std::optional<QDateTime> dateFromText(const std::optional<QString> &text)
{
    if (!text)
        return std::nullopt;
    const QDateTime date = textdate::parse(*text);
    return date.isValid() ? std::optional(date) : std::nullopt;
}

// The program property's values are read in place: this runs once per entry of the account. Of
// an element given twice, the first counts.
QString elementText(const GDataExtendedProperty *property, const QString &key)
{
    const QString *text = property ? property->findXMLValue(key) : nullptr;
    return text ? *text : QStringLiteral("");
}

// The one element whose name begins with "dm"; nothing unless exactly one name does.
const GDataExtendedProperty::XMLValue *dataMaskElement(const GDataExtendedProperty *property)
{
    if (!property)
        return nullptr;
    const GDataExtendedProperty::XMLValue *found = nullptr;
    for (const GDataExtendedProperty::XMLValue &value : property->XMLValues()) {
        if (!value.first.startsWith(kDataMaskPrefix))
            continue;
        if (!found)
            found = &value;
        else if (found->first != value.first)
            return nullptr;
    }
    return found;
}

GoogleIDRow rowForGroup(const GDataEntryContactGroup &group, const QString &propertyName)
{
    GoogleIDRow row;
    row.name = group.title().value_or(QStringLiteral(""));
    row.gid = group.identifier();
    row.gModDate = group.updatedDate();
    row.isGroup = true;
    const GDataExtendedProperty *property = entrybase::programPropertyIn(group, propertyName);
    row.gAsOfDate = elementText(property, kAsOf);
    row.abid = elementText(property, abkeys::extendedRecordIDKey);
    row.dataMask = QStringLiteral("");
    if (property)
        row.abVersion = dateFromText(property->XMLValueForKey(kGroupVersion));
    return row;
}

GoogleIDRow rowForContact(const GDataEntryContact &contact, const QString &propertyName)
{
    GoogleIDRow row;
    row.name = tolvane::entryDisplayName(contact);
    row.gid = contact.identifier();
    row.gModDate = contact.updatedDate();
    row.isPerson = true;
    const GDataExtendedProperty *property = entrybase::programPropertyIn(contact, propertyName);
    row.gAsOfDate = elementText(property, kAsOf);
    row.abid = elementText(property, abkeys::extendedRecordIDKey);
    const GDataExtendedProperty::XMLValue *mask = dataMaskElement(property);
    row.dataMask = mask ? mask->first : QStringLiteral("");
    if (mask)
        row.abVersion = dateFromText(mask->second);
    return row;
}

} // namespace

IdentifierIndex buildIdentifierIndex(const std::vector<GDataEntryContactGroupPtr> &groups,
                                     const std::vector<GDataEntryContactPtr> &contacts)
{
    UserDefaults &defaults = UserDefaults::standard();
    const QString groupProperty = defaults.stringForKey(abkeys::googleGroupExtendedPropertyName);
    const QString contactProperty =
        defaults.stringForKey(abkeys::googleContactExtendedPropertyName);
    IdentifierIndex index;
    index.rows.reserve(groups.size() + contacts.size());
    for (const GDataEntryContactGroupPtr &group : groups)
        index.rows.push_back(rowForGroup(*group, groupProperty));
    for (const GDataEntryContactPtr &contact : contacts) {
        index.rows.push_back(rowForContact(*contact, contactProperty));
        if (contact->title().value_or(QString()).isEmpty())
            ++index.emailOnlyCount;
    }
    return index;
}
