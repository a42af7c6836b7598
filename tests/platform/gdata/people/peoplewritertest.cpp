// Entry objects back to People JSON: keys this layer does not model survive an update, rebuilt
// lists inherit them by value, hidden memberships and clientData come back, and the modelled
// fields are written in Google's types.

#include "platform/gdata/people/peoplewriter.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/people/peoplereader.h"
#include "tests/platform/gdata/people/peopletestjson.h"
#include "tests/support/logcapture.h"

namespace {

GDataEntryContactPtr readPerson(const QJsonObject &person,
                                const PeopleProjection &projection = PeopleProjection::full())
{
    auto entry = peoplereader::contactFromPerson(person, kTestAPI, projection);
    EXPECT_TRUE(entry.has_value());
    return entry.value_or(std::make_shared<GDataEntryContact>());
}

QJsonObject written(const GDataEntryContact &entry)
{
    return peoplewriter::personFromContact(entry, kTestAPI);
}

const char kRichPerson[] = R"({
    "resourceName": "people/c9", "etag": "e1",
    "names": [{"unstructuredName": "Anna Berg", "givenName": "Anna", "familyName": "Berg",
               "metadata": {"source": {"type": "CONTACT", "id": "9"}}}],
    "biographies": [{"value": "Note", "contentType": "TEXT_PLAIN", "metadata": {"x": 1}}],
    "emailAddresses": [{"value": "a@x.example", "type": "home", "displayName": "Anna B",
                        "metadata": {"primary": true, "sourcePrimary": true}},
                       {"value": "b@x.example", "type": "work"}],
    "phoneNumbers": [{"value": "555-0100", "type": "mobile", "canonicalForm": "+15550100"}],
    "addresses": [{"formattedValue": "1 Main St\nSpringfield", "type": "home",
                   "streetAddress": "1 Main St", "city": "Springfield", "poBox": "12"}],
    "imClients": [{"username": "anna", "protocol": "skype", "formattedProtocol": "Skype"}],
    "organizations": [{"name": "Acme", "title": "Boss", "type": "work",
                       "department": "Sales", "symbol": "ACME"}],
    "memberships": [
        {"contactGroupMembership": {"contactGroupResourceName": "contactGroups/myContacts"}},
        {"contactGroupMembership": {"contactGroupResourceName": "contactGroups/starred"}},
        {"contactGroupMembership": {"contactGroupResourceName": "contactGroups/family"}},
        {"contactGroupMembership": {"contactGroupResourceName": "contactGroups/u1"}},
        {"contactGroupMembership": {"contactGroupResourceName": "contactGroups/x/y"}}],
    "clientData": [{"key": "gdx:tolvane", "value": "{\"c\":[[\"aID\",\"A:ABPerson\"]]}"},
                   {"key": "other.app", "value": "keep me", "metadata": {"source": {}}}],
    "birthdays": [{"date": {"month": 1, "day": 2}}],
    "photos": [{"url": "https://lh3.example/p", "metadata": {"source": {"type": "CONTACT"}}}],
    "metadata": {"sources": [{"type": "CONTACT", "updateTime": "2024-01-01T00:00:00Z"}]}
})";

TEST(PeopleWriterTest, UnchangedEntry_WritesEveryMaskFieldAsRead)
{
    const QJsonObject person = jsonObject(kRichPerson);
    const QJsonObject out = written(*readPerson(person));
    for (const char *field : {"names", "biographies", "emailAddresses", "phoneNumbers", "addresses",
                              "imClients", "organizations", "clientData"})
        EXPECT_JSON_EQ(out.value(QLatin1String(field)), person.value(QLatin1String(field)))
            << field;
    // Memberships are a set: the hidden ones come back after the shown ones.
    const auto sortedTexts = [](const QJsonValue &list) {
        QStringList texts;
        for (const QJsonValue &item : list.toArray())
            texts.append(jsonText(item));
        texts.sort();
        return texts;
    };
    EXPECT_EQ(sortedTexts(out.value("memberships")), sortedTexts(person.value("memberships")));
    EXPECT_EQ(out.value("resourceName").toString(), QStringLiteral("people/c9"));
    EXPECT_EQ(out.value("etag").toString(), QStringLiteral("e1"));
    // Outside the update mask: never sent, so Google keeps them.
    for (const char *field : {"birthdays", "photos", "metadata"})
        EXPECT_FALSE(out.contains(QLatin1String(field))) << field;
}

