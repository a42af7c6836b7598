#include "google/batch/ticketset.h"

#include "platform/gdata/gdataservicegooglecontact.h"

#include <algorithm>

std::shared_ptr<TicketSet> TicketSet::make(Step completion, Step ticketEnded)
{
    return std::shared_ptr<TicketSet>(new TicketSet(std::move(completion), std::move(ticketEnded)));
}

TicketSet::TicketSet(Step completion, Step ticketEnded)
    : m_completion(std::move(completion))
    , m_ticketEnded(std::move(ticketEnded))
{}

namespace {

// The feeds of one send not yet sent. Each ticket that ends sends the next; the set closes once
// the last has gone out.
struct FeedSender
{
    GDataServiceGoogleContact &service;
    QObject *receiver;
    QUrl batchURL;
    std::vector<GDataFeedPtr> feeds;
    TicketSet::Prepare prepare;
    size_t next = 0;

    static void sendMore(const std::shared_ptr<FeedSender> &sender,
                         const std::shared_ptr<TicketSet> &set)
    {
        // As many as the service takes at once: more would only wait in a queue, stamped long
        // before they are sent.
        const int inFlight = std::max(1, sender->service.maximumConcurrentWrites());
        while (set->outstanding() < inFlight && sender->next < sender->feeds.size()) {
            GDataFeed &feed = *sender->feeds[sender->next++];
            if (sender->prepare)
                sender->prepare(feed);
            // The callbacks hold the set, so it lives until its last ticket has ended.
            set->add(sender->service.fetchContactBatchFeedWithBatchFeed(
                feed, sender->batchURL, sender->receiver,
                [sender, set](const GDataServiceTicketPtr &ticket, const GDataFeedPtr &result) {
                    set->finished(ticket, result);
                    sendMore(sender, set);
                },
                [sender, set](const GDataServiceTicketPtr &ticket, const GDataError &error) {
                    set->failed(ticket, error);
                    sendMore(sender, set);
                }));
        }
        if (sender->next == sender->feeds.size())
            set->close();
    }
};

} // namespace

std::shared_ptr<TicketSet> TicketSet::sendBatchFeeds(GDataServiceGoogleContact &service,
                                                     QObject *receiver, const QUrl &batchURL,
                                                     const std::vector<GDataFeedPtr> &feeds,
                                                     Step completion, Step ticketEnded,
                                                     Prepare prepare)
{
    std::shared_ptr<TicketSet> set = make(std::move(completion), std::move(ticketEnded));
    auto sender = std::make_shared<FeedSender>(
        FeedSender{service, receiver, batchURL, feeds, std::move(prepare)});
    FeedSender::sendMore(sender, set);
    return set;
}

void TicketSet::add(const GDataServiceTicketPtr &ticket)
{
    m_tickets.push_back(ticket);
}

void TicketSet::close()
{
    m_closed = true;
    completeWhenDone();
}

void TicketSet::finished(const GDataServiceTicketPtr &ticket, const GDataFeedPtr &feed)
{
    if (feed)
        m_results.insert(m_results.end(), feed->entries().begin(), feed->entries().end());
    ended(ticket);
}

void TicketSet::failed(const GDataServiceTicketPtr &ticket, const GDataError &error)
{
    m_failures.push_back({ticket, error});
    ended(ticket);
}

void TicketSet::ended(const GDataServiceTicketPtr &ticket)
{
    const auto it = std::find(m_tickets.begin(), m_tickets.end(), ticket);
    if (it == m_tickets.end())
        return; // not ours, or answered twice
    m_tickets.erase(it);
    m_lastTicket = ticket;
    m_lastStatusCode = ticket->statusCode();
    if (m_ticketEnded)
        m_ticketEnded(*this);
    completeWhenDone();
}

void TicketSet::completeWhenDone()
{
    if (!m_closed || !m_tickets.empty() || m_completed)
        return;
    m_completed = true;
    // Moved out first: the completion may drop the last reference to this set.
    Step completion = std::move(m_completion);
    m_ticketEnded = {};
    if (completion)
        completion(*this);
}
