#include "platform/gdata/people/peoplecontactbatch.h"

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/people/peoplebatchitems.h"
#include "platform/gdata/people/peopleconstants.h"
#include "platform/gdata/people/peopleerrors.h"
#include "platform/gdata/people/peoplejson.h"
#include "platform/gdata/people/peoplejsonviews.h"
#include "platform/gdata/people/peoplereader.h"
#include "platform/gdata/people/peoplewriter.h"

#include <QJsonArray>

#include <algorithm>

namespace {

const QString kCreated = QStringLiteral("Created");
const QString kSuccess = QStringLiteral("Success");
const QString kUnmatched = QStringLiteral("unmatched result");
const QString kStale = QStringLiteral("Entry has been modified since it was read.");
const QString kNotAContact = QStringLiteral("Not a contact entry.");
const QString kUnknownOutcome = QStringLiteral("No answer came; the entry may have been applied.");

QString readSources()
{
    return QString::fromLatin1(kPeopleReadSourceContact);
}

// What a created person must still show of what was sent: its title, its e-mails in order and its
// clientData values; anything else may be normalised by Google.
struct Fingerprint
{
    QString title;
    QStringList emails;
    QStringList clientData;

    bool operator==(const Fingerprint &) const = default;
};

template <typename View> Fingerprint fingerprintOf(const View &person)
{
    Fingerprint print;
    const std::vector<View> names = person.member(QLatin1StringView("names")).items();
    const View name = names.empty() ? View() : names.front();
    print.title = name.member(QLatin1StringView("unstructuredName")).toString();
    if (print.title.isEmpty())
        print.title = name.member(QLatin1StringView("displayName")).toString();
    for (const View &email : person.member(QLatin1StringView("emailAddresses")).items())
        print.emails.append(email.member(QLatin1StringView("value")).toString());
    for (const View &item : person.member(QLatin1StringView("clientData")).items())
        print.clientData.append(item.member(QLatin1StringView("value")).toString());
    print.clientData.sort();
    return print;
}

// What the answer says of one created person, read before anything is settled, so that an answer
// the text view cannot read alike is read again by the parser.
template <typename View> struct CreatedAnswer
{
    std::optional<GDataBatchStatus> refusal;
    View person;
    Fingerprint print;
};

bool isEmptyObject(const peoplejsonviews::TextView &value)
{
    const QByteArrayView text = value.text();
    return !text.startsWith('{') || text.sliced(1).trimmed() == QByteArrayView("}");
}

bool isEmptyObject(const peoplejsonviews::ParsedView &value)
{
    return value.object().isEmpty();
}

std::optional<GDataEntryContactPtr> createdEntry(const peoplejsonviews::TextView &person,
                                                 const QString &api,
                                                 const PeopleProjection &projection)
{
    return peoplereader::contactFromText(person.text(), api, projection);
}

std::optional<GDataEntryContactPtr> createdEntry(const peoplejsonviews::ParsedView &person,
                                                 const QString &api,
                                                 const PeopleProjection &projection)
{
    return peoplereader::contactFromPersonText(person.object(), person.text(), api, projection);
}

// The Status objects of a batch refusal, by index or resource name; none when the error is of
// another kind.
std::optional<QJsonObject> contactErrorsOf(const QByteArray &body)
{
    const auto json = peoplejson::parseObject(body);
    if (!json)
        return std::nullopt;
    const QJsonObject error = json->value(QStringLiteral("error")).toObject();
    for (const QJsonValue &detail : error.value(QStringLiteral("details")).toArray()) {
        const QJsonValue errors = detail.toObject().value(QStringLiteral("contactErrors"));
        if (errors.isObject() && !errors.toObject().isEmpty())
            return errors.toObject();
    }
    return std::nullopt;
}

bool isSuccess(int httpStatus)
{
    return httpStatus >= 200 && httpStatus < 300;
}

// A PersonResponse's status, when it is one that is not OK.
std::optional<GDataBatchStatus> statusRefusal(const QJsonObject &status)
{
    const QJsonValue code = status.value(QStringLiteral("code"));
    const QJsonValue name = status.value(QStringLiteral("status"));
    const bool refused = (code.isDouble() && code.toInt() != 0) ||
                         (name.isString() && name.toString() != QLatin1String("OK"));
    if (!refused)
        return std::nullopt;
    return peopleerrors::batchStatusForStatus(status);
}

template <typename View>
std::vector<CreatedAnswer<View>> createdAnswers(const std::vector<View> &responses, size_t count)
{
    std::vector<CreatedAnswer<View>> answers;
    answers.reserve(count);
    for (size_t position = 0; position < count; ++position) {
        const View response = position < responses.size() ? responses[position] : View();
        CreatedAnswer<View> answer;
        answer.refusal = statusRefusal(response.member(QLatin1StringView("status")).object());
        if (!answer.refusal) {
            answer.person = response.member(QLatin1StringView("person"));
            answer.print = fingerprintOf(answer.person);
        }
        answers.push_back(std::move(answer));
    }
    return answers;
}

// A PersonResponse's own status, when it reports one that is not OK.
std::optional<GDataBatchStatus> refusalOf(const QJsonObject &response)
{
    return statusRefusal(response.value(QStringLiteral("status")).toObject());
}

GDataBatchStatus statusOfCall(int httpStatus, const QByteArray &body)
{
    const GDataError error = peopleerrors::errorForReply(httpStatus, body);
    const QVariantMap google =
        error.userInfo.value(QString::fromLatin1(kPeopleErrorGoogleErrorKey)).toMap();
    const QStringList reasons = peopleerrors::errorReasons(QJsonObject::fromVariantMap(google));
    return {error.code > 0 ? unsigned(error.code) : 500u, error.description, reasons.value(0)};
}

} // namespace

