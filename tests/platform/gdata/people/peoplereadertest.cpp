// People JSON to entry objects: titles, field types, primary flags, memberships of hidden groups,
// dates, photo links, projections, system groups, and replies that are not what was asked for.

#include "platform/gdata/people/peoplereader.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/people/peoplejson.h"
#include "platform/gdata/people/peoplesourceaccess.h"
#include "tests/platform/gdata/people/peopletestjson.h"
#include "tests/support/logcapture.h"

#include <QTimeZone>

namespace {

using peoplereader::contactFromPerson;

GDataEntryContactPtr readPerson(const char *json,
                                const PeopleProjection &projection = PeopleProjection::full())
{
    auto entry = contactFromPerson(jsonObject(json), kTestAPI, projection);
    EXPECT_TRUE(entry.has_value()) << json;
    return entry.value_or(std::make_shared<GDataEntryContact>());
}

struct TitleCase
{
    const char *names;
    std::optional<QString> title;
};

class PeopleReaderTitleTest : public ::testing::TestWithParam<TitleCase>
{
};

TEST_P(PeopleReaderTitleTest, Title_UnstructuredNameElseDisplayNameAndEmptyIsAbsent)
{
    const QByteArray json =
        QByteArray(R"({"resourceName": "people/c1", "names": )") + GetParam().names + "}";
    EXPECT_EQ(readPerson(json.constData())->title(), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PeopleReaderTitleTest,
    ::testing::Values(
        TitleCase{R"([{"unstructuredName": "Anna Berg", "displayName": "Berg, Anna"}])",
                  QStringLiteral("Anna Berg")},
        TitleCase{R"([{"displayName": "Anna Berg", "givenName": "Anna"}])",
                  QStringLiteral("Anna Berg")},
        TitleCase{R"([{"unstructuredName": "", "displayName": "Shown"}])", QStringLiteral("Shown")},
        TitleCase{R"([{"unstructuredName": "", "displayName": ""}])", std::nullopt},
        TitleCase{R"([])", std::nullopt}, TitleCase{R"("not a list")", std::nullopt}));

struct PhoneCase
{
    const char *type;
    std::optional<QString> rel;
    std::optional<QString> label;
};

class PeopleReaderPhoneTypeTest : public ::testing::TestWithParam<PhoneCase>
{
};

TEST_P(PeopleReaderPhoneTypeTest, PhoneType_SevenRelsMainAndOtherTypesAsLabels)
{
    const QByteArray json =
        QByteArray(R"({"resourceName": "people/c1", "phoneNumbers": [)") +
        R"({"value": "555-0100")" +
        (GetParam().type ? QByteArray(R"(, "type": ")") + GetParam().type + "\"" : QByteArray()) +
        "}]}";
    const auto phones = readPerson(json.constData())->phoneNumbers();
    ASSERT_EQ(phones.size(), 1u);
    EXPECT_EQ(phones[0].stringValue, QStringLiteral("555-0100"));
    EXPECT_EQ(phones[0].rel, GetParam().rel);
    EXPECT_EQ(phones[0].label, GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Types, PeopleReaderPhoneTypeTest,
    ::testing::Values(PhoneCase{"mobile", QString(kGDataPhoneNumberMobile), std::nullopt},
                      PhoneCase{"home", QString(kGDataPhoneNumberHome), std::nullopt},
                      PhoneCase{"work", QString(kGDataPhoneNumberWork), std::nullopt},
                      PhoneCase{"workFax", QString(kGDataPhoneNumberWorkFax), std::nullopt},
                      PhoneCase{"homeFax", QString(kGDataPhoneNumberHomeFax), std::nullopt},
                      PhoneCase{"pager", QString(kGDataPhoneNumberPager), std::nullopt},
                      PhoneCase{"other", QString(kGDataPhoneNumberOther), std::nullopt},
                      PhoneCase{"main", std::nullopt, QStringLiteral("Main")},
                      PhoneCase{"workMobile", std::nullopt, QStringLiteral("workMobile")},
                      PhoneCase{"googleVoice", std::nullopt, QStringLiteral("googleVoice")},
                      PhoneCase{"Boat", std::nullopt, QStringLiteral("Boat")},
                      PhoneCase{nullptr, std::nullopt, std::nullopt}));

TEST(PeopleReaderTest, Person_MapsEveryModelledField)
{
    const auto entry = readPerson(R"({
        "resourceName": "people/c42", "etag": "%EgUBAi43PRo",
        "metadata": {"sources": [{"type": "PROFILE", "updateTime": "2001-01-01T00:00:00Z"},
                                 {"type": "CONTACT", "updateTime": "2024-03-05T06:07:08.5Z"}]},
        "biographies": [{"value": "Met in Oslo", "contentType": "TEXT_PLAIN"}],
        "emailAddresses": [{"value": "a@work.example", "type": "work"},
                           {"value": "a@x.example", "type": "school",
                            "metadata": {"primary": true}}],
        "addresses": [{"formattedValue": "1 Main St\nSpringfield", "type": "home",
                       "streetAddress": "1 Main St", "metadata": {"sourcePrimary": true}}],
        "imClients": [{"username": "anna", "protocol": "googleTalk", "type": "work"},
                      {"username": "anna2", "protocol": "matrix", "type": "gaming"}],
        "organizations": [{"name": "Acme", "title": "Boss", "type": "work",
                           "department": "Sales"},
                          {"name": "Uni", "type": "school"}]
    })");
    EXPECT_EQ(entry->identifier(), identifierOf("people/c42"));
    EXPECT_EQ(entry->ETag(), QStringLiteral("%EgUBAi43PRo"));
    EXPECT_EQ(entry->updatedDate(),
              QDateTime(QDate(2024, 3, 5), QTime(6, 7, 8, 500), QTimeZone::utc()));
    EXPECT_EQ(entry->content(), QStringLiteral("Met in Oslo"));
    EXPECT_EQ(entry->editLink()->href, identifierOf("people/c42"));
    EXPECT_EQ(entry->selfLink()->href, identifierOf("people/c42"));

    ASSERT_EQ(entry->emailAddresses().size(), 2u);
    EXPECT_EQ(entry->emailAddresses()[0].rel, QString(kGDataContactWork));
    EXPECT_FALSE(entry->emailAddresses()[0].primary);
    EXPECT_EQ(entry->emailAddresses()[1].label, QStringLiteral("school"));
    EXPECT_FALSE(entry->emailAddresses()[1].rel.has_value());
    EXPECT_TRUE(entry->emailAddresses()[1].primary);

    ASSERT_EQ(entry->postalAddresses().size(), 1u);
    EXPECT_EQ(entry->postalAddresses()[0].stringValue, QStringLiteral("1 Main St\nSpringfield"));
    EXPECT_EQ(entry->postalAddresses()[0].rel, QString(kGDataContactHome));
    EXPECT_TRUE(entry->postalAddresses()[0].primary);

    ASSERT_EQ(entry->IMAddresses().size(), 2u);
    EXPECT_EQ(entry->IMAddresses()[0].protocol, QString(kGDataIMProtocolGoogleTalk));
    EXPECT_EQ(entry->IMAddresses()[0].rel, QString(kGDataContactWork));
    EXPECT_EQ(entry->IMAddresses()[1].protocol, QStringLiteral("matrix"));
    EXPECT_EQ(entry->IMAddresses()[1].label, QStringLiteral("gaming"));

    ASSERT_EQ(entry->organizations().size(), 2u);
    EXPECT_EQ(entry->organizations()[0].orgName, QStringLiteral("Acme"));
    EXPECT_EQ(entry->organizations()[0].orgTitle, QStringLiteral("Boss"));
    EXPECT_EQ(entry->organizations()[0].rel, QString(kGDataContactWork));
    EXPECT_EQ(entry->organizations()[1].label, QStringLiteral("school"));
    EXPECT_FALSE(entry->organizations()[1].orgTitle.has_value());
}

TEST(PeopleReaderTest, Protocols_EightKnownOnesMapToTheirGDataValues)
{
    const std::pair<const char *, const char *> protocols[] = {
        {"aim", kGDataIMProtocolAIM},     {"msn", kGDataIMProtocolMSN},
        {"yahoo", kGDataIMProtocolYahoo}, {"skype", kGDataIMProtocolSkype},
        {"qq", kGDataIMProtocolQQ},       {"googleTalk", kGDataIMProtocolGoogleTalk},
        {"icq", kGDataIMProtocolICQ},     {"jabber", kGDataIMProtocolJabber},
    };
    for (const auto &[protocol, value] : protocols) {
        const QByteArray json = QByteArray(R"({"resourceName": "people/c1", "imClients": [)") +
                                R"({"username": "u", "protocol": ")" + protocol + "\"}]}";
        const auto ims = readPerson(json.constData())->IMAddresses();
        ASSERT_EQ(ims.size(), 1u);
        EXPECT_EQ(ims[0].protocol, QString(value)) << protocol;
    }
}

TEST(PeopleReaderTest, MissingOptionalFields_ReadAsAbsentValues)
{
    LogCapture log;
    const auto entry = readPerson(R"({"resourceName": "people/c7"})");
    EXPECT_FALSE(entry->title().has_value());
    EXPECT_FALSE(entry->content().has_value());
    EXPECT_FALSE(entry->ETag().has_value());
    EXPECT_FALSE(entry->isDeleted());
    EXPECT_TRUE(entry->emailAddresses().empty());
    EXPECT_TRUE(entry->groupMembershipInfos().empty());
    EXPECT_TRUE(entry->extendedProperties().empty());
    EXPECT_EQ(entry->photoLink(), std::nullopt);
    EXPECT_EQ(entry->updatedDate(), QDateTime::fromSecsSinceEpoch(0, QTimeZone::utc()));
    EXPECT_TRUE(log.lines().join('\n').contains(QStringLiteral("people/c7 has no update time")));
}

struct TimeCase
{
    const char *text;
    QDateTime time;
};

class PeopleReaderTimeTest : public ::testing::TestWithParam<TimeCase>
{
};

TEST_P(PeopleReaderTimeTest, UpdateTime_ReadInUTCWhateverItsFraction)
{
    const QByteArray json =
        QByteArray(R"({"resourceName": "people/c1", "metadata": {"sources": [)") +
        R"({"type": "CONTACT", "updateTime": ")" + GetParam().text + R"("}]}})";
    EXPECT_EQ(readPerson(json.constData())->updatedDate(), GetParam().time);
}

INSTANTIATE_TEST_SUITE_P(
    Times, PeopleReaderTimeTest,
    ::testing::Values(TimeCase{"2024-03-05T06:07:08Z",
                               QDateTime(QDate(2024, 3, 5), QTime(6, 7, 8), QTimeZone::utc())},
                      TimeCase{"2024-03-05T06:07:08.123Z",
                               QDateTime(QDate(2024, 3, 5), QTime(6, 7, 8, 123), QTimeZone::utc())},
                      TimeCase{"2024-03-05T06:07:08.123456Z",
                               QDateTime(QDate(2024, 3, 5), QTime(6, 7, 8, 123), QTimeZone::utc())},
                      TimeCase{"2024-03-05T08:07:08+02:00",
                               QDateTime(QDate(2024, 3, 5), QTime(6, 7, 8), QTimeZone::utc())}));

TEST(PeopleReaderTest, DeletedPerson_ReadsAsTombstone)
{
    const auto entry = readPerson(R"({"resourceName": "people/c7", "metadata": {"deleted": true,
        "sources": [{"type": "CONTACT", "updateTime": "2024-01-01T00:00:00Z"}]}})");
    EXPECT_TRUE(entry->isDeleted());
}

