#include "platform/gdata/people/peoplegroupbatch.h"

#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/people/peoplebatchitems.h"
#include "platform/gdata/people/peopleconstants.h"
#include "platform/gdata/people/peopleerrors.h"
#include "platform/gdata/people/peoplejson.h"
#include "platform/gdata/people/peoplereader.h"
#include "platform/gdata/people/peoplewriter.h"

namespace {

const QString kStale = QStringLiteral("Entry has been modified since it was read.");

bool isSuccess(int httpStatus)
{
    return httpStatus >= 200 && httpStatus < 300;
}

// Failures of the service rather than of the entry sent.
bool isServiceFailure(const GDataError &error)
{
    return error.code <= 0 || error.code >= 500 || error.code == 401 || error.code == 403 ||
           error.code == 429;
}

GDataBatchStatus statusOf(const GDataError &error)
{
    const QJsonObject google = QJsonObject::fromVariantMap(
        error.userInfo.value(QString::fromLatin1(kPeopleErrorGoogleErrorKey)).toMap());
    return {error.code > 0 ? unsigned(error.code) : 500u, error.description,
            peopleerrors::errorReasons(google).value(0)};
}

QJsonObject groupBody(const GDataEntryBase &entry, const QString &api)
{
    return peoplewriter::contactGroupFromGroup(static_cast<const GDataEntryContactGroup &>(entry),
                                               api);
}

} // namespace

PeopleGroupBatch::PeopleGroupBatch(const GDataFeed &feed, QString api, PeopleProjection projection)
    : m_api(std::move(api))
    , m_projection(std::move(projection))
{
    m_items = peoplebatchitems::sentItems(feed, m_api, GDataEntryBase::Kind::ContactGroup,
                                          kPeopleGroupPrefix, QStringLiteral("Not a group entry."));
    planSteps();
    skipSettled();
}

void PeopleGroupBatch::planSteps()
{
    const auto each = [&](const char *operation, auto add) {
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (!m_items[i].status && m_items[i].operation == QLatin1String(operation))
                add(i);
        }
    };
    each(kGDataBatchOperationInsert, [&](size_t i) { m_steps.push_back({i, Action::Create}); });
    each(kGDataBatchOperationUpdate, [&](size_t i) {
        if (!m_items[i].etag)
            m_steps.push_back({i, Action::FetchETag});
        m_steps.push_back({i, Action::Update});
    });
    each(kGDataBatchOperationDelete, [&](size_t i) {
        if (m_items[i].etag)
            m_steps.push_back({i, Action::CheckETag});
        m_steps.push_back({i, Action::Delete});
    });
}

void PeopleGroupBatch::skipSettled()
{
    while (m_next < m_steps.size() && m_items[m_steps[m_next].item].status)
        ++m_next;
}

std::optional<PeopleRequest> PeopleGroupBatch::request() const
{
    if (m_failure || m_next >= m_steps.size())
        return std::nullopt;
    const Step &step = m_steps[m_next];
    const PeopleBatchItem &item = m_items[step.item];
    const QString path = QStringLiteral("v1/") + item.resourceName;
    const QString readFields = QString::fromLatin1(kPeopleGroupFields);
    switch (step.action) {
    case Action::Create: {
        QJsonObject group = groupBody(*item.sent, m_api);
        group.remove(QStringLiteral("resourceName"));
        group.remove(QStringLiteral("etag"));
        return PeopleRequest{"POST",
                             QStringLiteral("v1/contactGroups"),
                             {},
                             {{QStringLiteral("contactGroup"), group},
                              {QStringLiteral("readGroupFields"), readFields}}};
    }
    case Action::FetchETag:
    case Action::CheckETag: {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("groupFields"), QStringLiteral("metadata"));
        return PeopleRequest{"GET", path, query, {}};
    }
    case Action::Update: {
        QJsonObject group = groupBody(*item.sent, m_api);
        group.insert(QStringLiteral("resourceName"), item.resourceName);
        if (item.etag)
            group.insert(QStringLiteral("etag"), *item.etag);
        return PeopleRequest{
            "PUT",
            path,
            {},
            {{QStringLiteral("contactGroup"), group},
             {QStringLiteral("updateGroupFields"), QLatin1String(kPeopleGroupUpdateFields)},
             {QStringLiteral("readGroupFields"), readFields}}};
    }
    case Action::Delete: {
        // The members stay contacts: only the group goes.
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("deleteContacts"), QStringLiteral("false"));
        return PeopleRequest{"DELETE", path, query, {}};
    }
    }
    return std::nullopt;
}

void PeopleGroupBatch::takeReply(int httpStatus, const QByteArray &body)
{
    if (!request())
        return;
    const Step step = m_steps[m_next++];
    if (isSuccess(httpStatus))
        takeGroup(step, body);
    else
        takeFailure(step, httpStatus, body);
    skipSettled();
}

void PeopleGroupBatch::takeFailure(const Step &step, int httpStatus, const QByteArray &body)
{
    const GDataError error = peopleerrors::errorForReply(httpStatus, body);
    if (!m_applied && isServiceFailure(error)) {
        m_failure = error;
        return;
    }
    PeopleBatchItem &item = m_items[step.item];
    const bool check = step.action == Action::FetchETag || step.action == Action::CheckETag;
    item.status =
        check && error.code == 404 ? GDataBatchStatus{404, peoplebatchitems::kNotFound, {}} : statusOf(error);
}

void PeopleGroupBatch::takeGroup(const Step &step, const QByteArray &body)
{
    PeopleBatchItem &item = m_items[step.item];
    const QJsonObject group = peoplejson::parseObject(body).value_or(QJsonObject());
    switch (step.action) {
    case Action::FetchETag:
        item.etag = peoplejson::stringValue(group, QStringLiteral("etag"));
        return;
    case Action::CheckETag:
        if (peoplejson::stringValue(group, QStringLiteral("etag")) != item.etag)
            item.status = {412, kStale, {}};
        return;
    case Action::Delete:
        m_applied = true;
        item.status = {200, QStringLiteral("Success"), {}};
        return;
    case Action::Create:
    case Action::Update:
        break;
    }
    m_applied = true;
    const bool created = step.action == Action::Create;
    const auto entry = peoplereader::groupFromContactGroup(group, m_api, m_projection);
    if (!entry) {
        qWarning("People: the answer for group %s names no group",
                 qPrintable(item.sent->title().value_or(item.resourceName)));
        item.status = {500, QStringLiteral("unmatched result"), {}};
        return;
    }
    item.result = *entry;
    item.status = {
        created ? 201u : 200u, created ? QStringLiteral("Created") : QStringLiteral("Success"), {}};
}

GDataFeedPtr PeopleGroupBatch::resultFeed() const
{
    auto feed = std::make_shared<GDataFeed>(GDataEntryBase::Kind::ContactGroup);
    for (const PeopleBatchItem &item : m_items) {
        GDataEntryPtr entry = item.result ? item.result : item.sent->copy();
        entry->setBatchID(item.sent->batchID());
        entry->setBatchOperation(item.operation);
        entry->setBatchStatus(item.status);
        feed->addEntry(entry);
    }
    return feed;
}
