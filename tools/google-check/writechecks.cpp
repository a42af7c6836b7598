#include "tools/google-check/writechecks.h"

#include "platform/gdata/people/peopleconstants.h"
#include "tools/google-check/checkapi.h"
#include "tools/google-check/checkinterrupt.h"
#include "tools/google-check/personshapes.h"

#include <QBuffer>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

#include <algorithm>

namespace {

// How long the check waits for a write to show in a list, and how often it looks.
constexpr int kShowWaitMs = 120000;
constexpr int kShowPollMs = 2000;
// The check's own clientData key, in the layer's encoding of an extended property.
constexpr char kCheckKey[] = "gdx:TolvaneCheck";
constexpr char kFriendsGroup[] = "contactGroups/friends";
constexpr char kReadMask[] = "names,clientData,memberships,metadata";
constexpr char kGroupReadFields[] = "name,groupType,metadata";
constexpr int kOrderedContacts = 3;
constexpr int kClientDataSizes[] = {1024, 8 * 1024, 32 * 1024};
constexpr int kClientDataItems = 12;

void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QString path(const QString &resourceName, const char *verb = nullptr)
{
    QString text = QStringLiteral("v1/") + resourceName;
    if (verb)
        text += u':' + QLatin1String(verb);
    return text;
}

QJsonObject clientValue(const QString &value)
{
    return {{"key", QLatin1String(kCheckKey)},
            {"value", QStringLiteral("{\"v\":\"%1\"}").arg(value)}};
}

// The value attribute of the check's own item. The item's text may come back in another but
// equal JSON form, so its value is compared, not its text.
QString checkValueOf(const QJsonObject &person)
{
    for (const QJsonValue &item : person.value(QLatin1String("clientData")).toArray()) {
        const QJsonObject data = item.toObject();
        if (data.value(QLatin1String("key")).toString() == QLatin1String(kCheckKey))
            return QJsonDocument::fromJson(data.value(QLatin1String("value")).toString().toUtf8())
                .object()
                .value(QLatin1String(kPeopleClientDataValueKey))
                .toString();
    }
    return {};
}

QJsonArray keysOf(const QJsonObject &object)
{
    QStringList keys = object.keys();
    keys.removeAll(QStringLiteral("metadata"));
    return QJsonArray::fromStringList(keys);
}

QByteArray pngBytes()
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool listHolds(const CheckList &list, const QString &name, bool deleted)
{
    return std::any_of(list.items.begin(), list.items.end(), [&](const QJsonValue &item) {
        const QJsonObject person = item.toObject();
        return person.value(QLatin1String("resourceName")).toString() == name &&
               person.value(QLatin1String("metadata"))
                       .toObject()
                       .value(QLatin1String("deleted"))
                       .toBool() == deleted;
    });
}

// The time until the list shows the person (as deleted, or not), looked at every few seconds.
QJsonObject waitInList(CheckApi &api, const QString &name, bool deleted, const QString &syncToken)
{
    QElapsedTimer clock;
    clock.start();
    int looks = 0;
    while (true) {
        ++looks;
        const CheckList list = api.list(QStringLiteral("v1/people/me/connections"),
                                        connectionsQuery(syncToken), QStringLiteral("connections"));
        if (list.failure)
            return {{"error", errorShape(*list.failure)}, {"looks", looks}};
        if (listHolds(list, name, deleted))
            return {{"shown", true}, {"ms", clock.elapsed()}, {"looks", looks}};
        if (clock.elapsed() > kShowWaitMs || interrupted())
            return {{"shown", false}, {"waitedMs", clock.elapsed()}, {"looks", looks}};
        pause(kShowPollMs);
    }
}

} // namespace