TEST(PeopleReaderTest, Memberships_HiddenSystemGroupsAndOtherKindsLeftOut)
{
    const auto entry = readPerson(R"({"resourceName": "people/c1", "memberships": [
        {"contactGroupMembership": {"contactGroupResourceName": "contactGroups/myContacts"}},
        {"contactGroupMembership": {"contactGroupResourceName": "contactGroups/starred"}},
        {"contactGroupMembership": {"contactGroupResourceName": "contactGroups/friends"}},
        {"contactGroupMembership": {"contactGroupResourceName": "contactGroups/3f1a"}},
        {"contactGroupMembership": {"contactGroupResourceName": "contactGroups/a/b"}},
        {"domainMembership": {"inViewerDomain": true}}]})");
    std::vector<QString> hrefs;
    for (const auto &membership : entry->groupMembershipInfos())
        hrefs.push_back(membership.href);
    EXPECT_EQ(hrefs, (std::vector<QString>{identifierOf("contactGroups/myContacts"),
                                           identifierOf("contactGroups/3f1a")}));
}

struct PhotoCase
{
    const char *photos;
    bool hasLink;
    bool hasETag;
};

class PeopleReaderPhotoTest : public ::testing::TestWithParam<PhotoCase>
{
};

TEST_P(PeopleReaderPhotoTest, PhotoLink_FirstContactPhotoWithETagOnlyWhenNotDefault)
{
    const QByteArray json =
        QByteArray(R"({"resourceName": "people/c5", "photos": )") + GetParam().photos + "}";
    const auto link = readPerson(json.constData())->photoLink();
    ASSERT_EQ(link.has_value(), GetParam().hasLink);
    if (!link)
        return;
    EXPECT_TRUE(link->href.startsWith(QStringLiteral("https://lh3.example/own")));
    EXPECT_EQ(link->etag.has_value(), GetParam().hasETag);
    EXPECT_EQ(QUrl(link->href).fragment(), QStringLiteral("person=people/c5"));
    EXPECT_EQ(QUrl(link->href).adjusted(QUrl::RemoveFragment).toString(),
              QStringLiteral("https://lh3.example/own"));
}