// A list page's entries keep their read JSON as slices of the page's text: whatever way the
// text is written, an entry read from a page writes back as the same person read on its own.
TEST(PeopleWriterTest, EntryOfAPage_WritesBackAsThePersonReadOnItsOwn)
{
    const QByteArray rich(kRichPerson);
    const QByteArray compact =
        QJsonDocument(jsonObject(kRichPerson)).toJson(QJsonDocument::Compact);
    struct Case
    {
        const char *label;
        QByteArray person;
    };
    const Case cases[] = {
        {"indented", rich},
        {"compact", compact},
        {"brackets and quotes inside strings",
         R"({"resourceName": "people/c1", "names": [{"unstructuredName": "A \"]}\" [{ \\"}],
             "emailAddresses": [{"value": "x]@y.example", "displayName": "}\"\\", "type": "home"},
                                {"value": "\u00e9@y.example", "note": [1, {"a": "]"}]}]})"},
        {"a list key written twice",
         R"({"resourceName": "people/c2",
             "emailAddresses": [{"value": "first@y.example", "extra": 1}],
             "emailAddresses": [{"value": "second@y.example", "extra": 2}]})"},
        {"a list key written with an escape",
         R"({"resourceName": "people/c3",
             "email\u0041ddresses": [{"value": "a@y.example", "extra": true}],
             "phoneNumbers": [ {"value": "1", "extra": null} , {"value": "2", "extra": -1.5e3} ]})"},
        {"empty and odd lists",
         R"({"resourceName": "people/c4", "emailAddresses": [], "phoneNumbers": {},
             "clientData": [{"key": "k", "value": "v", "more": [[], {}]}]})"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const QByteArray page = "{\n  \"connections\" : [ " + compact + " ,\n" + c.person +
                                " ],\n  \"totalItems\": 2 }";
        const auto read =
            peoplereader::readConnectionsPage(page, kTestAPI, PeopleProjection::full());
        ASSERT_TRUE(read.has_value());
        ASSERT_EQ(read->entries.size(), 2u);
        const QJsonObject alone = jsonObject(c.person.constData());
        EXPECT_JSON_EQ(written(*read->entries[1]), written(*readPerson(alone)));
        EXPECT_JSON_EQ(written(*read->entries[0]), written(*readPerson(jsonObject(kRichPerson))));
    }
}

TEST(PeopleWriterTest, ChangedTitle_GoesUpAloneWhileUnchangedOneKeepsItsParts)
{
    auto entry = readPerson(jsonObject(kRichPerson));
    entry->setTitle(QStringLiteral("Anna Lind"));
    EXPECT_JSON_EQ(written(*entry).value("names"),
                   (QJsonArray{QJsonObject{{"unstructuredName", "Anna Lind"}}}));
    entry->setTitle(QStringLiteral(""));
    EXPECT_JSON_EQ(written(*entry).value("names"), QJsonArray());
    entry->setTitle(std::nullopt);
    EXPECT_JSON_EQ(written(*entry).value("names"), QJsonArray());
}

TEST(PeopleWriterTest, ChangedAddressText_DropsTheStructuredParts)
{
    auto entry = readPerson(jsonObject(kRichPerson));
    auto addresses = entry->postalAddresses();
    addresses[0].stringValue = QStringLiteral("2 Elm St\nShelbyville");
    entry->setPostalAddresses(addresses);
    EXPECT_JSON_EQ(
        written(*entry).value("addresses"),
        (QJsonArray{QJsonObject{{"formattedValue", "2 Elm St\nShelbyville"}, {"type", "home"}}}));
}