PeopleContactBatch::PeopleContactBatch(const GDataFeed &feed, QString api,
                                       PeopleProjection projection)
    : m_api(std::move(api))
    , m_projection(std::move(projection))
{
    m_items = peoplebatchitems::sentItems(feed, m_api, GDataEntryBase::Kind::Contact,
                                          kPeoplePersonPrefix, kNotAContact);
    enterStep(Step::Creates);
}

std::vector<size_t> PeopleContactBatch::itemsFor(Step step) const
{
    std::vector<size_t> found;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const PeopleBatchItem &item = m_items[i];
        if (item.status)
            continue;
        const bool wanted = [&] {
            switch (step) {
            case Step::Creates:
                return item.operation == QLatin1String(kGDataBatchOperationInsert);
            case Step::UpdateETags:
                return item.operation == QLatin1String(kGDataBatchOperationUpdate) && !item.etag;
            case Step::Updates:
                return item.operation == QLatin1String(kGDataBatchOperationUpdate);
            case Step::DeleteChecks:
                return item.operation == QLatin1String(kGDataBatchOperationDelete) &&
                       item.etag.has_value();
            case Step::Deletes:
                return item.operation == QLatin1String(kGDataBatchOperationDelete);
            case Step::DeleteOne:
            case Step::Done:
                break;
            }
            return false;
        }();
        if (wanted)
            found.push_back(i);
    }
    return found;
}

void PeopleContactBatch::enterStep(Step step)
{
    m_step = step;
    m_pending = itemsFor(step);
    if (m_pending.empty() && step != Step::Done)
        advance();
}

void PeopleContactBatch::advance()
{
    switch (m_step) {
    case Step::Creates:
        return enterStep(Step::UpdateETags);
    case Step::UpdateETags:
        return enterStep(Step::Updates);
    case Step::Updates:
        return enterStep(Step::DeleteChecks);
    case Step::DeleteChecks:
        return enterStep(Step::Deletes);
    case Step::DeleteOne:
        // Deletes beyond the refused call's share go on as a batch.
        return enterStep(Step::Deletes);
    case Step::Deletes:
    case Step::Done:
        break;
    }
    m_step = Step::Done;
    m_pending.clear();
}

std::vector<size_t> PeopleContactBatch::chunk() const
{
    const auto limit = [&]() -> size_t {
        switch (m_step) {
        case Step::Creates:
        case Step::Updates:
            return kPeopleMaxBatchWrite;
        case Step::UpdateETags:
        case Step::DeleteChecks:
            return kPeopleMaxBatchGet;
        case Step::Deletes:
            return kPeopleMaxBatchDelete;
        case Step::DeleteOne:
        case Step::Done:
            break;
        }
        return 1;
    }();
    return {m_pending.begin(), m_pending.begin() + std::min(limit, m_pending.size())};
}