INSTANTIATE_TEST_SUITE_P(
    Photos, PeopleReaderPhotoTest,
    ::testing::Values(PhotoCase{R"([{"url": "https://lh3.example/profile", "metadata": {"source":
                    {"type": "PROFILE"}}}, {"url": "https://lh3.example/own", "metadata":
                    {"source": {"type": "CONTACT"}}}])",
                                true, true},
                      PhotoCase{R"([{"url": "https://lh3.example/own", "default": true, "metadata":
                    {"source": {"type": "CONTACT"}}}])",
                                true, false},
                      PhotoCase{R"([{"url": "https://lh3.example/profile", "metadata": {"source":
                    {"type": "PROFILE"}}}])",
                                false, false},
                      PhotoCase{R"([])", false, false}));

TEST(PeopleReaderTest, PhotoETag_ChangesWithTheURL)
{
    const auto first = readPerson(R"({"resourceName": "people/c5", "photos": [{"url": "https://a/1",
        "metadata": {"source": {"type": "CONTACT"}}}]})");
    const auto second = readPerson(R"({"resourceName": "people/c5", "photos": [{"url":
        "https://a/2", "metadata": {"source": {"type": "CONTACT"}}}]})");
    EXPECT_NE(first->photoLink()->etag, second->photoLink()->etag);
}

struct ProjectionCase
{
    PeopleProjection projection;
    std::vector<QString> names;
};

class PeopleReaderProjectionTest : public ::testing::TestWithParam<ProjectionCase>
{
};

