// The loopback server's People face over plain HTTP: one store seen by both faces, lists and
// their pages, field masks, etags, the write rules and the errors in Google's form.

#include "tests/tools/gdata-server/peopleserverfixture.h"

#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSet>
#include <QTcpSocket>
#include <QThread>
#include <QUrlQuery>

#include <functional>
#include <optional>

namespace {

QJsonObject first(const QJsonObject &person, const char *field)
{
    return person.value(QLatin1String(field)).toArray().at(0).toObject();
}

QStringList membershipNames(const QJsonObject &person)
{
    QStringList names;
    for (const QJsonValue &membership : person.value("memberships").toArray())
        names.append(membership.toObject()
                         .value("contactGroupMembership")
                         .toObject()
                         .value("contactGroupResourceName")
                         .toString());
    return names;
}

QJsonObject membershipOf(const QString &group)
{
    return {{"contactGroupMembership", QJsonObject{{"contactGroupResourceName", group}}}};
}

TEST_F(PeopleServerTest, AtomSeed_IsThePersonThePeopleFaceShows)
{
    const QString groupId =
        server
            .seedGroups(kPeopleUser, {GDataEntryContactGroup::contactGroupEntryWithTitle(
                                         QStringLiteral("Book Club"))})
            .value(0);
    auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Anna Smith"));
    contact->setContentWithString(QStringLiteral("Met at the fair."));
    contact->setEmailAddresses({{"anna@example.org", QLatin1String(kGDataContactHome), {}, true},
                                {"anna@work.example", {}, QStringLiteral("Desk"), false}});
    contact->setPhoneNumbers({{"+1 555 0100", QLatin1String(kGDataPhoneNumberWorkFax), {}, false}});
    contact->setPostalAddresses(
        {{"1 Main St\nSpringfield", QLatin1String(kGDataContactWork), {}, false}});
    contact->setIMAddresses({{"anna.s",
                              QLatin1String(kGDataIMProtocolSkype),
                              QLatin1String(kGDataContactHome),
                              {},
                              false}});
    auto property = GDataExtendedProperty::propertyWithName(QStringLiteral("TOLVANE"));
    property.setXMLValue(QStringLiteral("ABCD:ABPerson"), QStringLiteral("aID"));
    contact->setExtendedProperties({property});
    const QString myContacts = groupId.left(groupId.lastIndexOf(u'/') + 1) + QStringLiteral("6");
    contact->setGroupMembershipInfos({{myContacts, false}, {groupId, false}});
    const QString id = server.seedContacts(kPeopleUser, {contact}).value(0);
    const QString localId = id.mid(id.lastIndexOf(u'/') + 1);
    const QString groupLocalId = groupId.mid(groupId.lastIndexOf(u'/') + 1);

    const JsonReply reply = getPerson(QStringLiteral("people/c") + localId);
    ASSERT_EQ(reply.status, 200);
    const QJsonObject &person = reply.body;
    EXPECT_EQ(first(person, "names").value("unstructuredName").toString(), "Anna Smith");
    EXPECT_EQ(first(person, "biographies").value("value").toString(), "Met at the fair.");
    const QJsonArray emails = person.value("emailAddresses").toArray();
    ASSERT_EQ(emails.size(), 2);
    EXPECT_EQ(emails[0].toObject().value("type").toString(), "home");
    EXPECT_TRUE(emails[0].toObject().value("metadata").toObject().value("primary").toBool());
    EXPECT_EQ(emails[1].toObject().value("type").toString(), "Desk");
    EXPECT_EQ(first(person, "phoneNumbers").value("type").toString(), "workFax");
    EXPECT_EQ(first(person, "addresses").value("formattedValue").toString(),
              "1 Main St\nSpringfield");
    EXPECT_EQ(first(person, "imClients").value("protocol").toString(), "skype");
    EXPECT_EQ(first(person, "clientData").value("key").toString(), "gdx:TOLVANE");
    EXPECT_EQ(
        QJsonDocument::fromJson(first(person, "clientData").value("value").toString().toUtf8())
            .object(),
        QJsonObject({{"c", QJsonArray{QJsonArray{"aID", "ABCD:ABPerson"}}}}));
    // Byte for byte what the compact JSON writer makes of it.
    EXPECT_EQ(first(person, "clientData").value("value").toString(),
              QStringLiteral(R"({"c":[["aID","ABCD:ABPerson"]]})"));
    EXPECT_EQ(membershipNames(person),
              QStringList({"contactGroups/myContacts", "contactGroups/" + groupLocalId}));
    EXPECT_TRUE(first(person, "photos").value("default").toBool());
    EXPECT_FALSE(person.value("metadata").toObject().value("sources").toArray().isEmpty());

    // Written through the People face, read through the Atom face.
    const QString created =
        createPerson({{"names", QJsonArray{QJsonObject{{"unstructuredName", "Ben Okafor"}}}},
                      {"emailAddresses",
                       QJsonArray{QJsonObject{{"value", "ben@example.net"},
                                              {"type", "work"},
                                              {"metadata", QJsonObject{{"sourcePrimary", true}}}}}},
                      {"clientData",
                       QJsonArray{QJsonObject{{"key", "gdx:TOLVANE"},
                                              {"value", "{\"c\":[[\"aID\",\"EF:ABPerson\"]]}"}}}}});
    const GDataFeedPtr atom = server.entries(kPeopleUser, GDataEntryBase::Kind::Contact);
    ASSERT_EQ(atom->entries().size(), 2u);
    const auto &ben = static_cast<const GDataEntryContact &>(*atom->entries()[1]);
    EXPECT_TRUE(ben.identifier().endsWith(created.mid(8)));
    EXPECT_EQ(ben.title(), QStringLiteral("Ben Okafor"));
    ASSERT_EQ(ben.emailAddresses().size(), 1u);
    EXPECT_EQ(ben.emailAddresses()[0].rel, QLatin1String(kGDataContactWork));
    EXPECT_TRUE(ben.emailAddresses()[0].primary);
    ASSERT_EQ(ben.extendedProperties().size(), 1u);
    EXPECT_EQ(ben.extendedProperties()[0].XMLValueForKey(QStringLiteral("aID")),
              QStringLiteral("EF:ABPerson"));
    // A new contact that names no group is one of My Contacts.
    ASSERT_EQ(ben.groupMembershipInfos().size(), 1u);
    EXPECT_EQ(ben.groupMembershipInfos()[0].href, myContacts);
}

TEST_F(PeopleServerTest, AtomSeedInNoGroup_IsOneOfMyContactsAndTakesAnUpdate)
{
    auto loner = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Lone Seed"));
    const QString id = server.seedContacts(kPeopleUser, {loner}).value(0);
    const QString name = "people/c" + id.mid(id.lastIndexOf(u'/') + 1);
    const QJsonObject person = getPerson(name).body;
    EXPECT_EQ(membershipNames(person), QStringList({"contactGroups/myContacts"}));

    // What a client read, it can send back with a new name.
    QJsonObject update{{"etag", person.value("etag")},
                       {"memberships", person.value("memberships")},
                       {"names", QJsonArray{QJsonObject{{"unstructuredName", "Lone Renamed"}}}}};
    EXPECT_EQ(call("PATCH",
                   "/v1/" + name + ":updateContact?updatePersonFields=names,memberships", update)
                  .status,
              200);
    EXPECT_EQ(first(getPerson(name).body, "names").value("unstructuredName").toString(),
              "Lone Renamed");
}

TEST_F(PeopleServerTest, Connections_FollowPagesToEveryPersonOnce)
{
    server.generateContacts(kPeopleUser, 25);
    struct Case
    {
        const char *query;
        int limit; // the server's own cut, 0: none
        std::vector<int> pages;
    };
    const Case cases[] = {
        {"&pageSize=10", 0, {10, 10, 5}},
        {"", 0, {25}}, // 100 by default
        {"&pageSize=1000", 7, {7, 7, 7, 4}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.query);
        server.setOptions({{"peoplePageLimit", c.limit}});
        QSet<QString> seen;
        std::vector<int> pages;
        QString token;
        do {
            const JsonReply page =
                call("GET",
                     QStringLiteral("/v1/people/me/connections?personFields=names%1%2")
                         .arg(QLatin1String(c.query),
                              token.isEmpty() ? QString() : QStringLiteral("&pageToken=") + token));
            ASSERT_EQ(page.status, 200);
            EXPECT_EQ(page.body.value("totalItems").toInt(), 25);
            const QJsonArray connections = page.body.value("connections").toArray();
            pages.push_back(int(connections.size()));
            for (const QJsonValue &person : connections) {
                seen.insert(person.toObject().value("resourceName").toString());
                // Only the fields asked for, besides the name and etag.
                EXPECT_FALSE(person.toObject().contains("emailAddresses"));
            }
            token = page.body.value("nextPageToken").toString();
        } while (!token.isEmpty() && pages.size() < 10);
        EXPECT_EQ(pages, c.pages);
        EXPECT_EQ(seen.size(), 25);
    }
}

// Lists are read again and again while persons change a few at a time: whatever changed since
// the last list, through any call, shows in the next one.
TEST_F(PeopleServerTest, Connections_ShowEveryChangeMadeSinceTheLastList)
{
    const QString groupId =
        server
            .seedGroups(kPeopleUser, {GDataEntryContactGroup::contactGroupEntryWithTitle(
                                         QStringLiteral("Club"))})
            .value(0);
    const QString club = "contactGroups/" + groupId.mid(groupId.lastIndexOf(u'/') + 1);
    const auto listed = [this] {
        QHash<QString, QJsonObject> persons;
        const JsonReply page =
            call("GET", "/v1/people/me/connections?pageSize=1000&personFields=" + kAllFields);
        EXPECT_EQ(page.status, 200);
        for (const QJsonValue &person : page.body.value("connections").toArray())
            persons.insert(person.toObject().value("resourceName").toString(), person.toObject());
        return persons;
    };
    const QByteArray png = QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAAAAAA6fptVAAAA"
                                                  "CklEQVR4nGNgAAAAAgABSK+kcQAAAABJRU5ErkJggg==");
    struct Case
    {
        const char *label;
        std::function<void(const QString &name)> change;
        std::function<void(const std::optional<QJsonObject> &listed)> check;
    };
    const Case cases[] = {
        {"name updated",
         [&](const QString &name) {
             QJsonObject person = named("Renamed");
             person.insert("etag", getPerson(name).body.value("etag"));
             EXPECT_EQ(
                 call("PATCH", "/v1/" + name + ":updateContact?updatePersonFields=names", person)
                     .status,
                 200);
         },
         [](const std::optional<QJsonObject> &person) {
             ASSERT_TRUE(person);
             EXPECT_EQ(first(*person, "names").value("unstructuredName").toString(), "Renamed");
         }},
        {"photo set",
         [&](const QString &name) {
             EXPECT_EQ(call("PATCH", "/v1/" + name + ":updateContactPhoto",
                            {{"photoBytes", QString::fromLatin1(png.toBase64())}})
                           .status,
                       200);
         },
         [](const std::optional<QJsonObject> &person) {
             ASSERT_TRUE(person);
             EXPECT_FALSE(first(*person, "photos").contains("default"));
         }},
        {"its group deleted",
         [&](const QString &) {
             EXPECT_EQ(call("DELETE", "/v1/" + club + "?deleteContacts=false").status, 200);
         },
         [&](const std::optional<QJsonObject> &person) {
             ASSERT_TRUE(person);
             EXPECT_FALSE(membershipNames(*person).contains(club));
         }},
        {"deleted",
         [&](const QString &name) {
             EXPECT_EQ(call("DELETE", "/v1/" + name + ":deleteContact").status, 200);
         },
         [](const std::optional<QJsonObject> &person) {
             EXPECT_FALSE(person);
         }},
    };
    std::vector<QString> names;
    for (const Case &c : cases) {
        QJsonObject person = named(QString::fromLatin1(c.label));
        person.insert("memberships", QJsonArray{membershipOf(club)});
        names.push_back(createPerson(person));
    }
    const QHash<QString, QJsonObject> before = listed();
    for (size_t i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(before.contains(names[i]));
        ASSERT_TRUE(membershipNames(before[names[i]]).contains(club));
        EXPECT_TRUE(first(before[names[i]], "photos").value("default").toBool());
        cases[i].change(names[i]);
    }
    const QHash<QString, QJsonObject> after = listed();
    for (size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(cases[i].label);
        cases[i].check(after.contains(names[i]) ? std::optional(after[names[i]]) : std::nullopt);
    }
}