bool PeopleContactBatch::hasRequest() const
{
    return !m_failure && m_step != Step::Done && !m_pending.empty();
}

std::optional<PeopleRequest> PeopleContactBatch::request() const
{
    if (!hasRequest())
        return std::nullopt;
    const std::vector<size_t> items = chunk();
    switch (m_step) {
    case Step::Creates:
        return createRequest(items);
    case Step::UpdateETags:
    case Step::DeleteChecks:
        return getRequest(items);
    case Step::Updates:
        return updateRequest(items);
    case Step::Deletes:
        return deleteRequest(items);
    case Step::DeleteOne:
        return PeopleRequest{
            "DELETE",
            QStringLiteral("v1/%1:deleteContact").arg(m_items[items[0]].resourceName),
            {},
            {}};
    case Step::Done:
        break;
    }
    return std::nullopt;
}

PeopleRequest PeopleContactBatch::createRequest(const std::vector<size_t> &items) const
{
    QJsonArray contacts;
    m_createdFrom.clear();
    for (size_t i : items) {
        QJsonObject person = peoplewriter::personFromContact(
            static_cast<const GDataEntryContact &>(*m_items[i].sent), m_api);
        person.remove(QStringLiteral("resourceName"));
        person.remove(QStringLiteral("etag"));
        contacts.append(QJsonObject{{QStringLiteral("contactPerson"), person}});
        m_createdFrom[i] = person;
    }
    return {"POST",
            QStringLiteral("v1/people:batchCreateContacts"),
            {},
            {{QStringLiteral("contacts"), contacts},
             {QStringLiteral("readMask"), QLatin1String(kPeoplePersonFields)},
             {QStringLiteral("sources"), QJsonArray{readSources()}}}};
}

PeopleRequest PeopleContactBatch::updateRequest(const std::vector<size_t> &items) const
{
    QJsonObject contacts;
    for (size_t i : items) {
        const PeopleBatchItem &item = m_items[i];
        QJsonObject person = peoplewriter::personFromContact(
            static_cast<const GDataEntryContact &>(*item.sent), m_api);
        person.insert(QStringLiteral("resourceName"), item.resourceName);
        if (item.etag)
            person.insert(QStringLiteral("etag"), *item.etag);
        contacts.insert(item.resourceName, person);
    }
    return {"POST",
            QStringLiteral("v1/people:batchUpdateContacts"),
            {},
            {{QStringLiteral("contacts"), contacts},
             {QStringLiteral("updateMask"), QLatin1String(kPeopleUpdatePersonFields)},
             {QStringLiteral("readMask"), QLatin1String(kPeoplePersonFields)},
             {QStringLiteral("sources"), QJsonArray{readSources()}}}};
}

PeopleRequest PeopleContactBatch::getRequest(const std::vector<size_t> &items) const
{
    QUrlQuery query;
    for (size_t i : items)
        query.addQueryItem(QStringLiteral("resourceNames"), m_items[i].resourceName);
    query.addQueryItem(QStringLiteral("personFields"), QStringLiteral("metadata"));
    query.addQueryItem(QStringLiteral("sources"), readSources());
    return {"GET", QStringLiteral("v1/people:batchGet"), query, {}};
}

PeopleRequest PeopleContactBatch::deleteRequest(const std::vector<size_t> &items) const
{
    QJsonArray names;
    for (size_t i : items)
        names.append(m_items[i].resourceName);
    return {"POST",
            QStringLiteral("v1/people:batchDeleteContacts"),
            {},
            {{QStringLiteral("resourceNames"), names}}};
}

void PeopleContactBatch::takeReply(int httpStatus, const QByteArray &body)
{
    if (!hasRequest())
        return;
    const std::vector<size_t> items = chunk();
    switch (m_step) {
    case Step::Creates:
        takeCreates(items, httpStatus, body);
        break;
    case Step::UpdateETags:
    case Step::DeleteChecks:
        takeChecks(items, httpStatus, body);
        break;
    case Step::Updates:
        takeUpdates(items, httpStatus, body);
        break;
    case Step::Deletes:
        takeDeletes(items, httpStatus, body);
        break;
    case Step::DeleteOne:
        takeDeleteOne(items[0], httpStatus, body);
        break;
    case Step::Done:
        break;
    }
    if (!m_failure && m_pending.empty())
        advance();
}