TEST_P(PeopleReaderProjectionTest, ClientData_ProjectionShowsOnlyItsProperties)
{
    const auto entry = readPerson(R"({"resourceName": "people/c1", "clientData": [
        {"key": "gdx:tolvane", "value": "{\"c\":[[\"aID\",\"X:ABPerson\"]]}"},
        {"key": "other.app", "value": "7"}]})",
                                  GetParam().projection);
    std::vector<QString> names;
    for (const auto &property : entry->extendedProperties())
        names.push_back(property.name());
    EXPECT_EQ(names, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Projections, PeopleReaderProjectionTest,
    ::testing::Values(
        ProjectionCase{PeopleProjection::full(), {"tolvane", "other.app"}},
        ProjectionCase{PeopleProjection::thin(), {}},
        ProjectionCase{PeopleProjection::property(QStringLiteral("tolvane")), {"tolvane"}},
        ProjectionCase{PeopleProjection::property(QStringLiteral("other.app")), {"other.app"}}));

struct ClientDataCase
{
    const char *item;
    QString name;
    std::optional<QString> value;
    std::vector<GDataExtendedProperty::XMLValue> children;
};

class PeopleReaderClientDataTest : public ::testing::TestWithParam<ClientDataCase>
{
};

TEST_P(PeopleReaderClientDataTest, ClientData_OwnItemsDecodeOthersReadAsPlainProperties)
{
    const QByteArray json =
        QByteArray(R"({"resourceName": "people/c1", "clientData": [)") + GetParam().item + "]}";
    const auto properties = readPerson(json.constData())->extendedProperties();
    ASSERT_EQ(properties.size(), 1u);
    EXPECT_EQ(properties[0].name(), GetParam().name);
    EXPECT_EQ(properties[0].value(), GetParam().value);
    EXPECT_EQ(properties[0].XMLValues(), GetParam().children);
}

INSTANTIATE_TEST_SUITE_P(
    Items, PeopleReaderClientDataTest,
    ::testing::Values(
        ClientDataCase{
            R"({"key": "gdx:p", "value": "{\"v\":\"1\",\"c\":[[\"aID\",\"A\"],[\"x\",\"&amp;\"]]}"})",
            "p",
            "1",
            {{"aID", "A"}, {"x", "&amp;"}}},
        ClientDataCase{R"({"key": "gdx:p", "value": "{\"c\":[]}"})", "p", std::nullopt, {}},
        ClientDataCase{R"({"key": "someone.else", "value": "v"})", "someone.else", "v", {}},
        ClientDataCase{R"({"key": "someone.else"})", "someone.else", std::nullopt, {}},
        // Not of this layer's form: kept whole as another client's item.
        ClientDataCase{R"({"key": "gdx:p", "value": "not json"})", "gdx:p", "not json", {}},
        ClientDataCase{
            R"({"key": "gdx:p", "value": "{\"c\":[[\"a\"]]}"})", "gdx:p", "{\"c\":[[\"a\"]]}", {}},
        ClientDataCase{R"({"key": "gdx:p", "value": "{\"v\":3,\"c\":[]}"})",
                       "gdx:p",
                       "{\"v\":3,\"c\":[]}",
                       {}},
        ClientDataCase{
            R"({"key": "gdx:p", "value": "[[\"a\",\"b\"]]"})", "gdx:p", "[[\"a\",\"b\"]]", {}},
        ClientDataCase{R"({"key": "gdx:p", "value": "{\"c\":{\"a\":\"b\"}}"})",
                       "gdx:p",
                       "{\"c\":{\"a\":\"b\"}}",
                       {}},
        // Read alike whether the text or the parser reads it: spaces, escapes, a key written
        // with an escape, and a number only the parser reads.
        ClientDataCase{R"({"key": "gdx:p", "value": " { \"c\" : [ [ \"aID\" , \"A\" ] ] } "})",
                       "p",
                       std::nullopt,
                       {{"aID", "A"}}},
        ClientDataCase{R"({"key": "gdx:p", "value": "{\"v\":\"\\\"\\u00e9\",\"c\":[]}"})",
                       "p",
                       QStringLiteral("\"\u00e9"),
                       {}},
        ClientDataCase{
            R"({"key": "gdx:p", "value": "{\"\\u0076\":\"1\",\"c\":[]}"})", "p", "1", {}},
        ClientDataCase{R"({"key": "gdx:p", "value": "{\"n\":1e0,\"c\":[[\"aID\",\"A\"]]}"})",
                       "p",
                       std::nullopt,
                       {{"aID", "A"}}}));

