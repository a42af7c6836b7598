#include "tools/gdata-server/people/peopleapi.h"

#include "tools/gdata-server/people/googleerror.h"
#include "tools/gdata-server/people/listselection.h"
#include "tools/gdata-server/people/personfields.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

constexpr int kDefaultPageSize = 100;
constexpr int kMostBatchCreate = 200;
constexpr int kMostBatchUpdate = 200;
constexpr int kMostBatchDelete = 500;
constexpr int kMostBatchGet = 200;

using googleerror::error;
using googleerror::json;

const QString kNotFound = QStringLiteral("Requested entity was not found.");

HttpResponse refusal(const WriteRefusal &refused)
{
    return error(refused.status, refused.message, {}, refused.rpcStatus);
}

std::optional<QJsonObject> jsonObject(const QByteArray &body)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

// The name after "/v1/people/" up to a ':' verb, as "people/c<id>".
QString personPathName(const QString &path)
{
    QString tail = path.mid(11);
    const qsizetype colon = tail.indexOf(u':');
    if (colon >= 0)
        tail.truncate(colon);
    return QStringLiteral("people/") + tail;
}

QString verbOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype colon = path.indexOf(u':', slash);
    return colon < 0 ? QString() : path.mid(colon + 1);
}

bool isImage(const QByteArray &data, QByteArray *type)
{
    if (data.startsWith("\xFF\xD8\xFF")) {
        *type = "image/jpeg";
        return true;
    }
    if (data.startsWith("\x89PNG\r\n\x1A\n")) {
        *type = "image/png";
        return true;
    }
    return false;
}

HttpResponse staleEtag(int status)
{
    return error(status,
                 QStringLiteral("person.etag is different than the current person etag. Clear "
                                "local cache and get the latest person."),
                 QStringLiteral("failedPrecondition"), QStringLiteral("FAILED_PRECONDITION"));
}

} // namespace

bool PeopleApi::handles(const QString &path)
{
    return path == QLatin1String("/v1/people") || path.startsWith(QLatin1String("/v1/people/")) ||
           path.startsWith(QLatin1String("/v1/people:"));
}

HttpResponse PeopleApi::handle(const HttpRequest &request, Account &account)
{
    const PeopleContext context(m_urls, account);
    const QString path = request.url.path();
    const QUrlQuery query(request.url);
    const QByteArray &method = request.method;
    std::optional<QJsonObject> body = QJsonObject();
    if (method != "GET" && method != "DELETE") {
        body = request.body.trimmed().isEmpty() ? QJsonObject() : jsonObject(request.body);
        if (!body)
            return error(400, QStringLiteral("Invalid JSON payload received."));
    }
    if (path == QLatin1String("/v1/people/me/connections") && method == "GET")
        return list(context, query);
    if (path.startsWith(QLatin1String("/v1/people:"))) {
        const QString verb = path.mid(11);
        if (verb == QLatin1String("batchGet") && method == "GET")
            return batchGet(context, query);
        if (verb == QLatin1String("createContact") && method == "POST")
            return create(context, *body, query);
        if (verb == QLatin1String("batchCreateContacts") && method == "POST")
            return batchCreate(context, *body);
        if (verb == QLatin1String("batchUpdateContacts") && method == "POST")
            return batchUpdate(context, *body);
        if (verb == QLatin1String("batchDeleteContacts") && method == "POST")
            return batchDelete(context, *body);
        return error(404, QStringLiteral("Method not found."));
    }
    const QString name = personPathName(path);
    const QString verb = verbOf(path);
    if (verb.isEmpty() && method == "GET")
        return get(context, name, query);
    if (verb == QLatin1String("updateContact") && method == "PATCH")
        return update(context, name, *body, query);
    if (verb == QLatin1String("deleteContact") && method == "DELETE")
        return remove(context, name);
    if (verb == QLatin1String("updateContactPhoto") && method == "PATCH")
        return updatePhoto(context, name, *body);
    if (verb == QLatin1String("deleteContactPhoto") && method == "DELETE")
        return deletePhoto(context, name, query);
    return error(404, QStringLiteral("Method not found."));
}

QJsonObject PeopleApi::shown(const PeopleContext &context, const StoredEntry &stored,
                             const std::optional<QStringList> &fields) const
{
    const QJsonObject person = persontranslation::render(context, stored);
    return fields ? persontranslation::masked(person, *fields) : person;
}

void PeopleApi::stamp(GDataEntryBase &entry)
{
    entry.setUpdatedDate(m_state.nextUpdated());
    entry.setETag(m_state.nextETag());
}

