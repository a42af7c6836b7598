#include "addressbook/fields/namedfield.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/multivalueediting.h"
#include "addressbook/keywordstag.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "foundation/log.h"
#include "foundation/text/textconversion.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"

#include <functional>
#include <optional>

namespace AddressBookTool {

namespace {

const QString kClass = QStringLiteral("AddressBookTool");
const QString kOperation = QStringLiteral("setString:forField:forABID:");

struct TextField
{
    const char *key;
    const QString &property;
};

const TextField kTextFields[] = {
    {"firstName", kABFirstNameProperty}, {"lastName", kABLastNameProperty},
    {"nickName", kABNicknameProperty},   {"prefix", kABTitleProperty},
    {"suffix", kABSuffixProperty},       {"orgName", kABOrganizationProperty},
    {"jobTitle", kABJobTitleProperty},   {"department", kABDepartmentProperty},
};

const QString kBirthdayField = QStringLiteral("birthday");
const QString kKeywordsField = QStringLiteral("keyStr");

struct ListField
{
    const char *key;
    const QString &property;
    const QString &homeLabel;
    const QString &workLabel;
};

const ListField kListFields[] = {
    {"phone", kABPhoneProperty, kABPhoneHomeLabel, kABPhoneWorkLabel},
    {"url", kABURLsProperty, kABHomePageLabel, kABHomePageLabel},
    {"email", kABEmailProperty, kABEmailHomeLabel, kABEmailWorkLabel},
};

struct AddressField
{
    const char *key;
    const QString &addressKey;
};

const AddressField kAddressFields[] = {
    {"city", kABAddressCityKey},
    {"state", kABAddressStateKey},
    {"zip", kABAddressZIPKey},
    {"country", kABAddressCountryKey},
};

template <typename Field, std::size_t N>
const Field *fieldNamed(const Field (&fields)[N], const QString &key)
{
    for (const Field &field : fields) {
        if (key == QLatin1String(field.key))
            return &field;
    }
    return nullptr;
}

bool labelsHome()
{
    return UserDefaults::standard().integerForKey(abkeys::abLabel) == 1;
}

// Replaces the primary value with what `edit` makes of it, or adds what `edit` makes of nothing
// as the new primary value. Sets nothing when the list refuses an edit.
bool editPrimaryValue(const PersonPtr &person, const QString &property, PropertyType type,
                      const QString &label, const std::function<QVariant(const QVariant &)> &edit)
{
    MutableMultiValue values = editableMultiValue(person, property, type);
    const int primary = values.indexForIdentifier(values.primaryIdentifier());
    if (primary >= 0) {
        if (!values.replaceValueAt(primary, edit(values.valueAt(primary))))
            return false;
    } else {
        const QString identifier = values.addValue(edit(QVariant()), label);
        if (identifier.isNull() || !values.setPrimaryIdentifier(identifier))
            return false;
    }
    return setMultiValue(person, values, property);
}

// The edit of the field, or nullopt for a key that names no field.
std::optional<bool> setField(const PersonPtr &person, const QString &text, const QString &field)
{
    if (const TextField *simple = fieldNamed(kTextFields, field))
        return person->setValueForProperty(text, simple->property);
    if (field == kBirthdayField) {
        const QDate birthday = zeltor::stringToDate(text);
        if (!birthday.isValid()) {
            tlog::message(kClass, kOperation,
                          QStringLiteral("Birthday \"%1\" is no date; nothing changed").arg(text));
            return false;
        }
        return person->setValueForProperty(birthday, kABBirthdayProperty);
    }
    if (field == kKeywordsField) {
        const QString note = person->valueForProperty(kABNoteProperty).toString();
        return person->setValueForProperty(
            noteWithKeywordsTag(note, keywordsMetaTag(keywordList(text))), kABNoteProperty);
    }
    if (const ListField *list = fieldNamed(kListFields, field)) {
        return editPrimaryValue(person, list->property, PropertyType::MultiString,
                                labelsHome() ? list->homeLabel : list->workLabel,
                                [&text](const QVariant &) { return QVariant(text); });
    }
    if (const AddressField *part = fieldNamed(kAddressFields, field)) {
        return editPrimaryValue(person, kABAddressProperty, PropertyType::MultiDictionary,
                                labelsHome() ? kABAddressHomeLabel : kABAddressWorkLabel,
                                [&text, part](const QVariant &address) {
                                    QVariantMap edited = address.toMap();
                                    edited.insert(part->addressKey, text);
                                    return QVariant(edited);
                                });
    }
    return std::nullopt;
}

} // namespace

bool setString(const QString &text, const QString &field, const QString &abid)
{
    const PersonPtr person = personByABID(abid);
    if (!person) {
        tlog::message(kClass, kOperation, QStringLiteral("No person with ABID %1").arg(abid));
        return false;
    }
    const std::optional<bool> edited = setField(person, text, field);
    if (!edited) {
        tlog::message(kClass, kOperation, QStringLiteral("Unknown field %1").arg(field));
        return false;
    }
    return *edited && abSave();
}

} // namespace AddressBookTool
