// The People face's batches, contact groups and photos over plain HTTP.

#include "tests/tools/gdata-server/peopleserverfixture.h"

#include "platform/gdata/entries/gdataentrycontact.h"

namespace {

QJsonArray contactsNamed(const QStringList &names)
{
    QJsonArray contacts;
    for (const QString &name : names)
        contacts.append(QJsonObject{
            {"contactPerson",
             QJsonObject{{"names", QJsonArray{QJsonObject{{"unstructuredName", name}}}}}}});
    return contacts;
}

QString nameOf(const QJsonObject &person)
{
    return person.value("names").toArray().at(0).toObject().value("unstructuredName").toString();
}

class PeopleBatchTest : public PeopleServerTest
{
protected:
    // The names of the listed contacts, in order.
    QStringList listed()
    {
        QStringList names;
        const JsonReply list = call("GET", "/v1/people/me/connections?personFields=names");
        for (const QJsonValue &person : list.body.value("connections").toArray())
            names.append(nameOf(person.toObject()));
        return names;
    }
};

TEST_F(PeopleBatchTest, BatchCreate_IsAllOrNothingWithTheRefusedIndexes)
{
    const QStringList names = {"A", "B", "C", "D", "E"};
    server.refusePeopleBatchEntry(3, 400, QStringLiteral("Invalid contact."));
    const JsonReply refused =
        call("POST", "/v1/people:batchCreateContacts",
             {{"contacts", contactsNamed(names)}, {"readMask", "names,metadata"}});
    EXPECT_EQ(refused.status, 400);
    const QJsonArray details = refused.body.value("error").toObject().value("details").toArray();
    ASSERT_EQ(details.size(), 1);
    const QJsonObject errors = details[0].toObject().value("contactErrors").toObject();
    EXPECT_EQ(errors.keys(), QStringList({"3"}));
    EXPECT_EQ(errors.value("3").toObject().value("code").toInt(), 3); // INVALID_ARGUMENT
    EXPECT_TRUE(listed().isEmpty());

    // Sent again without the refused one: created once each, answered in request order.
    const QStringList rest = {"A", "B", "C", "E"};
    const JsonReply created = call("POST", "/v1/people:batchCreateContacts",
                                   {{"contacts", contactsNamed(rest)}, {"readMask", "names"}});
    ASSERT_EQ(created.status, 200);
    QStringList answered;
    for (const QJsonValue &response : created.body.value("createdPeople").toArray())
        answered.append(nameOf(response.toObject().value("person").toObject()));
    EXPECT_EQ(answered, rest);
    EXPECT_EQ(listed(), rest);
}

TEST_F(PeopleBatchTest, Batches_OverTheirLimitsAreRefusedWhole)
{
    const QString name = createPerson(named("Anna"));
    const QString etag = getPerson(name).body.value("etag").toString();
    QStringList many;
    for (int i = 0; i < 201; ++i)
        many.append(QStringLiteral("P%1").arg(i));
    QJsonObject updates;
    for (int i = 0; i < 201; ++i)
        updates.insert(QStringLiteral("people/c%1").arg(0x1000 + i, 0, 16),
                       QJsonObject{{"etag", etag}});
    QJsonArray deletes;
    for (int i = 0; i < 501; ++i)
        deletes.append(name);
    struct Case
    {
        const char *path;
        QJsonObject body;
    };
    const Case cases[] = {
        {"/v1/people:batchCreateContacts",
         {{"contacts", contactsNamed(many)}, {"readMask", "names"}}},
        {"/v1/people:batchUpdateContacts",
         {{"contacts", updates}, {"updateMask", "names"}, {"readMask", "names"}}},
        {"/v1/people:batchDeleteContacts", {{"resourceNames", deletes}}},
        {"/v1/people:batchCreateContacts", {{"contacts", QJsonArray{}}, {"readMask", "names"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        const JsonReply reply = call("POST", QLatin1String(c.path), c.body);
        EXPECT_EQ(reply.status, 400);
        EXPECT_EQ(reply.errorStatus(), "INVALID_ARGUMENT");
    }
    EXPECT_EQ(listed(), QStringList({"Anna"}));
}

TEST_F(PeopleBatchTest, BatchUpdate_RefusesByNameAndAppliesNothingThen)
{
    const QString anna = createPerson(named("Anna"));
    const QString ben = createPerson(named("Ben"));
    const QString carl = createPerson(named("Carl"));
    auto update = [&](const QString &name, const QString &newName, bool stale = false) {
        QJsonObject person = named(newName);
        person.insert("etag", stale ? QStringLiteral("%stale")
                                    : getPerson(name).body.value("etag").toString());
        return person;
    };
    server.refusePeopleBatchEntry(ben, 403, QStringLiteral("Not yours."));
    const JsonReply refused = call("POST", "/v1/people:batchUpdateContacts",
                                   {{"contacts", QJsonObject{{anna, update(anna, "Anna 2")},
                                                             {ben, update(ben, "Ben 2")},
                                                             {carl, update(carl, "Carl 2", true)}}},
                                    {"updateMask", "names"},
                                    {"readMask", "names"}});
    EXPECT_GE(refused.status, 400);
    const QJsonObject errors = refused.body.value("error")
                                   .toObject()
                                   .value("details")
                                   .toArray()
                                   .at(0)
                                   .toObject()
                                   .value("contactErrors")
                                   .toObject();
    EXPECT_EQ(errors.keys(), QStringList({ben, carl}));
    EXPECT_EQ(errors.value(ben).toObject().value("code").toInt(), 7);  // PERMISSION_DENIED
    EXPECT_EQ(errors.value(carl).toObject().value("code").toInt(), 9); // FAILED_PRECONDITION
    EXPECT_EQ(listed(), QStringList({"Anna", "Ben", "Carl"}));

    const JsonReply applied = call(
        "POST", "/v1/people:batchUpdateContacts",
        {{"contacts", QJsonObject{{anna, update(anna, "Anna 2")}, {ben, update(ben, "Ben 2")}}},
         {"updateMask", "names"},
         {"readMask", "names"}});
    ASSERT_EQ(applied.status, 200);
    EXPECT_EQ(nameOf(applied.body.value("updateResult")
                         .toObject()
                         .value(ben)
                         .toObject()
                         .value("person")
                         .toObject()),
              "Ben 2");
    EXPECT_EQ(listed(), QStringList({"Anna 2", "Ben 2", "Carl"}));
}

TEST_F(PeopleBatchTest, BatchGetAndBatchDelete_ReportMissingPeople)
{
    const QString anna = createPerson(named("Anna"));
    const QString ben = createPerson(named("Ben"));
    const QString unknown = QStringLiteral("people/cfffff");
    // One unknown name refuses the whole delete.
    EXPECT_EQ(call("POST", "/v1/people:batchDeleteContacts",
                   {{"resourceNames", QJsonArray{anna, unknown}}})
                  .status,
              404);
    EXPECT_EQ(listed(), QStringList({"Anna", "Ben"}));
    ASSERT_EQ(call("POST", "/v1/people:batchDeleteContacts", {{"resourceNames", QJsonArray{anna}}})
                  .status,
              200);
    const JsonReply got =
        call("GET", "/v1/people:batchGet?personFields=names&resourceNames=" + anna +
                        "&resourceNames=" + ben);
    ASSERT_EQ(got.status, 200);
    const QJsonArray responses = got.body.value("responses").toArray();
    ASSERT_EQ(responses.size(), 2);
    EXPECT_EQ(responses[0].toObject().value("httpStatusCode").toInt(), 404);
    EXPECT_EQ(responses[0].toObject().value("status").toObject().value("code").toInt(), 5);
    EXPECT_EQ(responses[1].toObject().value("httpStatusCode").toInt(), 200);
    EXPECT_EQ(nameOf(responses[1].toObject().value("person").toObject()), "Ben");
    EXPECT_EQ(listed(), QStringList({"Ben"}));
}

TEST_F(PeopleBatchTest, ContactGroups_ListSystemAndOwnGroupsAndRefuseDuplicateNames)
{
    const JsonReply made =
        call("POST", "/v1/contactGroups", {{"contactGroup", QJsonObject{{"name", "Friends"}}}});
    ASSERT_EQ(made.status, 200); // a user group may share a system group's display name
    const QString group = made.body.value("resourceName").toString();
    EXPECT_EQ(made.body.value("groupType").toString(), "USER_CONTACT_GROUP");
    const JsonReply duplicate =
        call("POST", "/v1/contactGroups", {{"contactGroup", QJsonObject{{"name", "Friends"}}}});
    EXPECT_EQ(duplicate.status, 409);
    EXPECT_EQ(duplicate.errorStatus(), "ALREADY_EXISTS");

    QJsonObject member = named("Anna");
    member.insert("memberships",
                  QJsonArray{QJsonObject{{"contactGroupMembership",
                                          QJsonObject{{"contactGroupResourceName", group}}}}});
    const QString anna = createPerson(member);
    const JsonReply list = call("GET", "/v1/contactGroups");
    ASSERT_EQ(list.status, 200);
    QStringList names;
    for (const QJsonValue &value : list.body.value("contactGroups").toArray())
        names.append(value.toObject().value("resourceName").toString());
    EXPECT_EQ(names, QStringList({"contactGroups/myContacts", "contactGroups/friends",
                                  "contactGroups/family", "contactGroups/coworkers",
                                  "contactGroups/starred", "contactGroups/all", group}));
    const JsonReply one = call("GET", "/v1/" + group + "?maxMembers=10");
    EXPECT_EQ(one.body.value("memberCount").toInt(), 1);
    EXPECT_EQ(one.body.value("memberResourceNames").toArray(), QJsonArray{anna});

    // Renamed with its etag, to a name no other group has; then removed, its members kept.
    const QString etag = one.body.value("etag").toString();
    const JsonReply stale = call(
        "PUT", "/v1/" + group, {{"contactGroup", QJsonObject{{"name", "Pals"}, {"etag", "%old"}}}});
    EXPECT_EQ(stale.errorStatus(), "FAILED_PRECONDITION");
    const JsonReply renamed = call(
        "PUT", "/v1/" + group, {{"contactGroup", QJsonObject{{"name", "Pals"}, {"etag", etag}}}});
    ASSERT_EQ(renamed.status, 200);
    EXPECT_EQ(renamed.body.value("name").toString(), "Pals");
    EXPECT_EQ(call("DELETE", "/v1/contactGroups/myContacts").status, 400);
    EXPECT_EQ(call("DELETE", "/v1/" + group + "?deleteContacts=false").status, 200);
    EXPECT_EQ(call("GET", "/v1/" + group).status, 404);
    EXPECT_EQ(listed(), QStringList({"Anna"}));
}

TEST_F(PeopleBatchTest, Photos_OnlyJpegOrPngAndServedWithoutAToken)
{
    const QString name = createPerson(named("Anna"));
    const QByteArray png = QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAAAAAA6fptVAAAA"
                                                  "CklEQVR4nGNgAAAAAgABSK+kcQAAAABJRU5ErkJggg==");
    const QByteArray gif = QByteArray::fromBase64("R0lGODlhAQABAAAAACwAAAAAAQABAAACAkQBADs=");
    const JsonReply refused = call("PATCH", "/v1/" + name + ":updateContactPhoto",
                                   {{"photoBytes", QString::fromLatin1(gif.toBase64())}});
    EXPECT_EQ(refused.status, 400);

    const JsonReply set =
        call("PATCH", "/v1/" + name + ":updateContactPhoto",
             {{"photoBytes", QString::fromLatin1(png.toBase64())}, {"personFields", "photos"}});
    ASSERT_EQ(set.status, 200);
    const QJsonObject photo =
        set.body.value("person").toObject().value("photos").toArray().at(0).toObject();
    EXPECT_FALSE(photo.value("default").toBool());
    const HttpTestReply bytes = httptest::send("GET", QUrl(photo.value("url").toString()));
    EXPECT_EQ(bytes.status, 200);
    EXPECT_EQ(bytes.body, png);
    // The Atom face holds the same photo.
    const GDataFeedPtr atom = server.entries(kPeopleUser, GDataEntryBase::Kind::Contact);
    const auto &contact = static_cast<const GDataEntryContact &>(*atom->entries().at(0));
    ASSERT_TRUE(contact.photoLink().has_value());
    EXPECT_TRUE(contact.photoLink()->etag.has_value());

    const JsonReply removed =
        call("DELETE", "/v1/" + name + ":deleteContactPhoto?personFields=photos");
    ASSERT_EQ(removed.status, 200);
    const QJsonObject fallback =
        removed.body.value("person").toObject().value("photos").toArray().at(0).toObject();
    EXPECT_TRUE(fallback.value("default").toBool());
    EXPECT_EQ(httptest::send("GET", QUrl(photo.value("url").toString())).status, 404);
    EXPECT_EQ(httptest::send("GET", QUrl(fallback.value("url").toString())).status, 200);
}

TEST(PeoplePhotoPortTest, Photos_OnASecondPortAreAnotherOrigin)
{
    GDataTestServer server;
    ASSERT_TRUE(server.start({QStringLiteral("--photo-port"), QStringLiteral("0")}));
    ASSERT_NE(server.photoPort(), 0);
    ASSERT_NE(server.photoPort(), server.port());
    server.addAccount(kPeopleUser, QStringLiteral("unused"));
    server.registerOAuthClient(kClientId, kClientSecret);
    auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Anna"));
    const QString id = server.seedContacts(kPeopleUser, {contact}).value(0);
    server.setPhoto(kPeopleUser, id, "\xFF\xD8\xFFjpeg bytes");
    const QJsonObject person = server.peopleJson(kPeopleUser, id);
    const QUrl photo(person.value("photos").toArray().at(0).toObject().value("url").toString());
    EXPECT_EQ(photo.port(), server.photoPort());
    const HttpTestReply bytes = httptest::send("GET", photo);
    EXPECT_EQ(bytes.status, 200);
    EXPECT_EQ(bytes.body, QByteArray("\xFF\xD8\xFFjpeg bytes"));
    QStringList origins;
    for (const QJsonValue &request : server.requestLog())
        origins.append(request.toObject().value("origin").toString());
    EXPECT_EQ(origins.count(QStringLiteral("photos")), 1);
    // The second origin serves photos and nothing else.
    QUrl data = photo;
    data.setPath(QStringLiteral("/v1/people/me/connections"));
    EXPECT_EQ(httptest::send("GET", data).status, 404);
}

} // namespace
