#include "tests/loader/window/dataloadertest.h"

#include "addressbook/fields/personimages.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "google/upload/uploadkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "tests/support/google/uploadbook.h"

#include <QHash>

#include <functional>

namespace {

// What the server holds after the upload, by the record each contact was made from.
struct Account
{
    QHash<QString, GDataEntryContactPtr> contactsByRecord;
    // The titles of the account's own groups, by identifier.
    QHash<QString, QString> groupTitles;
};

QStringList multiValues(const PersonPtr &person, const QString &property)
{
    QStringList values;
    const QVariant value = person->valueForProperty(property);
    if (!variantHoldsMultiValue(value))
        return values;
    const MultiValue multi = multiValueFromVariant(value);
    for (int index = 0; index < multi.count(); ++index)
        values << multi.valueAt(index).toString();
    return values;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// One field of the record and what its contact must hold of it, each side as sorted texts.
struct FieldCase
{
    const char *field;
    std::function<QStringList(const PersonPtr &)> inBook;
    std::function<QStringList(const PersonPtr &, const GDataEntryContact &, const Account &)>
        onGoogle;
};

QString text(const PersonPtr &person, const QString &property)
{
    return person->valueForProperty(property).toString();
}

bool isCompany(const PersonPtr &person)
{
    return (person->valueForProperty(kABPersonFlags).toInt() & kABShowAsMask) == kABShowAsCompany;
}

QStringList nameParts(const PersonPtr &person)
{
    if (isCompany(person))
        return {text(person, kABOrganizationProperty)};
    return sorted({text(person, kABFirstNameProperty), text(person, kABLastNameProperty)});
}

QStringList streets(const PersonPtr &person)
{
    QStringList list;
    const QVariant value = person->valueForProperty(kABAddressProperty);
    const MultiValue multi = multiValueFromVariant(value);
    for (int index = 0; index < multi.count(); ++index) {
        const QVariantMap address = multi.valueAt(index).toMap();
        list << address.value(kABAddressStreetKey).toString() + QStringLiteral(" / ") +
                    address.value(kABAddressCityKey).toString();
    }
    return sorted(list);
}

// The streets and cities of the book that each postal address of the contact holds.
QStringList streetsOnGoogle(const PersonPtr &person, const GDataEntryContact &contact)
{
    QStringList list;
    for (const GDataPostalAddress &address : contact.postalAddresses()) {
        QString found = address.stringValue;
        for (const QString &street : streets(person)) {
            const QStringList parts = street.split(QStringLiteral(" / "));
            if (address.stringValue.contains(parts.at(0)) &&
                address.stringValue.contains(parts.at(1)))
                found = street;
        }
        list << found;
    }
    return sorted(list);
}

QStringList customLabels(const GDataEntryContact &contact)
{
    QStringList labels;
    for (const GDataEmail &email : contact.emailAddresses())
        labels << QStringLiteral("email ") + email.label.value_or(QString());
    for (const GDataPhoneNumber &phone : contact.phoneNumbers())
        labels << QStringLiteral("phone ") + phone.label.value_or(QString());
    for (const GDataPostalAddress &address : contact.postalAddresses())
        labels << QStringLiteral("address ") + address.label.value_or(QString());
    labels.removeIf([](const QString &label) { return !label.endsWith(kUploadBookCustomLabel); });
    return sorted(labels);
}

const FieldCase kFieldCases[] = {
    {"name", nameParts,
     [](const PersonPtr &person, const GDataEntryContact &contact, const Account &) {
         QStringList found;
         for (const QString &part : nameParts(person)) {
             if (contact.title().value_or(QString()).contains(part))
                 found << part;
         }
         return found;
     }},
    {"e-mails",
     [](const PersonPtr &person) { return sorted(multiValues(person, kABEmailProperty)); },
     [](const PersonPtr &, const GDataEntryContact &contact, const Account &) {
         QStringList list;
         for (const GDataEmail &email : contact.emailAddresses())
             list << email.address;
         return sorted(list);
     }},
    {"phones",
     [](const PersonPtr &person) { return sorted(multiValues(person, kABPhoneProperty)); },
     [](const PersonPtr &, const GDataEntryContact &contact, const Account &) {
         QStringList list;
         for (const GDataPhoneNumber &phone : contact.phoneNumbers())
             list << phone.stringValue;
         return sorted(list);
     }},
    {"addresses", streets,
     [](const PersonPtr &person, const GDataEntryContact &contact, const Account &) {
         return streetsOnGoogle(person, contact);
     }},
    {"custom labels",
     [](const PersonPtr &) {
         return sorted({QStringLiteral("address ") + kUploadBookCustomLabel,
                        QStringLiteral("email ") + kUploadBookCustomLabel,
                        QStringLiteral("phone ") + kUploadBookCustomLabel});
     },
     [](const PersonPtr &, const GDataEntryContact &contact, const Account &) {
         return customLabels(contact);
     }},
    {"groups",
     [](const PersonPtr &person) {
         QStringList names;
         for (const GroupPtr &group : AddressBook::shared()->groups()) {
             if (group->members().contains(person))
                 names << group->valueForProperty(kABGroupNameProperty).toString();
         }
         return sorted(names);
     },
     [](const PersonPtr &, const GDataEntryContact &contact, const Account &account) {
         QStringList names;
         for (const GDataGroupMembershipInfo &membership : contact.groupMembershipInfos()) {
             if (account.groupTitles.contains(membership.href))
                 names << account.groupTitles.value(membership.href);
         }
         return sorted(names);
     }},
    {"photo",
     [](const PersonPtr &person) {
         return AddressBookTool::imageDataABForPerson(person).isEmpty()
                    ? QStringList()
                    : QStringList{QStringLiteral("photo")};
     },
     [](const PersonPtr &, const GDataEntryContact &contact, const Account &) {
         const std::optional<GDataLink> photo = contact.photoLink();
         return photo && photo->ETag() ? QStringList{QStringLiteral("photo")} : QStringList();
     }},
};

class UploadContentTest : public DataLoaderTest
{
protected:
    Account account()
    {
        Account held;
        for (const GDataEntryPtr &entry : liveEntries(GDataEntryBase::Kind::Contact)) {
            const auto contact = std::static_pointer_cast<GDataEntryContact>(entry);
            held.contactsByRecord.insert(tolvane::tolvaneABID(*contact), contact);
        }
        for (const GDataEntryPtr &entry : liveEntries(GDataEntryBase::Kind::ContactGroup)) {
            const auto group = std::static_pointer_cast<GDataEntryContactGroup>(entry);
            if (!group->systemGroup())
                held.groupTitles.insert(group->identifier(), group->title().value_or(QString()));
        }
        return held;
    }
};

// Every field of every record, companies and the Me record among them, arrives on Google.
TEST_F(UploadContentTest, EveryFieldOfEveryRecordArrivesOnGoogle)
{
    UserDefaults::standard().setBool(true, googlekeys::gmUpdateSmartGroups);
    UserDefaults::standard().setBool(true, googlekeys::gmUpdatePicture);
    const UploadBook book = makeUploadBook(40);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));

    const Account held = account();
    ASSERT_EQ(held.contactsByRecord.size(), book.people.size());
    QStringList groupTitles = held.groupTitles.values();
    QStringList bookGroups;
    for (const GroupPtr &group : book.allGroups())
        bookGroups << group->valueForProperty(kABGroupNameProperty).toString();
    EXPECT_EQ(sorted(groupTitles), sorted(bookGroups));
    for (const PersonPtr &person : book.people) {
        const GDataEntryContactPtr contact = held.contactsByRecord.value(person->uniqueId());
        ASSERT_TRUE(contact) << person->uniqueId().toStdString();
        for (const FieldCase &field : kFieldCases)
            EXPECT_EQ(field.onGoogle(person, *contact, held), field.inBook(person))
                << field.field << " of record " << book.people.indexOf(person);
    }
}

} // namespace
