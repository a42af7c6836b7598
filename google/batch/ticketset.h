#pragma once

#include "platform/gdata/entries/gdataentrybase.h"
#include "platform/gdata/entries/gdatafeed.h"
#include "platform/gdata/gdataerror.h"
#include "platform/gdata/gdataserviceticket.h"

#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

class GDataServiceGoogleContact;
class QObject;

// The tickets of one send, and what they answered. Every ticket ends once, finished or failed,
// and leaves the set either way, so the set always completes: its completion runs exactly once,
// after the last ticket ended, with the results of every finished ticket in the order they
// answered and the error of every failed one.
class TicketSet
{
public:
    struct Failure
    {
        GDataServiceTicketPtr ticket;
        GDataError error;
    };
    using Step = std::function<void(TicketSet &)>;
    // Runs on each feed just before it is sent.
    using Prepare = std::function<void(GDataFeed &)>;

    // completion runs after the last ticket; ticketEnded (optional) after each ticket's answer,
    // before the completion.
    static std::shared_ptr<TicketSet> make(Step completion, Step ticketEnded = {});

    // Sends each feed as one batch ticket to the URL, as many at a time as the service takes
    // (maximumConcurrentWrites), and closes the set after the last has gone out. Each feed is
    // prepared right before it is sent, so what it stamps into its entries tells when the server
    // received them, not when the queue was built. An empty list of feeds completes at once,
    // with nothing.
    static std::shared_ptr<TicketSet> sendBatchFeeds(GDataServiceGoogleContact &service,
                                                     QObject *receiver, const QUrl &batchURL,
                                                     const std::vector<GDataFeedPtr> &feeds,
                                                     Step completion, Step ticketEnded = {},
                                                     Prepare prepare = {});

    // A started ticket; its answer goes to finished() or failed().
    void add(const GDataServiceTicketPtr &ticket);
    // No more tickets follow: the set may complete.
    void close();
    void finished(const GDataServiceTicketPtr &ticket, const GDataFeedPtr &feed);
    void failed(const GDataServiceTicketPtr &ticket, const GDataError &error);

    const std::vector<GDataEntryPtr> &results() const { return m_results; }
    const std::vector<Failure> &failures() const { return m_failures; }
    // The HTTP status of the ticket that ended last.
    int lastStatusCode() const { return m_lastStatusCode; }
    int outstanding() const { return int(m_tickets.size()); }
    // The tickets sent and not yet ended, in the order they went out.
    const std::vector<GDataServiceTicketPtr> &tickets() const { return m_tickets; }
    // The ticket that ended last, with the properties its sender gave it; null before any ended.
    const GDataServiceTicketPtr &lastTicket() const { return m_lastTicket; }

private:
    TicketSet(Step completion, Step ticketEnded);
    void ended(const GDataServiceTicketPtr &ticket);
    void completeWhenDone();

    Step m_completion;
    Step m_ticketEnded;
    std::vector<GDataServiceTicketPtr> m_tickets;
    GDataServiceTicketPtr m_lastTicket;
    std::vector<GDataEntryPtr> m_results;
    std::vector<Failure> m_failures;
    int m_lastStatusCode = 0;
    bool m_closed = false;
    bool m_completed = false;
};