WriteChecks::WriteChecks(CheckApi &api, const QString &syncToken, int batch)
    : m_api(api)
    , m_syncToken(syncToken)
    , m_batch(batch)
    , m_runMark(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
{}

CheckReply WriteChecks::createGroup()
{
    return m_api.call(
        "POST", QStringLiteral("v1/contactGroups"), {},
        QJsonObject{
            {"contactGroup", QJsonObject{{"name", QStringLiteral("Tolvane check ") + m_runMark}}},
            {"readGroupFields", QLatin1String(kGroupReadFields)}});
}

QJsonObject WriteChecks::run()
{
    QJsonObject section;
    const auto step = [&section](const char *name, const auto &check) {
        if (!interrupted())
            section.insert(QLatin1String(name), check());
    };
    const CheckReply group = createGroup();
    m_group = group.json.value(QLatin1String("resourceName")).toString();
    if (group.ok() && !m_group.isEmpty()) {
        m_groups.append(m_group);
        section.insert("groupCreate", QJsonObject{{"httpStatus", group.status}, {"ms", group.ms}});
        step("duplicateGroupName", [this] { return duplicateGroupName(); });
        step("createdPeopleOrder", [this] { return createdOrder(); });
        if (m_people.size() >= kOrderedContacts) {
            const QString a = m_people[0], b = m_people[1], c = m_people[2];
            step("timeToShow", [&] { return timeToShow(a); });
            step("staleEtagUpdate", [&] { return staleEtag(a); });
            step("carriageReturnInBiography", [&] { return carriageReturn(a); });
            step("clientData", [&] { return clientDataLimits(b); });
            step("unstructuredValues", [&] { return unstructuredValues(c); });
            step("memberOfFriends", [&] { return deprecatedGroupMember(c); });
            step("pngPhoto", [&] { return pngPhoto(b); });
            step("batchDeleteWithUnknownName", [&] { return deleteWithUnknownName(a); });
            step("tombstone", [&] { return tombstone(a); });
        }
        if (m_batch > 0)
            step("batchCreate", [this] { return timedBatch(); });
    } else {
        section.insert("groupCreate", errorShape(group));
    }
    if (interrupted())
        section.insert("interrupted", true);
    section.insert("cleanUp", cleanUp());
    return section;
}

QJsonObject WriteChecks::duplicateGroupName()
{
    const CheckReply duplicate = createGroup();
    if (!duplicate.ok())
        return errorShape(duplicate);
    m_groups.append(duplicate.json.value(QLatin1String("resourceName")).toString());
    return {{"httpStatus", duplicate.status}, {"accepted", true}};
}

QJsonObject WriteChecks::person(int index) const
{
    return {
        {"names", QJsonArray{QJsonObject{
                      {"unstructuredName", QStringLiteral("Tolvane Check %1").arg(index)}}}},
        {"clientData", QJsonArray{clientValue(QStringLiteral("%1 %2").arg(m_runMark).arg(index))}},
        {"memberships",
         QJsonArray{QJsonObject{
             {"contactGroupMembership", QJsonObject{{"contactGroupResourceName", m_group}}}}}}};
}

QStringList WriteChecks::created(const QJsonObject &answer)
{
    QStringList names;
    for (const QJsonValue &item : answer.value(QLatin1String("createdPeople")).toArray()) {
        const QString name = item.toObject()
                                 .value(QLatin1String("person"))
                                 .toObject()
                                 .value(QLatin1String("resourceName"))
                                 .toString();
        if (!name.isEmpty()) {
            names.append(name);
            m_people.append(name);
        }
    }
    return names;
}

QJsonObject WriteChecks::createdOrder()
{
    QJsonArray contacts;
    for (int i = 0; i < kOrderedContacts; ++i)
        contacts.append(QJsonObject{{"contactPerson", person(i)}});
    const CheckReply reply =
        m_api.call("POST", QStringLiteral("v1/people:batchCreateContacts"), {},
                   QJsonObject{{"contacts", contacts}, {"readMask", QLatin1String(kReadMask)}});
    if (!reply.ok())
        return errorShape(reply);
    created(reply.json);
    const QJsonArray answers = reply.json.value(QLatin1String("createdPeople")).toArray();
    bool inOrder = answers.size() == kOrderedContacts;
    for (int i = 0; inOrder && i < kOrderedContacts; ++i)
        inOrder = checkValueOf(answers[i].toObject().value(QLatin1String("person")).toObject()) ==
                  checkValueOf(person(i));
    return {{"httpStatus", reply.status},
            {"ms", reply.ms},
            {"created", int(answers.size())},
            {"inRequestOrder", inOrder}};
}

QJsonObject WriteChecks::get(const QString &name, const QString &fields)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("personFields"), fields);
    const CheckReply reply = m_api.call("GET", path(name), query);
    return reply.ok() ? reply.json : QJsonObject();
}