TEST_F(PeopleServerTest, Requests_WithoutOrWithBadMasksAndSizesAreRefused)
{
    const QString name = createPerson(named("Anna"));
    const QString etag = getPerson(name).body.value("etag").toString();
    struct Case
    {
        const char *method;
        QString path;
        QJsonObject body;
    };
    const Case cases[] = {
        {"GET", "/v1/people/me/connections", {}},
        {"GET", "/v1/people/me/connections?personFields=names,bogus", {}},
        {"GET", "/v1/people/me/connections?personFields=names&pageSize=1001", {}},
        {"GET", "/v1/people/me/connections?personFields=names&pageToken=garbage", {}},
        {"GET", "/v1/" + name, {}},
        {"GET", "/v1/people:batchGet?resourceNames=" + name, {}},
        {"PATCH", "/v1/" + name + ":updateContact", {{"etag", etag}}},
        {"PATCH", "/v1/" + name + ":updateContact?updatePersonFields=photos", {{"etag", etag}}},
        {"POST",
         "/v1/people:batchCreateContacts",
         {{"contacts", QJsonArray{QJsonObject{{"contactPerson", named("B")}}}}}},
        {"POST",
         "/v1/people:batchUpdateContacts",
         {{"contacts", QJsonObject{{name, QJsonObject{{"etag", etag}}}}}, {"readMask", "names"}}},
        {"GET", "/v1/contactGroups?groupFields=bogus", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const JsonReply reply = call(c.method, c.path, c.body);
        EXPECT_EQ(reply.status, 400);
        EXPECT_EQ(reply.errorStatus(), "INVALID_ARGUMENT");
        EXPECT_FALSE(reply.body.value("error").toObject().value("message").toString().isEmpty());
    }
    EXPECT_EQ(getPerson(name).body.value("etag").toString(), etag); // nothing was written
}

TEST_F(PeopleServerTest, UpdateContact_ChecksTheEtag)
{
    struct Case
    {
        const char *label;
        int staleStatus; // the option
        bool sendEtag;
        bool stale;
        int expected;
        const char *status;
    };
    const Case cases[] = {
        {"current", 400, true, false, 200, ""},
        {"missing", 400, false, false, 400, "INVALID_ARGUMENT"},
        {"stale", 400, true, true, 400, "FAILED_PRECONDITION"},
        {"stale, answered as 412", 412, true, true, 412, "FAILED_PRECONDITION"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        server.setOptions({{"staleEtagStatus", c.staleStatus}});
        const QString name = createPerson(named("Before"));
        const QString etag = getPerson(name).body.value("etag").toString();
        if (c.stale) {
            QJsonObject change = named("Meanwhile");
            change.insert("etag", etag);
            ASSERT_EQ(
                call("PATCH", "/v1/" + name + ":updateContact?updatePersonFields=names", change)
                    .status,
                200);
        }
        QJsonObject update = named("After");
        if (c.sendEtag)
            update.insert("etag", etag);
        const JsonReply reply =
            call("PATCH", "/v1/" + name + ":updateContact?updatePersonFields=names", update);
        EXPECT_EQ(reply.status, c.expected);
        EXPECT_EQ(reply.errorStatus(), QLatin1String(c.status));
        const QString shown =
            first(getPerson(name).body, "names").value("unstructuredName").toString();
        EXPECT_EQ(shown, c.expected == 200 ? "After" : c.stale ? "Meanwhile" : "Before");
        if (c.expected == 200) {
            EXPECT_NE(reply.body.value("etag").toString(), etag);
        }
    }
}

TEST_F(PeopleServerTest, UpdateContact_KeepsUnknownKeysFieldsOutsideTheMaskAndOtherClientsData)
{
    const QString name = server.seedPerson(
        kPeopleUser,
        {{"names", QJsonArray{QJsonObject{{"givenName", "Anna"}, {"familyName", "Smith"}}}},
         {"emailAddresses",
          QJsonArray{QJsonObject{{"value", "anna@example.org"}, {"displayName", "Anna S."}}}},
         {"addresses",
          QJsonArray{QJsonObject{{"formattedValue", "PO Box 7\nSpringfield"}, {"poBox", "7"}}}},
         {"birthdays", QJsonArray{QJsonObject{{"text", "1 May"}}}},
         {"clientData", QJsonArray{QJsonObject{{"key", "other-app"}, {"value", "theirs"}}}}});
    ASSERT_FALSE(name.isEmpty());
    QJsonObject person = getPerson(name).body;
    // A name seeded in parts reads with the text the Atom face holds.
    EXPECT_EQ(first(person, "names").value("unstructuredName").toString(), "Anna Smith");
    EXPECT_EQ(first(person, "names").value("givenName").toString(), "Anna");

    // The client sends what it models: the e-mail's type changes, the birthday it sends is
    // outside the mask, and its clientData holds its own item beside the other client's.
    QJsonObject update{
        {"etag", person.value("etag")},
        {"emailAddresses",
         QJsonArray{QJsonObject{{"value", "anna@example.org"}, {"type", "work"}}}},
        {"birthdays", QJsonArray{QJsonObject{{"text", "2 June"}}}},
        {"clientData", QJsonArray{QJsonObject{{"key", "gdx:TOLVANE"}, {"value", "{\"c\":[]}"}},
                                  QJsonObject{{"key", "other-app"}, {"value", "theirs"}}}}};
    const JsonReply reply =
        call("PATCH", "/v1/" + name + ":updateContact?updatePersonFields=emailAddresses,clientData",
             update);
    ASSERT_EQ(reply.status, 200) << QJsonDocument(reply.body).toJson().constData();
    person = getPerson(name).body;
    EXPECT_EQ(first(person, "emailAddresses").value("type").toString(), "work");
    EXPECT_EQ(first(person, "birthdays").value("text").toString(), "1 May");
    EXPECT_EQ(first(person, "names").value("givenName").toString(), "Anna");
    QStringList keys;
    for (const QJsonValue &item : person.value("clientData").toArray())
        keys.append(item.toObject().value("key").toString());
    EXPECT_EQ(keys, QStringList({"gdx:TOLVANE", "other-app"}));
    // The Atom face sees the program's property and never the other client's item.
    const GDataFeedPtr atom = server.entries(kPeopleUser, GDataEntryBase::Kind::Contact);
    ASSERT_EQ(atom->entries().at(0)->extendedProperties().size(), 1u);
    EXPECT_EQ(atom->entries()[0]->extendedProperties()[0].name(), QStringLiteral("TOLVANE"));
}

TEST_F(PeopleServerTest, AtomWrites_KeepTheKeysOfPeopleElementsWhileTheirValuesStay)
{
    const QString name = server.seedPerson(
        kPeopleUser,
        {{"emailAddresses",
          QJsonArray{QJsonObject{{"value", "anna@example.org"}, {"displayName", "Anna S."}}}},
         {"addresses",
          QJsonArray{QJsonObject{{"formattedValue", "PO Box 7\nSpringfield"}, {"poBox", "7"}}}},
         {"birthdays", QJsonArray{QJsonObject{{"text", "1 May"}}}}});
    // An Atom client signs in and rewrites the entry: the e-mail stays, the address moves.
    QUrlQuery form;
    form.addQueryItem("Email", kPeopleUser);
    form.addQueryItem("Passwd", "unused");
    form.addQueryItem("service", "cp");
    const HttpTestReply login = httptest::send(
        "POST", url("/accounts/ClientLogin"), form.toString(QUrl::FullyEncoded).toLatin1(),
        {{"Content-Type", "application/x-www-form-urlencoded"}});
    const QByteArray auth = login.body.mid(login.body.indexOf("Auth=") + 5).trimmed();
    const GDataFeedPtr atom = server.entries(kPeopleUser, GDataEntryBase::Kind::Contact);
    auto contact = std::static_pointer_cast<GDataEntryContact>(atom->entries().at(0)->copy());
    contact->setPostalAddresses({{"2 High St", QLatin1String(kGDataContactHome), {}, false}});
    const QString edit = contact->editLink()->href;
    const HttpTestReply put = httptest::send("PUT", QUrl(edit), atomwriter::entryXML(*contact),
                                             {{"Authorization", "GoogleLogin auth=" + auth},
                                              {"GData-Version", "2.0"},
                                              {"Content-Type", "application/atom+xml"},
                                              {"If-Match", contact->ETag()->toUtf8()}});
    ASSERT_EQ(put.status, 200) << put.body.constData();

    const QJsonObject person = getPerson(name).body;
    EXPECT_EQ(first(person, "emailAddresses").value("displayName").toString(), "Anna S.");
    EXPECT_EQ(first(person, "addresses").value("formattedValue").toString(), "2 High St");
    EXPECT_FALSE(first(person, "addresses").contains("poBox"));
    EXPECT_EQ(first(person, "birthdays").value("text").toString(), "1 May");
}

TEST_F(PeopleServerTest, Writes_OfShapesGoogleRefusesAreRefused)
{
    const QString user =
        server
            .seedGroups(kPeopleUser, {GDataEntryContactGroup::contactGroupEntryWithTitle(
                                         QStringLiteral("Club"))})
            .value(0);
    const QString club = "contactGroups/" + user.mid(user.lastIndexOf(u'/') + 1);
    struct Case
    {
        const char *label;
        const char *fields;
        QJsonObject person;
        int expected;
    };
    const Case cases[] = {
        {"two names",
         "names",
         {{"names", QJsonArray{QJsonObject{{"unstructuredName", "A"}},
                               QJsonObject{{"unstructuredName", "B"}}}}},
         400},
        {"two biographies",
         "biographies",
         {{"biographies", QJsonArray{QJsonObject{{"value", "a"}}, QJsonObject{{"value", "b"}}}}},
         400},
        {"memberships to none", "memberships", {{"memberships", QJsonArray{}}}, 400},
        {"a deprecated system group",
         "memberships",
         {{"memberships", QJsonArray{membershipOf("contactGroups/friends")}}},
         400},
        {"a group that does not exist",
         "memberships",
         {{"memberships", QJsonArray{membershipOf("contactGroups/ffff")}}},
         400},
        {"starred and a user group",
         "memberships",
         {{"memberships", QJsonArray{membershipOf("contactGroups/starred"), membershipOf(club)}}},
         200},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const QString name = createPerson(named("Anna"));
        const QJsonObject before = getPerson(name).body;
        QJsonObject update = c.person;
        update.insert("etag", before.value("etag"));
        const JsonReply reply = call(
            "PATCH", "/v1/" + name + ":updateContact?updatePersonFields=" + QLatin1String(c.fields),
            update);
        EXPECT_EQ(reply.status, c.expected);
        const QJsonObject after = getPerson(name).body;
        if (c.expected == 200) {
            EXPECT_EQ(membershipNames(after), QStringList({club, "contactGroups/starred"}));
        } else {
            EXPECT_EQ(after.value("etag"), before.value("etag"));
        }
    }
    // A member of a deprecated group may stay one or leave it.
    auto friendly = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Old friend"));
    friendly->setGroupMembershipInfos({{user.left(user.lastIndexOf(u'/') + 1) + "d", false}});
    const QString id = server.seedContacts(kPeopleUser, {friendly}).value(0);
    const QString name = "people/c" + id.mid(id.lastIndexOf(u'/') + 1);
    const QJsonObject person = getPerson(name).body;
    EXPECT_EQ(membershipNames(person), QStringList({"contactGroups/friends"}));
    EXPECT_EQ(call("PATCH", "/v1/" + name + ":updateContact?updatePersonFields=memberships",
                   {{"etag", person.value("etag")},
                    {"memberships", QJsonArray{membershipOf("contactGroups/friends"),
                                               membershipOf("contactGroups/myContacts")}}})
                  .status,
              200);
}

TEST_F(PeopleServerTest, GetAndDelete_OfMissingOrDeletedContactsAreNotFound)
{
    const QString name = createPerson(named("Gone"));
    ASSERT_EQ(call("DELETE", "/v1/" + name + ":deleteContact").status, 200);
    for (const QString &missing :
         {name, QStringLiteral("people/cfffff"), QStringLiteral("people/x")}) {
        SCOPED_TRACE(missing.toStdString());
        const JsonReply get = getPerson(missing);
        EXPECT_EQ(get.status, 404);
        EXPECT_EQ(get.errorStatus(), "NOT_FOUND");
        EXPECT_EQ(call("DELETE", "/v1/" + missing + ":deleteContact").status, 404);
    }
    // The Atom face keeps the tombstone.
    const GDataFeedPtr atom = server.entries(kPeopleUser, GDataEntryBase::Kind::Contact);
    ASSERT_EQ(atom->entries().size(), 1u);
    EXPECT_TRUE(atom->entries()[0]->isDeleted());
    EXPECT_EQ(call("GET", "/v1/people/me/connections?personFields=names").body.value("totalItems"),
              0);
}

TEST_F(PeopleServerTest, Bearer_MissingExpiredOrWithoutTheContactsScopeIsRefused)
{
    const QByteArray good = accessToken;
    const QByteArray narrow =
        server.mintToken(kPeopleUser, kClientId, "openid email").accessToken.toLatin1();
    struct Case
    {
        const char *label;
        QByteArray token;
        bool expireFirst;
        int expected;
    };
    const Case cases[] = {
        {"good", good, false, 200},
        {"none", {}, false, 401},
        {"unknown", "ya29.nothing", false, 401},
        {"without the contacts scope", narrow, false, 403},
        {"expired", good, true, 401},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        if (c.expireFirst)
            server.expireTokens(kPeopleUser);
        accessToken = c.token;
        const JsonReply reply = call("GET", "/v1/people/me/connections?personFields=names");
        EXPECT_EQ(reply.status, c.expected);
        if (c.expected == 401) {
            EXPECT_EQ(reply.errorStatus(), "UNAUTHENTICATED");
        }
    }
}

TEST_F(PeopleServerTest, ListLag_HidesYoungWritesFromListsButNotFromGets)
{
    server.setOptions({{"listLagMs", 400}});
    const QString name = createPerson(named("Fresh"));
    EXPECT_EQ(call("GET", "/v1/people/me/connections?personFields=names").body.value("totalItems"),
              0);
    EXPECT_EQ(getPerson(name).status, 200);
    QThread::msleep(450);
    EXPECT_EQ(call("GET", "/v1/people/me/connections?personFields=names").body.value("totalItems"),
              1);
}

TEST_F(PeopleServerTest, Faults_AnswerInGooglesFormAndAppliedThenDroppedKeepsTheWrite)
{
    server.injectRetryAfter(QStringLiteral("/v1/people:createContact"), 429, QStringLiteral("2"));
    const JsonReply limited = call("POST", "/v1/people:createContact", named("Later"));
    EXPECT_EQ(limited.status, 429);
    EXPECT_EQ(limited.errorStatus(), "RESOURCE_EXHAUSTED");
    EXPECT_EQ(limited.headers.value("retry-after"), "2");
    EXPECT_EQ(call("GET", "/v1/people/me/connections?personFields=names").body.value("totalItems"),
              0);

    server.injectApplyThenDrop(QStringLiteral("/v1/people:createContact"), 1, "POST");
    // A plain socket, so that no network layer sends the request a second time.
    const QByteArray body = QJsonDocument(named("Kept")).toJson(QJsonDocument::Compact);
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write("POST /v1/people:createContact HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                 "Authorization: Bearer " +
                 accessToken + "\r\nContent-Type: application/json\r\nContent-Length: " +
                 QByteArray::number(body.size()) + "\r\n\r\n" + body);
    QByteArray answer;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(10000))
        answer += socket.readAll();
    EXPECT_TRUE(answer.isEmpty()) << answer.constData();
    const QJsonObject list = call("GET", "/v1/people/me/connections?personFields=names").body;
    EXPECT_EQ(list.value("totalItems"), 1); // applied once: a POST is not sent again
    EXPECT_EQ(first(list.value("connections").toArray().at(0).toObject(), "names")
                  .value("unstructuredName"),
              "Kept");
}

TEST_F(PeopleServerTest, RequestLog_CountsWritesInFlightAndRedactsTokens)
{
    server.setOptions({{"mutationDelayMs", 300}});
    createPerson(named("One"));
    createPerson(named("Two"));
    EXPECT_EQ(server.mostMutationsInFlight(kPeopleUser), 1);

    // Two writes side by side, on two connections.
    QNetworkAccessManager network;
    std::vector<QNetworkReply *> replies;
    for (const char *name : {"Three", "Four"}) {
        QNetworkRequest request(url("/v1/people:createContact"));
        request.setRawHeader("Authorization", "Bearer " + accessToken);
        request.setRawHeader("Content-Type", "application/json");
        request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
        replies.push_back(network.post(
            request, QJsonDocument(named(QLatin1String(name))).toJson(QJsonDocument::Compact)));
    }
    QEventLoop loop;
    int finished = 0;
    for (QNetworkReply *reply : replies)
        QObject::connect(reply, &QNetworkReply::finished, &loop, [&] {
            if (++finished == 2)
                loop.quit();
        });
    loop.exec();
    qDeleteAll(replies);
    EXPECT_EQ(server.mostMutationsInFlight(kPeopleUser), 2);

    const QString log = QString::fromUtf8(QJsonDocument(server.requestLog()).toJson());
    EXPECT_FALSE(log.contains(QString::fromLatin1(accessToken)));
    EXPECT_TRUE(log.contains(QStringLiteral("Bearer <redacted>")));
}

} // namespace