TEST(PeopleWriterTest, RebuiltEmailList_OldElementOfSameValueGivesItsExtraKeys)
{
    auto entry = readPerson(jsonObject(kRichPerson));
    // The layers above replace the list with values made anew.
    entry->setEmailAddresses(
        {GDataEmail{QStringLiteral("new@x.example"), QString(kGDataContactOther), std::nullopt,
                    false},
         GDataEmail{QStringLiteral("a@x.example"), QString(kGDataContactWork), std::nullopt, true},
         GDataEmail{QStringLiteral("a@x.example"), std::nullopt, QStringLiteral("Second"), false}});
    const QJsonArray emails = written(*entry).value("emailAddresses").toArray();
    ASSERT_EQ(emails.size(), 3);
    EXPECT_JSON_EQ(emails[0].toObject(),
                   (QJsonObject{{"value", "new@x.example"}, {"type", "other"}}));
    EXPECT_JSON_EQ(
        emails[1].toObject(),
        (QJsonObject{{"value", "a@x.example"},
                     {"type", "work"},
                     {"displayName", "Anna B"},
                     {"metadata", QJsonObject{{"primary", true}, {"sourcePrimary", true}}}}));
    // Each old element gives its keys once.
    EXPECT_JSON_EQ(emails[2].toObject(),
                   (QJsonObject{{"value", "a@x.example"}, {"type", "Second"}}));
}

TEST(PeopleWriterTest, RebuiltEmailBeforeTheReadOne_DoesNotTakeItsKeysToo)
{
    auto entry = readPerson(jsonObject(kRichPerson));
    std::vector<GDataEmail> emails = entry->emailAddresses();
    emails.insert(emails.begin(), GDataEmail{QStringLiteral("a@x.example"), std::nullopt,
                                             QStringLiteral("Copy"), false});
    entry->setEmailAddresses(emails);
    const QJsonArray out = written(*entry).value("emailAddresses").toArray();
    ASSERT_EQ(out.size(), 3);
    EXPECT_JSON_EQ(out[0], (QJsonObject{{"value", "a@x.example"}, {"type", "Copy"}}));
    EXPECT_EQ(out[1].toObject().value("displayName").toString(), QStringLiteral("Anna B"));
}

TEST(PeopleWriterTest, CopiedEntry_CarriesTheReadJSONWithIt)
{
    const QJsonObject person = jsonObject(kRichPerson);
    GDataEntryPtr copy;
    {
        const auto entry = readPerson(person, PeopleProjection::thin());
        copy = entry->copy();
    }
    const QJsonObject out = written(static_cast<const GDataEntryContact &>(*copy));
    EXPECT_JSON_EQ(out.value("phoneNumbers"), person.value("phoneNumbers"));
    EXPECT_JSON_EQ(out.value("clientData"), person.value("clientData"));
}

TEST(PeopleWriterTest, Primary_WritesSourcePrimaryAndKeepsTheRestOfTheMetadata)
{
    auto entry = readPerson(jsonObject(kRichPerson));
    auto emails = entry->emailAddresses();
    emails[0].primary = false;
    emails[1].primary = true;
    entry->setEmailAddresses(emails);
    const QJsonArray out = written(*entry).value("emailAddresses").toArray();
    EXPECT_JSON_EQ(out[0].toObject().value("metadata").toObject(),
                   (QJsonObject{{"primary", true}}));
    EXPECT_JSON_EQ(out[1].toObject().value("metadata").toObject(),
                   (QJsonObject{{"sourcePrimary", true}}));
}

TEST(PeopleWriterTest, Memberships_HiddenGroupsKeptRemovedOnesGoneNewOnesAdded)
{
    auto entry = readPerson(jsonObject(kRichPerson));
    entry->setGroupMembershipInfos(
        {GDataGroupMembershipInfo{identifierOf("contactGroups/myContacts"), false},
         GDataGroupMembershipInfo{identifierOf("contactGroups/u2"), false},
         GDataGroupMembershipInfo{identifierOf("contactGroups/u3"), true}});
    QStringList groups;
    for (const QJsonValue &item : written(*entry).value("memberships").toArray())
        groups.append(item.toObject()
                          .value("contactGroupMembership")
                          .toObject()
                          .value("contactGroupResourceName")
                          .toString());
    EXPECT_EQ(groups,
              (QStringList{"contactGroups/myContacts", "contactGroups/u2", "contactGroups/starred",
                           "contactGroups/family", "contactGroups/x/y"}));
}