TEST(PeopleReaderGroupTest, Groups_MyContactsUserGroupsShownOtherSystemGroupsHidden)
{
    const auto page = peoplereader::readContactGroupsPage(R"({"contactGroups": [
        {"resourceName": "contactGroups/myContacts", "groupType": "SYSTEM_CONTACT_GROUP",
         "name": "myContacts", "formattedName": "Meine Kontakte",
         "metadata": {"updateTime": "2024-01-01T00:00:00Z"}},
        {"resourceName": "contactGroups/friends", "groupType": "SYSTEM_CONTACT_GROUP",
         "name": "friends"},
        {"resourceName": "contactGroups/starred", "groupType": "SYSTEM_CONTACT_GROUP"},
        {"resourceName": "contactGroups/all", "groupType": "SYSTEM_CONTACT_GROUP"},
        {"resourceName": "contactGroups/1ab", "groupType": "USER_CONTACT_GROUP",
         "name": "Friends", "etag": "g1",
         "clientData": [{"key": "gdx:tolvane", "value": "{\"c\":[[\"aID\",\"G:ABGroup\"]]}"}],
         "metadata": {"updateTime": "2024-02-02T02:02:02Z"}}],
        "totalItems": 5, "nextSyncToken": "sync1"})",
                                                          kTestAPI, PeopleProjection::full());
    ASSERT_TRUE(page.has_value());
    ASSERT_EQ(page->entries.size(), 2u);
    const auto &myContacts = *page->entries[0];
    EXPECT_EQ(myContacts.identifier(), identifierOf("contactGroups/myContacts"));
    EXPECT_EQ(myContacts.title(), QStringLiteral("System Group: My Contacts"));
    EXPECT_EQ(myContacts.systemGroup(), QStringLiteral("Contacts"));
    EXPECT_FALSE(myContacts.editLink().has_value());
    EXPECT_EQ(myContacts.selfLink()->href, identifierOf("contactGroups/myContacts"));
    const auto &user = *page->entries[1];
    EXPECT_EQ(user.title(), QStringLiteral("Friends"));
    EXPECT_FALSE(user.systemGroup().has_value());
    EXPECT_EQ(user.editLink()->href, identifierOf("contactGroups/1ab"));
    EXPECT_EQ(user.ETag(), QStringLiteral("g1"));
    EXPECT_EQ(user.updatedDate(), QDateTime(QDate(2024, 2, 2), QTime(2, 2, 2), QTimeZone::utc()));
    ASSERT_EQ(user.extendedProperties().size(), 1u);
    EXPECT_EQ(user.extendedProperties()[0].XMLValueForKey(QStringLiteral("aID")),
              QStringLiteral("G:ABGroup"));
    EXPECT_EQ(page->totalItems, 5);
    EXPECT_EQ(page->nextSyncToken, QStringLiteral("sync1"));
}

TEST(PeopleReaderPageTest, ConnectionsPage_ReadsEntriesTokensAndTotal)
{
    const auto page = peoplereader::readConnectionsPage(
        R"({"connections": [{"resourceName": "people/c1"}, {"resourceName": "people/c2"}],
            "nextPageToken": "p2", "totalItems": 3})",
        kTestAPI, PeopleProjection::full());
    ASSERT_TRUE(page.has_value());
    ASSERT_EQ(page->entries.size(), 2u);
    EXPECT_EQ(page->entries[1]->identifier(), identifierOf("people/c2"));
    EXPECT_EQ(page->nextPageToken, QStringLiteral("p2"));
    EXPECT_EQ(page->totalItems, 3);
    const auto last = peoplereader::readConnectionsPage("{}", kTestAPI, PeopleProjection::full());
    ASSERT_TRUE(last.has_value());
    EXPECT_TRUE(last->entries.empty());
    EXPECT_TRUE(last->nextPageToken.isEmpty());
}

// However a page is written, it reads as the JSON parser sees the whole of it.
TEST(PeopleReaderPageTest, ConnectionsPage_ReadsAsTheWholePageParses)
{
    const char *pages[] = {
        R"({"totalItems": 2, "connections": [{"resourceName": "people/c1"},
            {"resourceName": "people/c2"}], "nextPageToken": "p2"})",
        R"({"connections": [{"resourceName": "people/c1"}],
            "connections": [{"resourceName": "people/c2"}, {"resourceName": "people/c3"}]})",
        R"({"connection\u0073": [{"resourceName": "people/c4"}], "totalItems": 1})",
        R"( { "connections" : [ ] , "nextPageToken" : "p\"2\"" } )",
    };
    for (const char *text : pages) {
        SCOPED_TRACE(text);
        const QJsonObject whole = jsonObject(text);
        const auto page =
            peoplereader::readConnectionsPage(text, kTestAPI, PeopleProjection::full());
        ASSERT_TRUE(page.has_value());
        QStringList identifiers;
        for (const auto &entry : page->entries)
            identifiers.append(entry->identifier());
        QStringList expected;
        for (const QJsonValue &person : whole.value("connections").toArray())
            expected.append(kTestAPI + "/v1/" + person.toObject().value("resourceName").toString());
        EXPECT_EQ(identifiers, expected);
        EXPECT_EQ(page->nextPageToken, whole.value("nextPageToken").toString());
    }
}

class PeopleReaderBadPageTest : public ::testing::TestWithParam<const char *>
{
};

