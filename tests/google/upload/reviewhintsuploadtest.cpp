// The review's hints in the program's property survive an upload of the same person: a changed
// phone goes up, the reviewed name and address stay, and a download into an empty book brings the
// reviewed split back. A hint whose field the address book changed goes.

#include "tests/support/google/downloadroad.h"
#include "tests/support/google/uploadservertest.h"

#include "addressbook/addressbookkeys.h"
#include "google/engine/googlekeys.h"
#include "google/entries/datamask.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"

#include <gtest/gtest.h>

namespace {

class ReviewHintsUploadTest : public UploadServerTest
{
protected:
    void SetUp() override
    {
        UploadServerTest::SetUp();
        ASSERT_TRUE(downloadroad::emptyBook());
        downloadroad::useDownloadOptions();
        for (const QString &key : {googlekeys::gmUpdatePhone, googlekeys::gmUpdatePostal})
            UserDefaults::standard().setBool(true, key);
        datamask::setGoogleDataMask();
    }

    static void setMulti(const PersonPtr &person, const QString &property, PropertyType type,
                         const QVariant &value, const QString &label)
    {
        MutableMultiValue multi(type);
        multi.setPrimaryIdentifier(multi.addValue(value, label));
        person->setValueForProperty(QVariant::fromValue(MultiValue(multi)), property);
    }

    static QVariantMap address(const QString &city)
    {
        return {{kABAddressStreetKey, QStringLiteral("1 Main St")},
                {kABAddressCityKey, city},
                {kABAddressStateKey, QStringLiteral("IL")},
                {kABAddressZIPKey, QStringLiteral("62701")}};
    }

    GDataEntryContactPtr onlyContact() const
    {
        return engine->contactArray().size() == 1 ? engine->contactArray().front() : nullptr;
    }

    template <typename Rows, typename Send> void review(const Rows &rows, Send send)
    {
        bool done = false;
        (engine.get()->*send)(rows, [&](const GoogleContactTool::ReviewSendOutcome &outcome) {
            EXPECT_EQ(outcome.acceptedIDs.size(), 1);
            done = true;
        });
        ASSERT_TRUE(runUntil([&] { return done; }));
        refetch();
    }

    // Reviews the name as "Mary Ann" "Lee" and the address as the book holds it.
    void reviewNameAndAddress()
    {
        const GDataEntryContactPtr contact = onlyContact();
        ASSERT_TRUE(contact);
        ASSERT_EQ(contact->postalAddresses().size(), 1u);
        NameReviewRow name;
        name.gID = contact->identifier();
        name.aFirst = QStringLiteral("Mary Ann");
        name.aLast = QStringLiteral("Lee");
        name.delta = true;
        review(QList<NameReviewRow>{name}, &GoogleContactTool::updateContactNameExProps);
        AddressReviewRow address;
        address.gID = contact->identifier();
        address.thisLabel = localizedPropertyOrLabel(kABHomeLabel);
        address.gAddrText = onlyContact()->postalAddresses().front().stringValue;
        address.aLine1 = QStringLiteral("1 Main St");
        address.aCity = QStringLiteral("Springfield");
        address.aState = QStringLiteral("IL");
        address.aPostal = QStringLiteral("62701");
        address.delta = true;
        review(QList<AddressReviewRow>{address}, &GoogleContactTool::updateContactAddressExProps);
    }

    QStringList hintElements() const
    {
        QStringList names;
        const QString property =
            UserDefaults::standard().stringForKey(abkeys::googleContactExtendedPropertyName);
        for (const GDataExtendedProperty &p : onlyContact()->extendedProperties()) {
            if (p.name() != property)
                continue;
            for (const auto &[element, value] : p.XMLValues()) {
                if (element == QLatin1String("aNH") ||
                    element.startsWith(QLatin1String("address-")))
                    names << element;
            }
        }
        return names;
    }

    PersonPtr downloadedPerson()
    {
        EXPECT_TRUE(downloadroad::emptyBook());
        const std::unique_ptr<OfferingEngine> fresh = makeEngine();
        EXPECT_TRUE(logIn(*fresh));
        EXPECT_TRUE(downloadroad::downloadIntoAddressBook(*fresh));
        for (const PersonPtr &person : AddressBook::shared()->people()) {
            if (person != AddressBook::shared()->me())
                return person;
        }
        return nullptr;
    }
};

TEST_F(ReviewHintsUploadTest, AnUploadKeepsTheHintsAndADownloadBringsTheReviewedSplitBack)
{
    const PersonPtr mary = addPerson(QStringLiteral("Mary Ann"), QStringLiteral("Lee"));
    setMulti(mary, kABAddressProperty, PropertyType::MultiDictionary,
             address(QStringLiteral("Springfield")), kABAddressHomeLabel);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(uploadPeople({mary}));
    refetch();
    reviewNameAndAddress();
    ASSERT_EQ(hintElements().size(), 2);

    waitBeforeEditing(mary);
    setMulti(mary, kABPhoneProperty, PropertyType::MultiString, QStringLiteral("555 0101"),
             kABPhoneMobileLabel);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(uploadPeople({mary}));
    refetch();

    EXPECT_EQ(hintElements().size(), 2);
    const PersonPtr back = downloadedPerson();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->valueForProperty(kABFirstNameProperty).toString(), "Mary Ann");
    EXPECT_EQ(back->valueForProperty(kABLastNameProperty).toString(), "Lee");
    const MultiValue addresses = back->multiValueForProperty(kABAddressProperty);
    ASSERT_EQ(addresses.count(), 1);
    EXPECT_EQ(addresses.valueAt(0).toMap().value(kABAddressCityKey).toString(), "Springfield");
}

TEST_F(ReviewHintsUploadTest, AHintGoesOnceTheBookChangedItsField)
{
    const PersonPtr mary = addPerson(QStringLiteral("Mary Ann"), QStringLiteral("Lee"));
    setMulti(mary, kABAddressProperty, PropertyType::MultiDictionary,
             address(QStringLiteral("Springfield")), kABAddressHomeLabel);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(uploadPeople({mary}));
    refetch();
    reviewNameAndAddress();

    waitBeforeEditing(mary);
    mary->setValueForProperty(QStringLiteral("Marianne"), kABFirstNameProperty);
    setMulti(mary, kABAddressProperty, PropertyType::MultiDictionary,
             address(QStringLiteral("Shelbyville")), kABAddressHomeLabel);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(uploadPeople({mary}));
    refetch();

    EXPECT_TRUE(hintElements().isEmpty());
    const PersonPtr back = downloadedPerson();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->valueForProperty(kABFirstNameProperty).toString(), "Marianne");
    const MultiValue addresses = back->multiValueForProperty(kABAddressProperty);
    ASSERT_EQ(addresses.count(), 1);
    EXPECT_EQ(addresses.valueAt(0).toMap().value(kABAddressCityKey).toString(), "Shelbyville");
}

} // namespace