QString WriteChecks::etagOf(const QString &name)
{
    return get(name, QStringLiteral("metadata")).value(QLatin1String("etag")).toString();
}

WriteChecks::Update WriteChecks::update(const QString &name, QJsonObject fields,
                                        const QString &mask, const QString &etag)
{
    fields.insert("etag", etag.isEmpty() ? etagOf(name) : etag);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("updatePersonFields"), mask);
    query.addQueryItem(QStringLiteral("personFields"), mask + QStringLiteral(",metadata"));
    const CheckReply reply = m_api.call("PATCH", path(name, "updateContact"), query, fields);
    Update result{reply.status, {}, {}};
    if (reply.ok())
        result.person = reply.json;
    else
        result.error = errorShape(reply);
    return result;
}

QJsonObject WriteChecks::timeToShow(const QString &person)
{
    QJsonObject section{{"fullList", waitInList(m_api, person, false, {})}};
    if (!m_syncToken.isEmpty())
        section.insert("incrementalList", waitInList(m_api, person, false, m_syncToken));
    return section;
}

QJsonObject WriteChecks::staleEtag(const QString &person)
{
    const QString before = etagOf(person);
    const QJsonObject biography{
        {"biographies",
         QJsonArray{QJsonObject{{"value", QStringLiteral("first")},
                                {"contentType", QLatin1String(kPeopleBiographyContentType)}}}}};
    const Update fresh = update(person, biography, QStringLiteral("biographies"), before);
    if (fresh.status != 200)
        return {{"firstUpdate", fresh.error}};
    const Update stale = update(person, biography, QStringLiteral("biographies"), before);
    return {{"firstUpdateStatus", fresh.status},
            {"etagChanged", fresh.person.value(QLatin1String("etag")).toString() != before},
            {"staleStatus", stale.status},
            {"stale", stale.error}};
}

QJsonObject WriteChecks::carriageReturn(const QString &person)
{
    const QString sent = QStringLiteral("one\r\ntwo\rthree");
    const Update result = update(
        person,
        {{"biographies",
          QJsonArray{QJsonObject{{"value", sent},
                                 {"contentType", QLatin1String(kPeopleBiographyContentType)}}}}},
        QStringLiteral("biographies"));
    if (result.status != 200)
        return result.error;
    const QString read = firstOf(get(person, QStringLiteral("biographies")), "biographies")
                             .value(QLatin1String("value"))
                             .toString();
    return {{"sent", sent}, {"readBack", read}, {"unchanged", read == sent}};
}

QJsonObject WriteChecks::clientDataLimits(const QString &person)
{
    QJsonArray sizes;
    for (const int size : kClientDataSizes) {
        // The item's whole text is of that size.
        const qsizetype wrapping = clientValue({}).value(QLatin1String("value")).toString().size();
        const QString value = QString(size - wrapping, u'x');
        const Update result = update(person, {{"clientData", QJsonArray{clientValue(value)}}},
                                     QStringLiteral("clientData"));
        QJsonObject item{{"bytes", size}, {"status", result.status}};
        if (result.status == 200)
            item.insert("readBackIntact",
                        checkValueOf(get(person, QStringLiteral("clientData"))) == value);
        else
            item.insert("error", result.error);
        sizes.append(item);
    }
    QJsonArray items;
    for (int i = 0; i < kClientDataItems; ++i)
        items.append(
            QJsonObject{{"key", QStringLiteral("%1%2").arg(QLatin1String(kCheckKey)).arg(i)},
                        {"value", QStringLiteral("{\"v\":\"%1\"}").arg(i)}});
    const Update many = update(person, {{"clientData", items}}, QStringLiteral("clientData"));
    QJsonObject manyItems{{"items", kClientDataItems}, {"status", many.status}};
    if (many.status == 200)
        manyItems.insert("readBackItems", get(person, QStringLiteral("clientData"))
                                              .value(QLatin1String("clientData"))
                                              .toArray()
                                              .size());
    else
        manyItems.insert("error", many.error);
    return {{"sizes", sizes}, {"manyItems", manyItems}};
}

