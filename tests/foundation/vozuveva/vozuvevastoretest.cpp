#include "foundation/vozuveva/vozuvevastore.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/store/managedobjectcontext.h"
#include "platform/store/managedobjectmodel.h"
#include "platform/store/persistentstore.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class VozuVevaStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto model = std::make_shared<ManagedObjectModel>();
        EntityDescription contact(QStringLiteral("Contact"));
        for (const char *name : {"source",
                                 "sourceID",
                                 "namePrefix",
                                 "nameFirst",
                                 "nameLast",
                                 "nameSuffix",
                                 "nameNickname",
                                 "organizationName",
                                 "organizationDepartment",
                                 "organizationJobTitle",
                                 "phoneWork",
                                 "phoneFax",
                                 "phoneMobile",
                                 "email",
                                 "url",
                                 "address1",
                                 "address2",
                                 "city",
                                 "state",
                                 "postalCode",
                                 "country"})
            contact.addAttribute({QString::fromLatin1(name), AttributeType::String});
        contact.addAttribute({QStringLiteral("zip"),
                              AttributeType::String,
                              true,
                              false,
                              false,
                              {{QStringLiteral("label"), QStringLiteral("Postal")}}});
        contact.addAttribute({QStringLiteral("town"),
                              AttributeType::String,
                              true,
                              false,
                              false,
                              {{QStringLiteral("label"), QStringLiteral("city")}}});
        contact.addAttribute({QStringLiteral("born"),
                              AttributeType::Date,
                              true,
                              false,
                              false,
                              {{QStringLiteral("label"), QStringLiteral("Born")}}});
        model->addEntity(std::move(contact));
        ASSERT_TRUE(m_dir.isValid());
        m_context = std::make_unique<ManagedObjectContext>(
            PersistentStore::open(m_dir.filePath(QStringLiteral("t.sql")), model, nullptr));
        m_person = Person::create();
    }

    void setPhones(const QList<std::pair<QString, QString>> &phones)
    {
        MutableMultiValue values(PropertyType::MultiString);
        for (const auto &[label, number] : phones)
            values.addValue(number, label);
        m_person->setValueForProperty(QVariant::fromValue<MultiValue>(values), kABPhoneProperty);
    }

    void setAddresses(const QList<std::pair<QString, QVariantMap>> &addresses)
    {
        MutableMultiValue values(PropertyType::MultiDictionary);
        for (const auto &[label, address] : addresses)
            values.addValue(address, label);
        m_person->setValueForProperty(QVariant::fromValue<MultiValue>(values), kABAddressProperty);
    }

    ManagedObject *assign()
    {
        return VozuVeva::assignPerson(*m_person, QStringLiteral("Contact"), *m_context);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ManagedObjectContext> m_context;
    PersonPtr m_person;
};

TEST_F(VozuVevaStoreTest, UserInfoLookups_ReadTheEntryAcrossTheAttributes)
{
    const QString label = QStringLiteral("label");
    const QString entity = QStringLiteral("Contact");
    EXPECT_EQ(VozuVeva::userInfoValuesForUserInfoKey(label, entity, *m_context),
              (QStringList{"Born", "city", "Postal"}));
    EXPECT_EQ(
        VozuVeva::userInfoValueForUserInfoKey(label, QStringLiteral("zip"), entity, *m_context),
        QVariant(QStringLiteral("Postal")));
    EXPECT_EQ(
        VozuVeva::attributeNameWithUserInfoValue(QStringLiteral("city"), label, entity, *m_context),
        QStringLiteral("town"));
    EXPECT_EQ(
        VozuVeva::attributeNameUserInfoValueDictionaryForUserInfoKey(label, entity, *m_context)
            .value(QStringLiteral("Born")),
        QVariant(QStringLiteral("born")));
    const QVariantMap dicts = VozuVeva::attrDictsForUserInfoKey(label, entity, *m_context);
    EXPECT_EQ(dicts.value(QStringLiteral("born")).toMap().value(QStringLiteral("AttrType")),
              QVariant(QStringLiteral("QDateTime")));
    EXPECT_EQ(dicts.value(QStringLiteral("Postal")).toMap().value(QStringLiteral("AttrName")),
              QVariant(QStringLiteral("zip")));
    EXPECT_TRUE(VozuVeva::userInfoValuesForUserInfoKey(label, QStringLiteral("None"), *m_context)
                    .isEmpty());
    EXPECT_TRUE(
        VozuVeva::attributeNameWithUserInfoValue(QStringLiteral("x"), label, entity, *m_context)
            .isNull());
}