void PeopleContactBatch::takeUnknownOutcome()
{
    if (!hasRequest())
        return;
    const std::vector<size_t> items = chunk();
    m_applied = true;
    for (size_t i : items)
        settle(i, {503, kUnknownOutcome, {}});
    drop(items);
    if (m_pending.empty())
        advance();
}

void PeopleContactBatch::takeCreates(const std::vector<size_t> &items, int httpStatus,
                                     const QByteArray &body)
{
    if (!isSuccess(httpStatus)) {
        // All or nothing: the refused indexes are settled and the rest goes once more.
        const auto errors = contactErrorsOf(body);
        std::vector<size_t> refused;
        if (errors) {
            for (auto it = errors->begin(); it != errors->end(); ++it) {
                bool ok = false;
                const int index = it.key().toInt(&ok);
                if (ok && index >= 0 && size_t(index) < items.size())
                    refused.push_back(items[size_t(index)]);
            }
        }
        if (refused.empty())
            return failCall(items, httpStatus, body);
        for (auto it = errors->begin(); it != errors->end(); ++it) {
            bool ok = false;
            const int index = it.key().toInt(&ok);
            if (ok && index >= 0 && size_t(index) < items.size())
                settle(items[size_t(index)],
                       peopleerrors::batchStatusForStatus(it.value().toObject()));
        }
        return drop(refused);
    }
    m_applied = true;
    const auto settleAll = [&](const auto &answers) {
        for (size_t position = 0; position < items.size(); ++position) {
            const size_t i = items[position];
            const auto &answer = answers[position];
            if (answer.refusal) {
                settle(i, *answer.refusal);
                continue;
            }
            const auto sentFrom = m_createdFrom.find(i);
            const QJsonObject sent =
                sentFrom != m_createdFrom.end()
                    ? sentFrom->second
                    : peoplewriter::personFromContact(
                          static_cast<const GDataEntryContact &>(*m_items[i].sent), m_api);
            if (isEmptyObject(answer.person) ||
                answer.print != fingerprintOf(peoplejsonviews::ParsedView(sent, {}))) {
                qWarning("People: created person %d does not match the contact sent in its place",
                         int(position));
                settle(i, {500, kUnmatched, {}});
                continue;
            }
            succeed(i, 201, createdEntry(answer.person, m_api, m_projection));
        }
        drop(items);
    };
    // Read from the text where it is written plainly, which saves building Qt's object of the
    // whole answer; the parser reads any other answer, to the same results.
    if (peoplejson::isPlainJSON(body)) {
        bool unusual = false;
        const peoplejsonviews::TextView reply(body, &unusual);
        const auto answers =
            createdAnswers(reply.member(QLatin1StringView("createdPeople")).items(), items.size());
        if (reply.readsAlike())
            return settleAll(answers);
    }
    const auto reply = peoplejsonviews::ParsedView::person(
        peoplejson::parseObject(body).value_or(QJsonObject()), body);
    std::vector<peoplejsonviews::ParsedView> responses;
    for (const auto &response : reply.member(QLatin1StringView("createdPeople")).items())
        responses.push_back(
            peoplejsonviews::ParsedView::person(response.object(), response.text()));
    settleAll(createdAnswers(responses, items.size()));
}

void PeopleContactBatch::takeUpdates(const std::vector<size_t> &items, int httpStatus,
                                     const QByteArray &body)
{
    if (!isSuccess(httpStatus)) {
        const auto errors = contactErrorsOf(body);
        std::vector<size_t> refused;
        for (size_t i : items) {
            if (errors && errors->contains(m_items[i].resourceName)) {
                settle(i, peopleerrors::batchStatusForStatus(
                              errors->value(m_items[i].resourceName).toObject()));
                refused.push_back(i);
            }
        }
        if (refused.empty())
            return failCall(items, httpStatus, body);
        return drop(refused);
    }
    const QJsonObject results = peoplejson::parseObject(body)
                                    .value_or(QJsonObject())
                                    .value(QStringLiteral("updateResult"))
                                    .toObject();
    m_applied = true;
    for (size_t i : items) {
        const QJsonObject response = results.value(m_items[i].resourceName).toObject();
        if (const auto refusal = refusalOf(response)) {
            settle(i, *refusal);
            continue;
        }
        const QJsonObject person = response.value(QStringLiteral("person")).toObject();
        if (person.isEmpty()) {
            qWarning("People: no update result for %s", qPrintable(m_items[i].resourceName));
            settle(i, {500, kUnmatched, {}});
            continue;
        }
        succeed(i, 200, peoplereader::contactFromPerson(person, m_api, m_projection));
    }
    drop(items);
}