HttpResponse PeopleApi::list(const PeopleContext &context, const QUrlQuery &query)
{
    const auto mask = personfields::parse(query.queryItemValue("personFields"),
                                          personfields::readable(), QStringLiteral("personFields"));
    if (!mask.error.isEmpty())
        return error(400, mask.error);
    HttpResponse refused;
    const auto selection = ListSelection::read(query, m_options, context.account().email(),
                                               QStringLiteral("people"), kDefaultPageSize,
                                               &refused);
    if (!selection)
        return refused;

    std::vector<const StoredEntry *> people;
    for (const StoredEntry &stored : context.account().entries(Account::Collection::Contacts)) {
        if (selection->shows(stored))
            people.push_back(&stored);
    }
    const size_t first = std::min(people.size(), size_t(selection->offset()));
    const size_t end = std::min(people.size(), first + size_t(selection->pageSize()));
    QJsonObject answer{{"totalPeople", int(people.size())}, {"totalItems", int(people.size())}};
    selection->addTokens(answer, end, people.size());
    if (first == end)
        return json(200, answer);
    // The page's persons go in as kept text, first of the keys as a JSON writer orders them.
    const std::vector<QByteArray> persons = m_served.personsJSON(
        context, std::vector<const StoredEntry *>(people.begin() + first, people.begin() + end),
        mask.fields);
    const QByteArray rest = QJsonDocument(answer).toJson(QJsonDocument::Compact);
    qsizetype size = rest.size() + 20;
    for (const QByteArray &person : persons)
        size += person.size() + 1;
    QByteArray body;
    body.reserve(size);
    body += "{\"connections\":[";
    for (const QByteArray &person : persons) {
        if (&person != &persons.front())
            body += ',';
        body += person;
    }
    body += "],";
    body += QByteArrayView(rest).sliced(1);
    return googleerror::jsonText(200, std::move(body));
}

HttpResponse PeopleApi::get(const PeopleContext &context, const QString &name,
                            const QUrlQuery &query)
{
    const auto mask = personfields::parse(query.queryItemValue("personFields"),
                                          personfields::readable(), QStringLiteral("personFields"));
    if (!mask.error.isEmpty())
        return error(400, mask.error);
    const StoredEntry *stored = context.person(name);
    if (!stored)
        return error(404, kNotFound);
    return json(200, shown(context, *stored, mask.fields));
}

HttpResponse PeopleApi::batchGet(const PeopleContext &context, const QUrlQuery &query)
{
    const auto mask = personfields::parse(query.queryItemValue("personFields"),
                                          personfields::readable(), QStringLiteral("personFields"));
    if (!mask.error.isEmpty())
        return error(400, mask.error);
    const QStringList names = query.allQueryItemValues("resourceNames", QUrl::FullyDecoded);
    if (names.isEmpty() || names.size() > kMostBatchGet)
        return error(400, QStringLiteral("resourceNames must name between 1 and 200 people."));
    QJsonArray responses;
    for (const QString &name : names) {
        QJsonObject response{{"requestedResourceName", name}};
        if (const StoredEntry *stored = context.person(name)) {
            response.insert("httpStatusCode", 200);
            response.insert("person", shown(context, *stored, mask.fields));
        } else {
            response.insert("httpStatusCode", 404);
            response.insert("status", googleerror::rpcStatus(404, kNotFound));
        }
        responses.append(response);
    }
    return json(200, {{"responses", responses}});
}

PeopleApi::Preparation PeopleApi::prepareCreate(const PeopleContext &context,
                                                const QJsonObject &person)
{
    auto entry = std::make_shared<GDataEntryContact>();
    QJsonObject people;
    if (const auto refused = persontranslation::write(
            context, person, persontranslation::fieldsOf(person), nullptr, *entry, people))
        return {std::nullopt, *refused};
    return {PreparedWrite{nullptr, entry, people}, {}};
}

PeopleApi::Preparation PeopleApi::prepareUpdate(const PeopleContext &context, StoredEntry *stored,
                                                const QJsonObject &person,
                                                const QStringList &fields)
{
    if (!stored)
        return {std::nullopt, {404, kNotFound, {}}};
    const QString etag = person.value("etag").toString();
    if (etag.isEmpty())
        return {std::nullopt, {400, QStringLiteral("Request must set person.etag."), {}}};
    if (etag != PeopleContext::etagOf(*stored->entry))
        return {std::nullopt,
                {m_options.staleEtagStatus,
                 QStringLiteral("person.etag is different than the current person etag. Clear "
                                "local cache and get the latest person."),
                 QStringLiteral("FAILED_PRECONDITION")}};
    GDataEntryPtr entry = stored->entry->copy();
    QJsonObject people = stored->people;
    if (const auto refused = persontranslation::write(
            context, person, fields, stored, static_cast<GDataEntryContact &>(*entry), people))
        return {std::nullopt, *refused};
    return {PreparedWrite{stored, entry, people}, {}};
}