TEST_F(VozuVevaStoreTest, AssignPerson_OrganizationFallsBackThroughTheNames)
{
    EXPECT_EQ(assign()->stringValue(QStringLiteral("organizationName")),
              QStringLiteral("My Company"));
    m_person->setValueForProperty(QStringLiteral("Lovelace"), kABLastNameProperty);
    ManagedObject *object = assign();
    EXPECT_EQ(object->stringValue(QStringLiteral("organizationName")), QStringLiteral("Lovelace"));
    EXPECT_EQ(object->stringValue(QStringLiteral("source")), QStringLiteral("AddressBook"));
    EXPECT_EQ(object->stringValue(QStringLiteral("sourceID")), m_person->uniqueId());
    m_person->setValueForProperty(QStringLiteral("Ada"), kABFirstNameProperty);
    EXPECT_EQ(assign()->stringValue(QStringLiteral("organizationName")),
              QStringLiteral("Ada Lovelace"));
}

TEST_F(VozuVevaStoreTest, AssignPerson_PhonesByLabelReducedToDigits)
{
    setPhones({{kABPhoneWorkLabel, QStringLiteral("(555) 111-1111")},
               {kABPhoneMainLabel, QStringLiteral("(555) 222-2222")},
               {kABPhoneWorkLabel, QStringLiteral("555 333 3333")},
               {kABPhoneMobileLabel, QStringLiteral("--")}});
    ManagedObject *object = assign();
    EXPECT_EQ(object->stringValue(QStringLiteral("phoneWork")), QStringLiteral("5552222222"));
    EXPECT_TRUE(object->value(QStringLiteral("phoneMobile")).isNull());
}

TEST_F(VozuVevaStoreTest, AssignPerson_AddressOnlyWhenOneOrLabelledWork)
{
    const QVariantMap home{{kABAddressStreetKey, QStringLiteral("1 Home Rd\r\nFlat 2")},
                           {kABAddressCityKey, QStringLiteral("Bath")}};
    setAddresses({{kABAddressHomeLabel, home}});
    ManagedObject *object = assign();
    EXPECT_EQ(object->stringValue(QStringLiteral("address1")), QStringLiteral("1 Home Rd"));
    EXPECT_EQ(object->stringValue(QStringLiteral("address2")), QStringLiteral("Flat 2"));
    EXPECT_EQ(object->stringValue(QStringLiteral("city")), QStringLiteral("Bath"));

    setAddresses({{kABAddressHomeLabel, home}, {kABOtherLabel, home}});
    object = assign();
    EXPECT_TRUE(object->value(QStringLiteral("address1")).isNull());
    EXPECT_TRUE(object->value(QStringLiteral("city")).isNull());
}

TEST_F(VozuVevaStoreTest, AssignPerson_AnnouncesEachFieldAroundItsWrite)
{
    m_person->setValueForProperty(QStringLiteral("Lovelace"), kABLastNameProperty);
    setPhones({{kABPhoneMobileLabel, QStringLiteral("555 0100")}});
    QStringList heard;
    m_context->addChangeObserver([&heard](const ChangeNotice &notice) {
        const QVariant now = notice.object->value(notice.key);
        heard.append((notice.prior ? QStringLiteral("will ") : QStringLiteral("did ")) +
                     notice.key + (now.isNull() ? QString() : u'=' + now.toString()));
    });
    ManagedObject *object = assign();
    heard = heard.filter(QRegularExpression(QStringLiteral("source|nameLast|organizationName|"
                                                           "phoneMobile")));
    EXPECT_EQ(heard, QStringList({"will source", "did source=AddressBook", "will sourceID",
                                  "did sourceID=" + object->stringValue("sourceID"),
                                  "will nameLast", "did nameLast=Lovelace", "will organizationName",
                                  "did organizationName=Lovelace", "will phoneMobile",
                                  "did phoneMobile=5550100"}));
}

} // namespace