struct ProjectionWriteCase
{
    PeopleProjection projection;
    QStringList keys;
};

class PeopleWriterProjectionTest : public ::testing::TestWithParam<ProjectionWriteCase>
{
};

TEST_P(PeopleWriterProjectionTest, ClientData_WriteMergesWhatTheProjectionHid)
{
    auto entry = readPerson(jsonObject(kRichPerson), GetParam().projection);
    // The layers above replace the program's property, and add one, through what they see.
    std::vector<GDataExtendedProperty> properties;
    for (GDataExtendedProperty property : entry->extendedProperties()) {
        if (property.name() == QStringLiteral("tolvane"))
            property.setXMLValue(QStringLiteral("B:ABPerson"), QStringLiteral("aID"));
        properties.push_back(property);
    }
    properties.push_back(GDataExtendedProperty::propertyWithName(QStringLiteral("added"), "1"));
    entry->setExtendedProperties(properties);
    QStringList keys;
    QJsonObject other;
    for (const QJsonValue &item : written(*entry).value("clientData").toArray()) {
        keys.append(item.toObject().value("key").toString());
        if (keys.last() == QStringLiteral("other.app"))
            other = item.toObject();
    }
    EXPECT_EQ(keys, GetParam().keys);
    // Another client's item goes back exactly as it was read, whoever could see it.
    EXPECT_JSON_EQ(other, jsonObject(kRichPerson).value("clientData").toArray()[1].toObject());
}

INSTANTIATE_TEST_SUITE_P(
    Projections, PeopleWriterProjectionTest,
    ::testing::Values(
        ProjectionWriteCase{PeopleProjection::full(), {"gdx:tolvane", "other.app", "gdx:added"}},
        ProjectionWriteCase{PeopleProjection::thin(), {"gdx:tolvane", "other.app", "gdx:added"}},
        ProjectionWriteCase{PeopleProjection::property("tolvane"),
                            {"other.app", "gdx:tolvane", "gdx:added"}}));

TEST(PeopleWriterTest, ClientData_RemovedVisiblePropertyIsGoneHiddenOnesStay)
{
    auto entry = readPerson(jsonObject(kRichPerson), PeopleProjection::property("tolvane"));
    entry->setExtendedProperties({});
    EXPECT_JSON_EQ(written(*entry).value("clientData"),
                   (QJsonArray{jsonObject(kRichPerson).value("clientData").toArray()[1]}));
}

struct EncodingCase
{
    GDataExtendedProperty property;
    QJsonObject item;
};

GDataExtendedProperty propertyWith(const std::optional<QString> &value,
                                   std::vector<GDataExtendedProperty::XMLValue> children)
{
    auto property = GDataExtendedProperty::propertyWithName(QStringLiteral("p"), value);
    property.setXMLValues(std::move(children));
    return property;
}

class PeopleWriterEncodingTest : public ::testing::TestWithParam<EncodingCase>
{
};

TEST_P(PeopleWriterEncodingTest, OwnProperty_EncodedAsValueAndChildrenInOrder)
{
    GDataEntryContact entry;
    entry.setExtendedProperties({GetParam().property});
    const QJsonArray items = written(entry).value("clientData").toArray();
    ASSERT_EQ(items.size(), 1);
    const QJsonObject item = items[0].toObject();
    EXPECT_JSON_EQ(item.value("key"), GetParam().item.value("key"));
    // The value is JSON text; compare what it holds, not its key order.
    EXPECT_JSON_EQ(
        QJsonDocument::fromJson(item.value("value").toString().toUtf8()).object(),
        QJsonDocument::fromJson(GetParam().item.value("value").toString().toUtf8()).object());
    // Read back, it is the same property.
    const auto again = peoplereader::contactFromPerson(
        QJsonObject{{"resourceName", "people/c1"}, {"clientData", items}}, kTestAPI,
        PeopleProjection::full());
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ((*again)->extendedProperties()[0], GetParam().property);
}

