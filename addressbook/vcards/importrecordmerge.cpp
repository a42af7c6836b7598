#include "addressbook/vcards/importrecordmerge.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/labelledvalues.h"
#include "addressbook/fields/multivalueediting.h"
#include "addressbook/fields/personaddresses.h"
#include "addressbook/fields/personemail.h"
#include "addressbook/fields/personphones.h"
#include "addressbook/fields/personurls.h"
#include "foundation/text/zeltorstring.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"

#include <optional>

namespace AddressBookTool {

namespace {

QString text(const QVariantMap &record, const QString &key)
{
    return record.value(key).toString();
}

QString text(const QVariantMap &record, const char *key)
{
    return text(record, QLatin1String(key));
}

void mergeKind(const PersonPtr &person, const QVariantMap &record)
{
    const QString isCompany = text(record, "isCompany");
    if (isCompany.isEmpty())
        return;
    const int showAs = isCompany == u"0" ? kABShowAsPerson : kABShowAsCompany;
    const int flags = person->valueForProperty(kABPersonFlags).toInt();
    person->setValueForProperty((flags & ~kABShowAsMask) | showAs, kABPersonFlags);
}

struct SingleField
{
    const char *key;
    const QString &property;
};

const SingleField kSingleFields[] = {
    {"prefix", kABTitleProperty},        {"suffix", kABSuffixProperty},
    {"firstName", kABFirstNameProperty}, {"nickName", kABNicknameProperty},
    {"lastName", kABLastNameProperty},   {"organization", kABOrganizationProperty},
    {"jobTitle", kABJobTitleProperty},   {"department", kABDepartmentProperty},
    {"notes", kABNoteProperty},
};

void mergeSingleFields(const PersonPtr &person, const QVariantMap &record)
{
    for (const SingleField &field : kSingleFields) {
        const QString value = text(record, field.key);
        if (!value.isEmpty() && person->valueForProperty(field.property).toString().isEmpty())
            person->setValueForProperty(value, field.property);
    }
}

void stampNote(const PersonPtr &person)
{
    UserDefaults &defaults = UserDefaults::standard();
    if (!defaults.boolForKey(abkeys::importAddNote))
        return;
    const QString stamp = defaults.stringForKey(abkeys::newRecordNote);
    if (stamp.isEmpty())
        return;
    const QString note = person->valueForProperty(kABNoteProperty).toString();
    if (note.isEmpty())
        person->setValueForProperty(stamp, kABNoteProperty);
    else if (!note.contains(stamp))
        person->setValueForProperty(note + u'\r' + stamp, kABNoteProperty);
}

struct AddressSide
{
    // "work" or "home": the record's keys of that side are "workCity", "homeStreet2" and so on.
    const char *prefix;
    const QString &label;
    std::optional<QVariantMap> (*existing)(const PersonPtr &);
    int (*indexOfExisting)(const PersonPtr &);
};

const AddressSide kAddressSides[] = {
    {"work", kABAddressWorkLabel, workAddressForPerson, indexOfWorkAddressForPerson},
    {"home", kABAddressHomeLabel, homeAddressForPerson, indexOfHomeAddressForPerson},
};

struct AddressPart
{
    const char *suffix;
    const QString &addressKey;
};

const AddressPart kAddressParts[] = {
    {"City", kABAddressCityKey},
    {"State", kABAddressStateKey},
    {"Zip", kABAddressZIPKey},
    {"Country", kABAddressCountryKey},
};

// Fills the empty parts of the address from the record's side; true when any part was filled.
bool fillAddress(QVariantMap &address, const QVariantMap &record, const QString &prefix)
{
    bool filled = false;
    const auto fill = [&](const QString &key, const QString &value) {
        if (!value.isEmpty() && address.value(key).toString().isEmpty()) {
            address.insert(key, value);
            filled = true;
        }
    };
    // A second street line alone is no street.
    const QString street = text(record, prefix + QStringLiteral("Street"));
    if (!street.isEmpty())
        fill(kABAddressStreetKey,
             zeltor::googlob(street, text(record, prefix + QStringLiteral("Street2"))));
    for (const AddressPart &part : kAddressParts)
        fill(part.addressKey, text(record, prefix + QLatin1String(part.suffix)));
    return filled;
}

void mergeAddresses(const PersonPtr &person, const QVariantMap &record)
{
    MutableMultiValue addresses =
        editableMultiValue(person, kABAddressProperty, PropertyType::MultiDictionary);
    bool changed = false;
    for (const AddressSide &side : kAddressSides) {
        const QString prefix = QLatin1String(side.prefix);
        const std::optional<QVariantMap> existing = side.existing(person);
        QVariantMap address = existing.value_or(QVariantMap());
        if (!fillAddress(address, record, prefix))
            continue;
        if (existing)
            changed = addresses.replaceValueAt(side.indexOfExisting(person), address) || changed;
        else
            changed = !addresses.addValue(address, side.label).isNull() || changed;
    }
    if (changed)
        setMultiValue(person, addresses, kABAddressProperty);
}

bool hasEntryLabelled(const PersonPtr &person, const QString &property, const QString &label)
{
    return labelledvalues::firstIndexOfLabel(labelledvalues::valuesOf(person, property), label) >=
           0;
}

struct ListField
{
    const char *key;
    const QString &label;
    bool (*personHasOne)(const PersonPtr &);
};

// Work e-mail and other phone are looked for by their own label: the accessors of those kinds
// stand in a home e-mail, or a fax or pager number, for a missing one.
const ListField kPhoneFields[] = {
    {"homePhone", kABPhoneHomeLabel,
     [](const PersonPtr &person) {
         return !homePhoneForPerson(person).isEmpty();
     }},
    {"workPhone", kABPhoneWorkLabel,
     [](const PersonPtr &person) {
         return !workPhoneForPerson(person).isEmpty();
     }},
    {"mobilePhone", kABPhoneMobileLabel,
     [](const PersonPtr &person) {
         return !mobilePhoneForPerson(person).isEmpty();
     }},
    {"otherPhone", kABOtherLabel,
     [](const PersonPtr &person) {
         return hasEntryLabelled(person, kABPhoneProperty, kABOtherLabel);
     }},
};

const ListField kEmailFields[] = {
    {"homeEmail", kABEmailHomeLabel,
     [](const PersonPtr &person) {
         return !homeEmailForPerson(person).isEmpty();
     }},
    {"workEmail", kABEmailWorkLabel,
     [](const PersonPtr &person) {
         return hasEntryLabelled(person, kABEmailProperty, kABEmailWorkLabel);
     }},
};

const ListField kURLFields[] = {
    {"homeURL", kABHomeLabel,
     [](const PersonPtr &person) {
         return !homeURLForPerson(person).isEmpty();
     }},
    {"workURL", kABWorkLabel,
     [](const PersonPtr &person) {
         return !workURLForPerson(person).isEmpty();
     }},
};

template <std::size_t N>
void mergeList(const PersonPtr &person, const QVariantMap &record, const QString &property,
               const ListField (&fields)[N])
{
    MutableMultiValue values = editableMultiValue(person, property, PropertyType::MultiString);
    bool added = false;
    for (const ListField &field : fields) {
        const QString value = text(record, field.key);
        if (!value.isEmpty() && !field.personHasOne(person))
            added = !values.addValue(value, field.label).isNull() || added;
    }
    if (added)
        setMultiValue(person, values, property);
}

} // namespace

void updateOnlyNewDataForABPerson(const PersonPtr &person, const QVariantMap &record)
{
    if (!person)
        return;
    mergeKind(person, record);
    mergeSingleFields(person, record);
    stampNote(person);
    mergeAddresses(person, record);
    mergeList(person, record, kABPhoneProperty, kPhoneFields);
    mergeList(person, record, kABEmailProperty, kEmailFields);
    mergeList(person, record, kABURLsProperty, kURLFields);
}

} // namespace AddressBookTool
