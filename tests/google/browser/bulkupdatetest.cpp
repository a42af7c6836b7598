// Find-and-replace over one field of a contact, as a table of cases: each field, letter case,
// filling empty fields, an empty find string and a tag outside the fields.

#include "google/browser/bulkupdate.h"

#include "google/browser/bulkupdatekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <gtest/gtest.h>

namespace {

GDataEntryContactPtr sample()
{
    const GDataEntryContactPtr contact = GDataEntryContact::contactEntryWithTitle("Old Smith");
    contact->setContentWithString(QStringLiteral("old notes"));
    GDataOrganization acme = GDataOrganization::organizationWithName("Old Co");
    acme.orgTitle = QStringLiteral("old boss");
    contact->setOrganizations({acme});
    contact->setEmailAddresses({GDataEmail::emailWithLabel(std::nullopt, "old@old.org"),
                                GDataEmail::emailWithLabel(std::nullopt, "new@x.org")});
    contact->setPhoneNumbers({GDataPhoneNumber::phoneNumberWithString("555 old")});
    contact->setPostalAddresses({GDataPostalAddress::postalAddressWithString("1 Old St")});
    return contact;
}

// The values of the field, in order.
QStringList field(const GDataEntryContact &contact, int tag)
{
    QStringList values;
    switch (tag) {
    case 0:
        return {contact.title().value_or(QString())};
    case 1:
    case 2:
        for (const GDataOrganization &org : contact.organizations())
            values << (tag == 1 ? org.orgName : org.orgTitle).value_or(QString());
        return values;
    case 3:
        for (const GDataEmail &email : contact.emailAddresses())
            values << email.address;
        return values;
    case 4:
        for (const GDataPhoneNumber &phone : contact.phoneNumbers())
            values << phone.stringValue;
        return values;
    case 5:
        for (const GDataPostalAddress &address : contact.postalAddresses())
            values << address.stringValue;
        return values;
    default:
        return {contact.content().value_or(QString())};
    }
}

struct Case
{
    const char *label;
    bulkupdate::Settings settings;
    bool emptyContact;
    bool changed;
    QStringList values;
};

TEST(BulkUpdate, EachFieldAndOption)
{
    const Case cases[] = {
        {"title", {0, "Old", "New", false, false}, false, true, {"New Smith"}},
        {"org name", {1, "Old", "New", false, false}, false, true, {"New Co"}},
        {"job title", {2, "old", "chief", false, false}, false, true, {"chief boss"}},
        {"e-mail: only the matching one, every occurrence", {3, "old", "new", false, false},
         false, true, {"new@new.org", "new@x.org"}},
        {"phone", {4, "old", "123", false, false}, false, true, {"555 123"}},
        {"address", {5, "Old", "New", false, false}, false, true, {"1 New St"}},
        {"notes", {6, "old", "new", false, false}, false, true, {"new notes"}},
        {"case matters", {0, "old", "New", false, false}, false, false, {"Old Smith"}},
        {"ignoring case", {0, "old", "New", true, false}, false, true, {"New Smith"}},
        {"no match", {3, "zzz", "new", false, false}, false, false, {"old@old.org", "new@x.org"}},
        {"empty find string: no value that has text", {3, "", "new", false, true}, false, false,
         {"old@old.org", "new@x.org"}},
        {"empty find string, title", {0, "", "X", false, false}, false, false, {"Old Smith"}},
        {"tag 7", {7, "Old", "New", false, true}, false, false, {"old notes"}},
        {"empty title filled", {0, "", "Fresh", false, true}, true, true, {"Fresh"}},
        {"empty title left", {0, "x", "Fresh", false, false}, true, false, {""}},
        {"missing phone added", {4, "", "555 9", false, true}, true, true, {"555 9"}},
        {"missing phone left", {4, "x", "555 9", false, false}, true, false, {}},
        {"missing org name added", {1, "", "Acme", false, true}, true, true, {"Acme"}},
        {"missing job title added", {2, "", "Boss", false, true}, true, true, {"Boss"}},
        {"missing e-mail added", {3, "", "a@b.org", false, true}, true, true, {"a@b.org"}},
        {"missing address added", {5, "", "2 St", false, true}, true, true, {"2 St"}},
        {"empty notes filled", {6, "", "hello", false, true}, true, true, {"hello"}},
    };
    for (const Case &c : cases) {
        const GDataEntryContactPtr contact =
            c.emptyContact ? std::make_shared<GDataEntryContact>() : sample();
        EXPECT_EQ(bulkupdate::bulkUpdateContact(*contact, c.settings), c.changed) << c.label;
        EXPECT_EQ(field(*contact, c.settings.fieldTag), c.values) << c.label;
    }
}

TEST(BulkUpdate, AddedElements_TakeTheFieldsDefaults)
{
    GDataEntryContact contact;
    ASSERT_TRUE(bulkupdate::bulkUpdateContact(contact, {3, "", "a@b.org", false, true}));
    EXPECT_EQ(contact.emailAddresses()[0].rel, QString::fromLatin1(kGDataContactWork));
    EXPECT_FALSE(contact.emailAddresses()[0].label.has_value());
    ASSERT_TRUE(bulkupdate::bulkUpdateContact(contact, {2, "", "Boss", false, true}));
    EXPECT_EQ(contact.organizations()[0].orgName, QString());
    EXPECT_FALSE(contact.organizations()[0].rel.has_value());
}

TEST(BulkUpdate, FindStringNeverStored_CountsAsEmpty)
{
    UserDefaults &ud = UserDefaults::standard();
    ud.setInteger(0, bulkupdatekeys::bulkFieldTag);
    ud.setString(QStringLiteral("X"), bulkupdatekeys::bulkReplaceString);
    const bulkupdate::Settings settings = bulkupdate::settingsFromPreferences();
    EXPECT_TRUE(settings.find.isEmpty());
    const GDataEntryContactPtr contact = sample();
    EXPECT_FALSE(bulkupdate::bulkUpdateContact(*contact, settings));
    EXPECT_EQ(contact->title(), QStringLiteral("Old Smith"));
}

} // namespace
