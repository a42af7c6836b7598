// A contact batch feed as People calls, and the result feed built from their answers, with no
// network: the service sends each request() and hands its answer to takeReply() until none is left.
//
// A feed of at most 100 entries becomes at most three calls, in this order, so a merge never
// deletes before its master is written:
// 1. creates: batchCreateContacts, all or nothing; the entries Google refuses by index get their
//    status and the call goes once more without them. createdPeople are matched by position, each
//    checked by a fingerprint of what was sent; a mismatch is 500 "unmatched result", never a
//    guess.
// 2. updates: batchUpdateContacts by resource name, refusals by name as for creates; an entry with
//    no ETag takes its current one from batchGet first.
// 3. deletes: an entry with an ETag passes batchGet first (Google's deletes take no precondition):
//    a changed etag gives 412 and no delete, a missing person 404. Then batchDeleteContacts; a
//    refused call goes again one name at a time with deleteContact, for per-entry statuses.
// The result feed holds one entry per sent entry, its batch id echoed; created and updated entries
// carry the whole mapped person. A call that fails before anything was applied fails the batch, as
// an Atom batch does; once something was applied, the entries of a later failed call each get that
// call's status.
#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdatafeed.h"
#include "platform/gdata/gdataerror.h"
#include "platform/gdata/people/peoplebatchitems.h"
#include "platform/gdata/people/peopleprojection.h"
#include "platform/gdata/people/peoplerequest.h"

#include <QJsonObject>

#include <map>
#include <optional>
#include <vector>

class PeopleContactBatch
{
public:
    PeopleContactBatch(const GDataFeed &feed, QString api,
                       PeopleProjection projection = PeopleProjection::full());

    // The call to send now; nothing once the batch is done or failed.
    std::optional<PeopleRequest> request() const;
    void takeReply(int httpStatus, const QByteArray &body);
    // The call may have been applied though no answer says so (a create after a lost connection
    // or a 5xx, which is never sent again): its entries get 503 and the batch goes on, so the
    // next run's lookups find a contact made anyway instead of a second one being made.
    void takeUnknownOutcome();
    // Whether the call to send now creates contacts.
    bool isCreating() const { return m_step == Step::Creates; }

    // Set when the batch failed before anything was applied.
    const std::optional<GDataError> &failure() const { return m_failure; }
    GDataFeedPtr resultFeed() const;

private:
    enum class Step { Creates, UpdateETags, Updates, DeleteChecks, Deletes, DeleteOne, Done };

    // Whether a call is due, without building it: a reply is taken for the call last built.
    bool hasRequest() const;
    void enterStep(Step step);
    void advance();
    std::vector<size_t> chunk() const;
    std::vector<size_t> itemsFor(Step step) const;

    PeopleRequest createRequest(const std::vector<size_t> &items) const;
    PeopleRequest updateRequest(const std::vector<size_t> &items) const;
    PeopleRequest getRequest(const std::vector<size_t> &items) const;
    PeopleRequest deleteRequest(const std::vector<size_t> &items) const;

    void takeCreates(const std::vector<size_t> &items, int httpStatus, const QByteArray &body);
    void takeUpdates(const std::vector<size_t> &items, int httpStatus, const QByteArray &body);
    void takeChecks(const std::vector<size_t> &items, int httpStatus, const QByteArray &body);
    void takeDeletes(const std::vector<size_t> &items, int httpStatus, const QByteArray &body);
    void takeDeleteOne(size_t item, int httpStatus, const QByteArray &body);

    // A whole call refused: the batch fails while nothing was applied, else each entry of the
    // call gets the call's status.
    void failCall(const std::vector<size_t> &items, int httpStatus, const QByteArray &body);
    // entry: the person of the answer as read; nothing when it is no person.
    void succeed(size_t item, unsigned code, const std::optional<GDataEntryContactPtr> &entry);
    void settle(size_t item, const GDataBatchStatus &status);
    void drop(std::vector<size_t> settled);

    QString m_api;
    PeopleProjection m_projection;
    std::vector<PeopleBatchItem> m_items;
    // The persons the last create call sent, by item, to check its answer against without
    // writing each of them out again.
    mutable std::map<size_t, QJsonObject> m_createdFrom;
    Step m_step = Step::Creates;
    std::vector<size_t> m_pending;
    bool m_applied = false;
    std::optional<GDataError> m_failure;
};