StoredEntry &PeopleApi::commit(const PeopleContext &context, PreparedWrite &write)
{
    stamp(*write.entry);
    StoredEntry &stored = write.current
                              ? *write.current
                              : context.account().add(Account::Collection::Contacts, write.entry);
    stored.entry = write.entry;
    stored.people = write.people;
    return stored;
}

HttpResponse PeopleApi::create(const PeopleContext &context, const QJsonObject &body,
                               const QUrlQuery &query)
{
    std::optional<QStringList> fields;
    if (query.hasQueryItem("personFields")) {
        const auto mask =
            personfields::parse(query.queryItemValue("personFields"), personfields::readable(),
                                QStringLiteral("personFields"));
        if (!mask.error.isEmpty())
            return error(400, mask.error);
        fields = mask.fields;
    }
    Preparation prepared = prepareCreate(context, body);
    if (!prepared.write)
        return refusal(prepared.refusal);
    return json(200, shown(context, commit(context, *prepared.write), fields));
}

HttpResponse PeopleApi::update(const PeopleContext &context, const QString &name,
                               const QJsonObject &body, const QUrlQuery &query)
{
    const auto mask =
        personfields::parse(query.queryItemValue("updatePersonFields"), personfields::updatable(),
                            QStringLiteral("updatePersonFields"));
    if (!mask.error.isEmpty())
        return error(400, mask.error);
    std::optional<QStringList> fields;
    if (query.hasQueryItem("personFields")) {
        const auto read =
            personfields::parse(query.queryItemValue("personFields"), personfields::readable(),
                                QStringLiteral("personFields"));
        if (!read.error.isEmpty())
            return error(400, read.error);
        fields = read.fields;
    }
    Preparation prepared = prepareUpdate(context, context.person(name), body, mask.fields);
    if (!prepared.write) {
        if (prepared.refusal.rpcStatus == QLatin1String("FAILED_PRECONDITION"))
            return staleEtag(prepared.refusal.status);
        return refusal(prepared.refusal);
    }
    return json(200, shown(context, commit(context, *prepared.write), fields));
}

HttpResponse PeopleApi::remove(const PeopleContext &context, const QString &name)
{
    StoredEntry *stored = context.person(name);
    if (!stored)
        return error(404, kNotFound);
    GDataEntryPtr dead = stored->entry->copy();
    dead->setIsDeleted(true);
    stamp(*dead);
    stored->entry = dead;
    stored->photo = {};
    stored->people = {};
    return json(200, {});
}

HttpResponse PeopleApi::batchCreate(const PeopleContext &context, const QJsonObject &body)
{
    const auto mask = personfields::parse(body.value("readMask").toString(),
                                          personfields::readable(), QStringLiteral("readMask"));
    if (!mask.error.isEmpty())
        return error(400, mask.error);
    const QJsonArray contacts = body.value("contacts").toArray();
    if (contacts.isEmpty() || contacts.size() > kMostBatchCreate)
        return error(400, QStringLiteral("contacts must hold between 1 and 200 contacts."));
    std::vector<PreparedWrite> writes;
    QJsonObject contactErrors;
    int firstStatus = 0;
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        Preparation prepared =
            prepareCreate(context, contacts.at(i).toObject().value("contactPerson").toObject());
        if (const auto fault = m_faults.takePeopleBatchRefusal(QString::number(i))) {
            prepared.write.reset();
            prepared.refusal = {fault->code, fault->reason, {}};
        }
        if (prepared.write) {
            writes.push_back(*prepared.write);
            continue;
        }
        contactErrors.insert(QString::number(i), googleerror::rpcStatus(prepared.refusal.status,
                                                                        prepared.refusal.message));
        if (!firstStatus)
            firstStatus = prepared.refusal.status;
    }
    // All or nothing: one refused contact stops the whole call.
    if (!contactErrors.isEmpty())
        return error(firstStatus, QStringLiteral("Request contains an invalid argument."), {}, {},
                     {QJsonObject{{"@type", "type.googleapis.com/google.people.v1."
                                            "BatchCreateContactsErrorDetails"},
                                  {"contactErrors", contactErrors}}});
    QJsonArray created;
    for (PreparedWrite &write : writes)
        created.append(
            QJsonObject{{"httpStatusCode", 200},
                        {"person", shown(context, commit(context, write), mask.fields)}});
    return json(200, {{"createdPeople", created}});
}

