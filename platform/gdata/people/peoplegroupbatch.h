// A group batch feed as People calls: contact groups have no batch methods, so each entry goes as
// a request of its own, creates first, then updates, then deletes, as for contacts. An update
// without an ETag takes the group's current one first; a delete with an ETag goes ahead only
// while the group's etag is unchanged (412 otherwise, 404 for a group gone), and never deletes the
// group's members. A refusal of one entry (a duplicate name, a stale etag) is that entry's status;
// a failure of the service itself (5xx, quota, sign-in, network) on the first request, before
// anything was applied, fails the batch, as an Atom batch does.
#pragma once

#include "platform/gdata/entries/gdatafeed.h"
#include "platform/gdata/gdataerror.h"
#include "platform/gdata/people/peoplebatchitems.h"
#include "platform/gdata/people/peopleprojection.h"
#include "platform/gdata/people/peoplerequest.h"

#include <optional>
#include <vector>

class PeopleGroupBatch
{
public:
    PeopleGroupBatch(const GDataFeed &feed, QString api,
                     PeopleProjection projection = PeopleProjection::full());

    std::optional<PeopleRequest> request() const;
    void takeReply(int httpStatus, const QByteArray &body);

    const std::optional<GDataError> &failure() const { return m_failure; }
    GDataFeedPtr resultFeed() const;

private:
    enum class Action { Create, FetchETag, Update, CheckETag, Delete };

    struct Step
    {
        size_t item;
        Action action;
    };

    void planSteps();
    void skipSettled();
    void takeFailure(const Step &step, int httpStatus, const QByteArray &body);
    void takeGroup(const Step &step, const QByteArray &body);

    QString m_api;
    PeopleProjection m_projection;
    std::vector<PeopleBatchItem> m_items;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    bool m_applied = false;
    std::optional<GDataError> m_failure;
};