TEST_P(PeopleWriterEncodingTest, OwnProperty_ValueTextIsWhatTheJSONWriterMakes)
{
    // The text sent is compared as it is: a quicker way of writing it must not change a byte.
    GDataEntryContact entry;
    entry.setExtendedProperties({GetParam().property});
    const QJsonArray items = written(entry).value("clientData").toArray();
    ASSERT_EQ(items.size(), 1);
    const QJsonObject expected =
        QJsonDocument::fromJson(GetParam().item.value("value").toString().toUtf8()).object();
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(items[0].toObject().value("value").toString(),
              QString::fromUtf8(QJsonDocument(expected).toJson(QJsonDocument::Compact)));
}

INSTANTIATE_TEST_SUITE_P(
    Properties, PeopleWriterEncodingTest,
    ::testing::Values(
        EncodingCase{propertyWith(std::nullopt, {{"aID", "X:ABPerson"}, {"d", "2024"}}),
                     QJsonObject{{"key", "gdx:p"},
                                 {"value", R"({"c":[["aID","X:ABPerson"],["d","2024"]]})"}}},
        EncodingCase{propertyWith(QStringLiteral("v1"), {}),
                     QJsonObject{{"key", "gdx:p"}, {"value", R"({"v":"v1","c":[]})"}}},
        // Texts pre-escaped in memory keep their form.
        EncodingCase{propertyWith(QStringLiteral(""), {{"n", "a &amp; b"}, {"n", "\r\n"}}),
                     QJsonObject{{"key", "gdx:p"},
                                 {"value", R"({"v":"","c":[["n","a &amp; b"],["n","\r\n"]]})"}}},
        // Quotes, backslashes, controls and text beyond ASCII, in value and children alike.
        EncodingCase{propertyWith(QStringLiteral("say \"hi\" \\ there"),
                                  {{"q\"", "back\\slash"}, {"t", "tab\there\x7f"}}),
                     QJsonObject{{"key", "gdx:p"},
                                 {"value", R"({"v":"say \"hi\" \\ there",)"
                                           R"("c":[["q\"","back\\slash"],["t","tab\there\u007f"]]})"}}},
        EncodingCase{propertyWith(QString::fromUtf8("caf\u00e9 \u20ac"),
                                  {{"n", QString::fromUtf8("\U0001F600 \u00fc")}}),
                     QJsonObject{{"key", "gdx:p"},
                                 {"value", QString::fromUtf8("{\"v\":\"caf\u00e9 \u20ac\","
                                                             "\"c\":[[\"n\",\"\U0001F600 \u00fc\"]]}")}}}));

struct TypeWriteCase
{
    std::optional<QString> rel;
    std::optional<QString> label;
    std::optional<QString> type;
};

class PeopleWriterPhoneTypeTest : public ::testing::TestWithParam<TypeWriteCase>
{
};