TEST_P(PeopleReaderBadPageTest, BadReply_FailsTheWholePage)
{
    peoplereader::ParseError error;
    EXPECT_FALSE(
        peoplereader::readConnectionsPage(GetParam(), kTestAPI, PeopleProjection::full(), &error)
            .has_value());
    EXPECT_FALSE(error.message.isEmpty());
    EXPECT_FALSE(peoplereader::readContactGroupsPage(GetParam(), kTestAPI, PeopleProjection::full())
                     .has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Replies, PeopleReaderBadPageTest,
    ::testing::Values(
        "", "<html><body>Service unavailable</body></html>",
        R"({"connections": [{"resourceName": "people/c1"}, {"resourceNa)",
        R"([{"resourceName": "people/c1"}])",
        R"({"connections": {"resourceName": "people/c1"}, "contactGroups": 5})",
        R"({"connections": [{"resourceName": "people/c1"}, {"etag": "x"}],
            "contactGroups": [{"resourceName": "contactGroups/a"}, {"etag": "x"}]})",
        R"({"connections": [{"resourceName": "people/"}], "contactGroups": [{"resourceName": "people/c1"}]})",
        R"({"connections": [{"resourceName": "people//2"}], "contactGroups": [{"resourceName": "contactGroups/a/b"}]})",
        R"({"connections": [7], "contactGroups": ["x"]})",
        R"({"connections": [{"resourceName": "people/c1"}], "totalItems": 3x})",
        R"({"connections": [{"resourceName": "people/c1"},], "contactGroups": []})",
        R"({"connections": [{"resourceName": "people/c1"}]} and more)",
        R"({"connections": [{"resourceName": "people/c1", "names": [{"x": tru}]}]})"));

struct IdentifierCase
{
    QString identifier;
    std::optional<QString> resourceName;
};

class PeopleIdentifierTest : public ::testing::TestWithParam<IdentifierCase>
{
};

TEST_P(PeopleIdentifierTest, ResourceNameForIdentifier_OnlyThisApisPeopleAndGroups)
{
    EXPECT_EQ(peoplereader::resourceNameForIdentifier(kTestAPI, GetParam().identifier),
              GetParam().resourceName);
}

INSTANTIATE_TEST_SUITE_P(
    Identifiers, PeopleIdentifierTest,
    ::testing::Values(
        IdentifierCase{identifierOf("people/c12"), QStringLiteral("people/c12")},
        IdentifierCase{identifierOf("contactGroups/myContacts"),
                       QStringLiteral("contactGroups/myContacts")},
        IdentifierCase{identifierOf("people/"), std::nullopt},
        IdentifierCase{identifierOf("people/c1/extra"), std::nullopt},
        IdentifierCase{identifierOf("otherThings/c1"), std::nullopt},
        IdentifierCase{QStringLiteral("http://127.0.0.1:9/m8/feeds/contacts/a/base/c12"),
                       std::nullopt},
        IdentifierCase{QStringLiteral("https://elsewhere/v1/people/c12"), std::nullopt}));

} // namespace

namespace {

TEST(PeopleReaderPageTest, TombstonesPage_OnlyDeletionsDatedAtTheListsTime)
{
    const QDateTime listTime(QDate(2026, 3, 1), QTime(12, 0), QTimeZone::utc());
    const auto page = peoplereader::readTombstonesPage(
        R"({"connections":[{"resourceName":"people/c1","metadata":{"deleted":true}},
                           {"resourceName":"people/c2","etag":"e2","metadata":{}}],
            "nextPageToken":"p2"})",
        GDataEntryBase::Kind::Contact, kTestAPI, listTime);
    ASSERT_TRUE(page);
    ASSERT_EQ(page->entries.size(), 1u);
    EXPECT_EQ(page->entries[0]->identifier(), identifierOf("people/c1"));
    EXPECT_TRUE(page->entries[0]->isDeleted());
    EXPECT_EQ(page->entries[0]->updatedDate(), listTime);
    EXPECT_EQ(page->nextPageToken, QStringLiteral("p2"));

    const auto groups = peoplereader::readTombstonesPage(
        R"({"contactGroups":[{"resourceName":"contactGroups/u7","metadata":{"deleted":true}}]})",
        GDataEntryBase::Kind::ContactGroup, kTestAPI, listTime);
    ASSERT_TRUE(groups);
    ASSERT_EQ(groups->entries.size(), 1u);
    EXPECT_EQ(groups->entries[0]->kind(), GDataEntryBase::Kind::ContactGroup);
}

TEST(PeopleReaderPageTest, TombstonesPage_UnreadableRepliesFailTheWholePage)
{
    const char *const replies[] = {
        "<html>Sign in</html>",
        R"({"connections":{"resourceName":"people/c1"}})",
        R"({"connections":[{"metadata":{"deleted":true}}]})",
        R"({"connections":[{"resourceName":"contactGroups/u1","metadata":{"deleted":true}}]})",
    };
    for (const char *reply : replies) {
        SCOPED_TRACE(reply);
        peoplereader::ParseError error;
        EXPECT_FALSE(peoplereader::readTombstonesPage(reply, GDataEntryBase::Kind::Contact,
                                                      kTestAPI, QDateTime::currentDateTimeUtc(),
                                                      &error));
        EXPECT_FALSE(error.message.isEmpty());
    }
}

} // namespace