HttpResponse PeopleApi::batchUpdate(const PeopleContext &context, const QJsonObject &body)
{
    const auto updateMask =
        personfields::parse(body.value("updateMask").toString(), personfields::updatable(),
                            QStringLiteral("updateMask"));
    if (!updateMask.error.isEmpty())
        return error(400, updateMask.error);
    const auto readMask = personfields::parse(body.value("readMask").toString(),
                                              personfields::readable(), QStringLiteral("readMask"));
    if (!readMask.error.isEmpty())
        return error(400, readMask.error);
    const QJsonObject contacts = body.value("contacts").toObject();
    if (contacts.isEmpty() || contacts.size() > kMostBatchUpdate)
        return error(400, QStringLiteral("contacts must hold between 1 and 200 contacts."));
    std::vector<std::pair<QString, PreparedWrite>> writes;
    QJsonObject contactErrors;
    int firstStatus = 0;
    for (auto it = contacts.begin(); it != contacts.end(); ++it) {
        Preparation prepared = prepareUpdate(context, context.person(it.key()),
                                             it.value().toObject(), updateMask.fields);
        if (const auto fault = m_faults.takePeopleBatchRefusal(it.key())) {
            prepared.write.reset();
            prepared.refusal = {fault->code, fault->reason, {}};
        }
        if (prepared.write) {
            writes.emplace_back(it.key(), *prepared.write);
            continue;
        }
        QJsonObject status =
            googleerror::rpcStatus(prepared.refusal.status, prepared.refusal.message);
        if (prepared.refusal.rpcStatus == QLatin1String("FAILED_PRECONDITION"))
            status.insert("code", googleerror::rpcCode(412));
        contactErrors.insert(it.key(), status);
        if (!firstStatus)
            firstStatus = prepared.refusal.status;
    }
    if (!contactErrors.isEmpty())
        return error(firstStatus, QStringLiteral("Request contains an invalid argument."), {}, {},
                     {QJsonObject{{"@type", "type.googleapis.com/google.people.v1."
                                            "BatchUpdateContactsErrorDetails"},
                                  {"contactErrors", contactErrors}}});
    QJsonObject results;
    for (auto &[name, write] : writes)
        results.insert(
            name, QJsonObject{{"httpStatusCode", 200},
                              {"person", shown(context, commit(context, write), readMask.fields)}});
    return json(200, {{"updateResult", results}});
}

HttpResponse PeopleApi::batchDelete(const PeopleContext &context, const QJsonObject &body)
{
    const QJsonArray names = body.value("resourceNames").toArray();
    if (names.isEmpty() || names.size() > kMostBatchDelete)
        return error(400, QStringLiteral("resourceNames must name between 1 and 500 people."));
    std::vector<StoredEntry *> doomed;
    for (const QJsonValue &name : names) {
        StoredEntry *stored = context.person(name.toString());
        if (!stored)
            return error(404, kNotFound);
        doomed.push_back(stored);
    }
    for (StoredEntry *stored : doomed) {
        if (!stored->entry->isDeleted())
            remove(context, PeopleContext::personName(stored->localId));
    }
    return json(200, {});
}

HttpResponse PeopleApi::updatePhoto(const PeopleContext &context, const QString &name,
                                    const QJsonObject &body)
{
    StoredEntry *stored = context.person(name);
    if (!stored)
        return error(404, kNotFound);
    std::optional<QStringList> fields;
    if (body.contains("personFields")) {
        const auto mask =
            personfields::parse(body.value("personFields").toString(), personfields::readable(),
                                QStringLiteral("personFields"));
        if (!mask.error.isEmpty())
            return error(400, mask.error);
        fields = mask.fields;
    }
    const auto decoded = QByteArray::fromBase64Encoding(
        body.value("photoBytes").toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    QByteArray type;
    if (!decoded || decoded.decoded.isEmpty() || !isImage(decoded.decoded, &type))
        return error(400, QStringLiteral("Invalid photo format. Photos must be JPEG or PNG."));
    if (decoded.decoded.size() > m_options.photoSizeLimit)
        return error(400, QStringLiteral("Photo is too large."));
    stored->photo = {decoded.decoded, type, m_state.nextETag()};
    if (m_options.photoBumpsUpdated) {
        GDataEntryPtr entry = stored->entry->copy();
        stamp(*entry);
        stored->entry = entry;
    }
    return json(200, {{"person", shown(context, *stored, fields)}});
}

HttpResponse PeopleApi::deletePhoto(const PeopleContext &context, const QString &name,
                                    const QUrlQuery &query)
{
    StoredEntry *stored = context.person(name);
    if (!stored || stored->photo.data.isEmpty())
        return error(404, kNotFound);
    std::optional<QStringList> fields;
    if (query.hasQueryItem("personFields")) {
        const auto mask =
            personfields::parse(query.queryItemValue("personFields"), personfields::readable(),
                                QStringLiteral("personFields"));
        if (!mask.error.isEmpty())
            return error(400, mask.error);
        fields = mask.fields;
    }
    stored->photo = {};
    if (m_options.photoBumpsUpdated) {
        GDataEntryPtr entry = stored->entry->copy();
        stamp(*entry);
        stored->entry = entry;
    }
    return json(200, {{"person", shown(context, *stored, fields)}});
}