TEST_P(PeopleWriterPhoneTypeTest, PhoneType_RelsLabelsAndMain)
{
    GDataEntryContact entry;
    entry.setPhoneNumbers(
        {GDataPhoneNumber{QStringLiteral("1"), GetParam().rel, GetParam().label, false}});
    const QJsonObject phone = written(entry).value("phoneNumbers").toArray()[0].toObject();
    EXPECT_EQ(phone.contains("type") ? std::optional(phone.value("type").toString()) : std::nullopt,
              GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(
    Types, PeopleWriterPhoneTypeTest,
    ::testing::Values(TypeWriteCase{QString(kGDataPhoneNumberMobile), std::nullopt, "mobile"},
                      TypeWriteCase{QString(kGDataPhoneNumberWorkFax), std::nullopt, "workFax"},
                      TypeWriteCase{QString(kGDataPhoneNumberHomeFax), std::nullopt, "homeFax"},
                      TypeWriteCase{QString(kGDataPhoneNumberPager), std::nullopt, "pager"},
                      TypeWriteCase{QString(kGDataPhoneNumberOther), std::nullopt, "other"},
                      TypeWriteCase{std::nullopt, QStringLiteral("Main"), "main"},
                      TypeWriteCase{std::nullopt, QStringLiteral("googleVoice"), "googleVoice"},
                      TypeWriteCase{std::nullopt, QStringLiteral("Boat"), "Boat"},
                      TypeWriteCase{std::nullopt, std::nullopt, std::nullopt}));

TEST(PeopleWriterTest, OtherElements_WrittenInGooglesTypesAndProtocols)
{
    GDataEntryContact entry;
    entry.setIMAddresses({GDataIM{QStringLiteral("u1"), QString(kGDataIMProtocolSkype),
                                  QString(kGDataContactHome), std::nullopt, false},
                          GDataIM{QStringLiteral("u2"), QStringLiteral("matrix"), std::nullopt,
                                  QStringLiteral("Chat"), true}});
    entry.setOrganizations({GDataOrganization{QStringLiteral("Acme"), QStringLiteral("Boss"),
                                              QString(kGDataContactWork), std::nullopt, false},
                            GDataOrganization{QStringLiteral("Uni"), std::nullopt, std::nullopt,
                                              QStringLiteral("school"), false}});
    entry.setContentWithString(QStringLiteral("A note"));
    const QJsonObject out = written(entry);
    EXPECT_JSON_EQ(
        out.value("imClients"),
        (QJsonArray{QJsonObject{{"username", "u1"}, {"protocol", "skype"}, {"type", "home"}},
                    QJsonObject{{"username", "u2"},
                                {"protocol", "matrix"},
                                {"type", "Chat"},
                                {"metadata", QJsonObject{{"sourcePrimary", true}}}}}));
    EXPECT_JSON_EQ(out.value("organizations"),
                   (QJsonArray{QJsonObject{{"name", "Acme"}, {"title", "Boss"}, {"type", "work"}},
                               QJsonObject{{"name", "Uni"}, {"type", "school"}}}));
    EXPECT_JSON_EQ(out.value("biographies"),
                   (QJsonArray{QJsonObject{{"value", "A note"}, {"contentType", "TEXT_PLAIN"}}}));
    EXPECT_FALSE(out.contains("resourceName"));
    EXPECT_FALSE(out.contains("etag"));
}

TEST(PeopleWriterTest, ChangedIMProtocol_DropsTheStaleFormattedProtocol)
{
    auto entry = readPerson(jsonObject(kRichPerson));
    auto ims = entry->IMAddresses();
    ims[0].protocol = QString(kGDataIMProtocolICQ);
    entry->setIMAddresses(ims);
    EXPECT_JSON_EQ(written(*entry).value("imClients"),
                   (QJsonArray{QJsonObject{{"username", "anna"}, {"protocol", "icq"}}}));
}

TEST(PeopleWriterGroupTest, Group_NameClientDataAndIdentityContentDroppedWithALogLine)
{
    LogCapture log;
    const auto group = peoplereader::groupFromContactGroup(
        jsonObject(R"({"resourceName": "contactGroups/u1", "etag": "g", "name": "Old",
            "groupType": "USER_CONTACT_GROUP", "memberCount": 4,
            "clientData": [{"key": "other.app", "value": "x"}]})"),
        kTestAPI, PeopleProjection::thin());
    ASSERT_TRUE(group.has_value());
    (*group)->setTitle(QStringLiteral("Friends"));
    (*group)->setContentWithString(QStringLiteral("a note"));
    (*group)->setExtendedProperties({GDataExtendedProperty::propertyWithName("tolvane", "1")});
    EXPECT_JSON_EQ(
        peoplewriter::contactGroupFromGroup(**group, kTestAPI),
        (QJsonObject{{"resourceName", "contactGroups/u1"},
                     {"etag", "g"},
                     {"name", "Friends"},
                     {"clientData", QJsonArray{QJsonObject{{"key", "other.app"}, {"value", "x"}},
                                               QJsonObject{{"key", "gdx:tolvane"},
                                                           {"value", R"({"c":[],"v":"1"})"}}}}}));
    EXPECT_TRUE(log.lines().join('\n').contains(QStringLiteral("content of group Friends")));
}

} // namespace