namespace {

QString described(const std::optional<QString> &text)
{
    if (!text)
        return QStringLiteral("<none>");
    return text->isNull() ? QStringLiteral("<null>") : u'"' + *text + u'"';
}

QString described(const GDataPeopleSource &source)
{
    return jsonText(PeopleSourceAccess::read(source)) + QStringLiteral(" hidden ") +
           jsonText(PeopleSourceAccess::hiddenClientData(source));
}

template <typename Value> QString describedTyped(const Value &value, const QString &text)
{
    return QStringLiteral("[%1 rel %2 label %3 primary %4 read %5]")
        .arg(described(text), described(value.rel), described(value.label))
        .arg(value.primary)
        .arg(described(value.peopleSource));
}

// Everything a read gives of a person, read copies included.
QString describedEntry(const GDataEntryContact &entry)
{
    QString out = described(entry.identifier()) + described(entry.title()) +
                  described(entry.content()) + entry.updatedDate().toString(Qt::ISODateWithMs) +
                  described(entry.ETag()) + QString::number(entry.isDeleted());
    for (const GDataEmail &email : entry.emailAddresses())
        out += describedTyped(email, email.address);
    for (const GDataPhoneNumber &phone : entry.phoneNumbers())
        out += describedTyped(phone, phone.stringValue);
    for (const GDataPostalAddress &address : entry.postalAddresses())
        out += describedTyped(address, address.stringValue);
    for (const GDataIM &im : entry.IMAddresses())
        out += describedTyped(im, im.address) + described(im.protocol);
    for (const GDataOrganization &organization : entry.organizations())
        out += describedTyped(organization, QString()) + described(organization.orgName) +
               described(organization.orgTitle);
    for (const GDataGroupMembershipInfo &membership : entry.groupMembershipInfos())
        out += described(membership.href) + described(membership.peopleSource);
    for (const GDataExtendedProperty &property : entry.extendedProperties()) {
        out += described(property.name()) + described(property.value());
        for (const auto &[name, text] : property.XMLValues())
            out += described(name) + described(text);
        out += described(property.peopleSource());
    }
    for (const GDataLink &link : entry.links())
        out += described(link.rel) + described(link.type) + described(link.href) +
               described(link.etag);
    return out + described(entry.peopleSource());
}

struct PersonTextCase
{
    const char *name;
    const char *person;
    bool plain;
};

class PeopleReaderPersonTextTest : public ::testing::TestWithParam<PersonTextCase>
{
};

// A person in a page is read from its text where it is plain JSON, else through Qt's parser; each
// way must give the entry the parsed object gives, through every projection.
TEST_P(PeopleReaderPersonTextTest, PersonInAPage_ReadsAsItsParsedObject)
{
    const QByteArray person(GetParam().person);
    EXPECT_EQ(peoplejson::isPlainJSON(person), GetParam().plain);
    const QByteArray page = "{\"connections\": [" + person + "]}";
    for (const PeopleProjection &projection :
         {PeopleProjection::full(), PeopleProjection::thin(),
          PeopleProjection::property(QStringLiteral("tolvane"))}) {
        const auto expected = peoplereader::contactFromPersonText(jsonObject(person.constData()),
                                                                  person, kTestAPI, projection);
        const auto read = peoplereader::readConnectionsPage(page, kTestAPI, projection);
        ASSERT_EQ(read.has_value(), expected.has_value());
        if (!expected)
            continue;
        ASSERT_EQ(read->entries.size(), 1u);
        EXPECT_EQ(describedEntry(*read->entries[0]), describedEntry(**expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Persons, PeopleReaderPersonTextTest,
    ::testing::Values(
        PersonTextCase{"every modelled field", R"({"resourceName": "people/c1", "etag": "%E1",
            "metadata": {"sources": [{"type": "PROFILE", "updateTime": "2020-01-01T00:00:00Z"},
                {"type": "CONTACT", "id": "c1", "updateTime": "2024-03-05T10:11:12.345Z"}],
                "objectType": "PERSON"},
            "names": [{"unstructuredName": "Ann Lee", "displayName": "Lee, Ann",
                "metadata": {"primary": true}}],
            "emailAddresses": [{"value": "ann@example.com", "type": "home",
                "metadata": {"primary": true, "source": {"type": "CONTACT"}}},
                {"value": "lee@example.com", "type": "Pager mail",
                "metadata": {"sourcePrimary": true}}, {"value": "x@example.com"}],
            "phoneNumbers": [{"value": "+1 555", "type": "mobile"}, {"value": "7", "type": "main"}],
            "addresses": [{"formattedValue": "1 Road\nTown", "type": "work", "city": "Town"}],
            "imClients": [{"username": "ann", "protocol": "jabber", "type": "home"},
                {"username": "lee", "protocol": "Ham radio"}],
            "organizations": [{"name": "Acme", "title": "CEO", "type": "work"}, {"type": "other"}],
            "biographies": [{"value": "Met at the fair", "contentType": "TEXT_PLAIN"}],
            "memberships": [{"contactGroupMembership": {"contactGroupResourceName":
                "contactGroups/myContacts"}}, {"contactGroupMembership":
                {"contactGroupResourceName": "contactGroups/starred"}},
                {"contactGroupMembership": {"contactGroupResourceName": "contactGroups/abc"}},
                {"domainMembership": {"inViewerDomain": true}}],
            "clientData": [{"key": "gdx:tolvane", "value": "{\"c\":[[\"aID\",\"X:ABPerson\"]]}"},
                {"key": "other.app", "value": "7", "metadata": {"source": {"type": "CONTACT"}}},
                {"key": "gdx:bad", "value": "{\"c\":[[1]]}"}],
            "photos": [{"url": "https://p.example/a", "metadata": {"source": {"type": "PROFILE"}}},
                {"url": "https://p.example/b#x", "default": false,
                "metadata": {"source": {"type": "CONTACT"}}}]})",
                       true},
        PersonTextCase{"escapes and unicode", R"({"resourceName": "people/c\u0032",
            "names": [{"unstructuredName": "\"Zo\u00eb\" \\ \/ O\u2019Neil\t\ud83d\ude00"}],
            "emailAddresses": [{"value": "z\u00f6@example.com", "type": "h\u006fme"}],
            "biographies": [{"value": "line\nline\r\n\u0000end"}]})",
                       true},
        PersonTextCase{"raw unicode",
                       "{\"resourceName\": \"people/c3\", \"names\": "
                       "[{\"displayName\": \"\xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98"
                       "\x80\"}], \"phoneNumbers\": [{\"value\": \"\xd9\xa1\"}]}",
                       true},
        PersonTextCase{"resource name only", R"({"resourceName": "people/c4"})", true},
        PersonTextCase{"empty values", R"({"resourceName": "people/c5", "etag": "",
            "names": [{"unstructuredName": "", "displayName": "Shown"}], "biographies": [{}],
            "emailAddresses": [{"value": ""}, {}], "organizations": [{"name": "", "title": null}],
            "photos": [{"url": "", "metadata": {"source": {"type": "CONTACT"}}}],
            "clientData": [{"key": ""}, {}], "names2": []})",
                       true},
        PersonTextCase{"odd types", R"({"resourceName": "people/c6", "etag": 5, "names": "x",
            "emailAddresses": {"value": "a@b"}, "phoneNumbers": [7, "a", null, {"value": 5},
                [{"value": "in a list"}], {"value": "+1", "type": 3, "metadata": []}],
            "addresses": [{"formattedValue": ["x"], "metadata": {"primary": "true"}}],
            "imClients": [{"username": true, "protocol": {}}], "organizations": [{"name": 1}],
            "biographies": [{"value": false}], "memberships": [{"contactGroupMembership": "x"}],
            "metadata": {"sources": {"type": "CONTACT"}, "deleted": 1},
            "clientData": [{"key": 5, "value": 6}, 8], "photos": [{"url": 9}, "x"]})",
                       true},
        PersonTextCase{"nested extras", R"({"birthdays": [{"date": {"year": 1980, "month": 2,
                "day": 29}, "metadata": {"primary": true}}], "resourceName": "people/c7",
            "urls": [{"value": "https://a.example/{]}", "extra": [[[{"x": [-0.25, 0, 12]}]]]}],
            "names": [{"displayName": "Deep", "metadata": {"source": {"type": "CONTACT",
                "id": "{\"names\": [1]}"}}}], "metadata": {"deleted": true,
                "sources": [{"type": "CONTACT", "updateTime": "2024-01-01T00:00:00+02:00"}]}})",
                       true},
        PersonTextCase{"a key written with escapes", R"({"resourceName": "people/c8",
            "names": [{"displayName": "Plain"}], "n\u0061mes": [{"displayName": "Escaped"}],
            "emailAddresses": [{"value": "plain@example.com", "v\u0061lue": "escaped"}]})",
                       true},
        PersonTextCase{"a modelled key twice", R"({"resourceName": "people/c9",
            "emailAddresses": [{"value": "first@example.com"}],
            "emailAddresses": [{"value": "second@example.com"}, {"value": "third@example.com"}],
            "metadata": {"deleted": true, "deleted": false}})",
                       true},
        PersonTextCase{"a nested key twice", R"({"resourceName": "people/c10",
            "phoneNumbers": [{"value": "1", "value": "2", "metadata": {"primary": false,
                "primary": true}}]})",
                       true},
        PersonTextCase{"no resource name", R"({"names": [{"displayName": "Nobody"}]})", true},
        PersonTextCase{"a resource name of another kind",
                       R"({"resourceName": "contactGroups/c11"})", true},
        PersonTextCase{"a control character",
                       "{\"resourceName\": \"people/c12\", \"names\": "
                       "[{\"displayName\": \"tab\x09here\"}]}",
                       false},
        PersonTextCase{"a byte order mark",
                       "{\"resourceName\": \"people/c13\", \"names\": "
                       "[{\"displayName\": \"\xef\xbb\xbf"
                       "Bom\"}]}",
                       false},
        PersonTextCase{"half a surrogate pair", R"({"resourceName": "people/c14",
            "names": [{"displayName": "\ud800 alone"}]})",
                       false},
        PersonTextCase{"an exponent", R"({"resourceName": "people/c15", "x": 1e3,
            "names": [{"displayName": "Exp"}]})",
                       false}),
    [](const ::testing::TestParamInfo<PersonTextCase> &info) {
        QString name = QString::fromLatin1(info.param.name);
        for (QChar &c : name) {
            if (!c.isLetterOrNumber())
                c = u'_';
        }
        return name.toStdString();
    });

} // namespace