QJsonObject WriteChecks::unstructuredValues(const QString &person)
{
    const QString name = QStringLiteral("Dr. Check Middle Tolvane Jr.");
    const QString address = QStringLiteral("12 Check Street\nCheckton 12345\nNowhere");
    const Update result = update(
        person,
        {{"names", QJsonArray{QJsonObject{{"unstructuredName", name}}}},
         {"addresses",
          QJsonArray{QJsonObject{{"formattedValue", address}, {"type", QStringLiteral("home")}}}}},
        QStringLiteral("names,addresses"));
    if (result.status != 200)
        return result.error;
    const QJsonObject read = get(person, QStringLiteral("names,addresses"));
    const QJsonObject readName = firstOf(read, "names");
    const QJsonObject readAddress = firstOf(read, "addresses");
    return {{"nameKeys", keysOf(readName)},
            {"unstructuredNameUnchanged",
             readName.value(QLatin1String("unstructuredName")).toString() == name},
            {"addressKeys", keysOf(readAddress)},
            {"formattedValueUnchanged",
             readAddress.value(QLatin1String("formattedValue")).toString() == address}};
}

QJsonObject WriteChecks::deprecatedGroupMember(const QString &person)
{
    const auto membership = [](const QString &group) {
        return QJsonObject{
            {"contactGroupMembership", QJsonObject{{"contactGroupResourceName", group}}}};
    };
    const Update result = update(
        person, {{"memberships", QJsonArray{membership(m_group), membership(kFriendsGroup)}}},
        QStringLiteral("memberships"));
    if (result.status != 200)
        return result.error;
    bool friends = false;
    for (const QJsonValue &item :
         get(person, QStringLiteral("memberships")).value(QLatin1String("memberships")).toArray())
        friends = friends || item.toObject()
                                     .value(QLatin1String("contactGroupMembership"))
                                     .toObject()
                                     .value(QLatin1String("contactGroupResourceName"))
                                     .toString() == QLatin1String(kFriendsGroup);
    return {{"httpStatus", result.status}, {"accepted", true}, {"memberOfFriends", friends}};
}

QJsonObject WriteChecks::pngPhoto(const QString &person)
{
    const QJsonObject before = get(person, QStringLiteral("metadata,photos"));
    const CheckReply reply =
        m_api.call("PATCH", path(person, "updateContactPhoto"), {},
                   QJsonObject{{"photoBytes", QString::fromLatin1(pngBytes().toBase64())},
                               {"personFields", QStringLiteral("metadata,photos")}});
    if (!reply.ok())
        return errorShape(reply);
    const QJsonObject after = get(person, QStringLiteral("metadata,photos"));
    const QJsonObject photo = firstOf(after, "photos");
    QJsonObject section{
        {"httpStatus", reply.status},
        {"ms", reply.ms},
        {"updateTimeChanged", contactUpdateTime(before) != contactUpdateTime(after)},
        {"etagChanged", before.value(QLatin1String("etag")) != after.value(QLatin1String("etag"))},
        {"photoDefault", photo.value(QLatin1String("default")).toBool()}};
    const QUrl url(photo.value(QLatin1String("url")).toString());
    if (url.isValid()) {
        const CheckReply bytes = m_api.fetchWithoutToken(url);
        section.insert("fetchWithoutTokenStatus", bytes.status);
        section.insert("fetchedBytes", int(bytes.body.size()));
    }
    return section;
}