// A batchGet before updates without an ETag (which take the current one) and before deletes with
// one (which go ahead only while it is unchanged).
void PeopleContactBatch::takeChecks(const std::vector<size_t> &items, int httpStatus,
                                    const QByteArray &body)
{
    if (!isSuccess(httpStatus))
        return failCall(items, httpStatus, body);
    QHash<QString, QJsonObject> responses;
    const QJsonArray list = peoplejson::parseObject(body)
                                .value_or(QJsonObject())
                                .value(QStringLiteral("responses"))
                                .toArray();
    for (const QJsonValue &item : list) {
        const QJsonObject response = item.toObject();
        responses.insert(response.value(QStringLiteral("requestedResourceName")).toString(),
                         response);
    }
    for (size_t i : items) {
        PeopleBatchItem &item = m_items[i];
        const QJsonObject response = responses.value(item.resourceName);
        const QJsonObject person = response.value(QStringLiteral("person")).toObject();
        if (refusalOf(response) || person.isEmpty()) {
            settle(i, {404, peoplebatchitems::kNotFound, {}});
            continue;
        }
        const auto current = peoplejson::stringValue(person, QStringLiteral("etag"));
        if (m_step == Step::UpdateETags)
            item.etag = current;
        else if (current != item.etag)
            settle(i, {412, kStale, {}});
    }
    drop(items);
}

void PeopleContactBatch::takeDeletes(const std::vector<size_t> &items, int httpStatus,
                                     const QByteArray &)
{
    if (isSuccess(httpStatus)) {
        m_applied = true;
        for (size_t i : items)
            settle(i, {200, kSuccess, {}});
        return drop(items);
    }
    // A refused batch names no entry: each goes again alone, for a status of its own.
    m_step = Step::DeleteOne;
    m_pending = items;
}

void PeopleContactBatch::takeDeleteOne(size_t item, int httpStatus, const QByteArray &body)
{
    if (isSuccess(httpStatus)) {
        m_applied = true;
        settle(item, {200, kSuccess, {}});
    } else {
        settle(item, statusOfCall(httpStatus, body));
    }
    drop({item});
}

void PeopleContactBatch::failCall(const std::vector<size_t> &items, int httpStatus,
                                  const QByteArray &body)
{
    if (!m_applied) {
        m_failure = peopleerrors::errorForReply(httpStatus, body);
        m_pending.clear();
        return;
    }
    const GDataBatchStatus status = statusOfCall(httpStatus, body);
    for (size_t i : items)
        settle(i, status);
    drop(items);
}

void PeopleContactBatch::succeed(size_t item, unsigned code,
                                 const std::optional<GDataEntryContactPtr> &entry)
{
    if (!entry) {
        settle(item, {500, kUnmatched, {}});
        return;
    }
    m_items[item].result = *entry;
    settle(item, {code, code == 201 ? kCreated : kSuccess, {}});
}

void PeopleContactBatch::settle(size_t item, const GDataBatchStatus &status)
{
    m_items[item].status = status;
}

void PeopleContactBatch::drop(std::vector<size_t> settled)
{
    std::erase_if(m_pending, [&](size_t i) {
        return std::find(settled.begin(), settled.end(), i) != settled.end();
    });
}

GDataFeedPtr PeopleContactBatch::resultFeed() const
{
    auto feed = std::make_shared<GDataFeed>(GDataEntryBase::Kind::Contact);
    for (const PeopleBatchItem &item : m_items) {
        GDataEntryPtr entry = item.result ? item.result : item.sent->copy();
        entry->setBatchID(item.sent->batchID());
        entry->setBatchOperation(item.operation);
        entry->setBatchStatus(item.status);
        feed->addEntry(entry);
    }
    return feed;
}