QJsonObject WriteChecks::deleteWithUnknownName(const QString &person)
{
    const CheckReply reply = m_api.call(
        "POST", QStringLiteral("v1/people:batchDeleteContacts"), {},
        QJsonObject{{"resourceNames", QJsonArray{person, QLatin1String(kUnknownPersonName)}}});
    QJsonObject section =
        reply.ok() ? QJsonObject{{"httpStatus", reply.status}} : errorShape(reply);
    section.insert("ms", reply.ms);
    section.insert("knownNameDeleted", isGone(person));
    return section;
}

QJsonObject WriteChecks::tombstone(const QString &person)
{
    if (!isGone(person)) {
        const CheckReply reply = m_api.call("DELETE", path(person, "deleteContact"));
        if (!reply.ok())
            return {{"delete", errorShape(reply)}};
    }
    if (m_syncToken.isEmpty())
        return {{"tried", false}};
    return waitInList(m_api, person, true, m_syncToken);
}

QJsonObject WriteChecks::timedBatch()
{
    QJsonArray contacts;
    for (int i = 0; i < m_batch; ++i)
        contacts.append(QJsonObject{{"contactPerson", person(kOrderedContacts + i)}});
    const CheckReply reply =
        m_api.call("POST", QStringLiteral("v1/people:batchCreateContacts"), {},
                   QJsonObject{{"contacts", contacts}, {"readMask", QLatin1String(kReadMask)}});
    QJsonObject section{{"contacts", m_batch}, {"ms", reply.ms}, {"httpStatus", reply.status}};
    if (reply.ok())
        section.insert("created", int(created(reply.json).size()));
    else
        section.insert("error", errorShape(reply));
    return section;
}

bool WriteChecks::isGone(const QString &name)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("personFields"), QStringLiteral("metadata"));
    return m_api.call("GET", path(name), query).status == 404;
}

QJsonObject WriteChecks::cleanUp()
{
    // Whatever a failed answer left unknown: every member of the check's own groups is one of
    // its contacts.
    for (const QString &group : m_groups) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("maxMembers"), QStringLiteral("1000"));
        const CheckReply reply = m_api.call("GET", path(group), query);
        for (const QJsonValue &member :
             reply.json.value(QLatin1String("memberResourceNames")).toArray())
            if (!m_people.contains(member.toString()))
                m_people.append(member.toString());
    }
    QStringList left;
    for (const QString &name : m_people)
        if (!isGone(name))
            left.append(name);
    QJsonObject section{{"contactsMade", int(m_people.size())}};
    for (qsizetype start = 0; start < left.size(); start += kPeopleMaxBatchDelete) {
        const QStringList part = left.mid(start, kPeopleMaxBatchDelete);
        const CheckReply reply =
            m_api.call("POST", QStringLiteral("v1/people:batchDeleteContacts"), {},
                       QJsonObject{{"resourceNames", QJsonArray::fromStringList(part)}});
        if (!reply.ok()) {
            section.insert("batchDelete", errorShape(reply));
            for (const QString &name : part)
                m_api.call("DELETE", path(name, "deleteContact"));
        }
    }
    for (const QString &group : m_groups) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("deleteContacts"), QStringLiteral("false"));
        m_api.call("DELETE", path(group), query);
    }
    int peopleLeft = 0;
    for (const QString &name : m_people)
        peopleLeft += !isGone(name);
    int groupsLeft = 0;
    for (const QString &group : m_groups)
        groupsLeft += m_api.call("GET", path(group)).status != 404;
    section.insert("groupsMade", int(m_groups.size()));
    section.insert("contactsLeft", peopleLeft);
    section.insert("groupsLeft", groupsLeft);
    section.insert("allGone", peopleLeft == 0 && groupsLeft == 0);
    return section;
}
