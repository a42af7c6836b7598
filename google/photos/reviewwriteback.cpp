// The review window's corrections written into the contacts as hints and sent to Google.
#include "foundation/log.h"
#include "google/batch/batchaction.h"
#include "google/batch/ticketset.h"
#include "google/engine/googlecontacttool.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"
#include "google/photos/reviewproperties.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QHash>
#include <QTimer>

#include <utility>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
constexpr int kEntriesPerFeed = 100;
const QString kUpdate = QStringLiteral("update");

QUrl batchURLOf(const GDataFeedPtr &feed)
{
    const std::optional<GDataLink> link = feed ? feed->batchLink() : std::nullopt;
    return link ? link->URL() : QUrl();
}

// One update per contact, in feeds of at most 100; the batch identifier is the contact's own.
std::vector<GDataFeedPtr> updateFeeds(const std::vector<GDataEntryContactPtr> &entries)
{
    std::vector<GDataFeedPtr> feeds;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i % kEntriesPerFeed == 0)
            feeds.push_back(GDataFeedContact::contactFeed());
        const GDataEntryPtr update = entries[i]->copy();
        update->setBatchOperation(kUpdate);
        update->setBatchID(entries[i]->identifier());
        feeds.back()->addEntry(update);
    }
    return feeds;
}

// Groups the rows by contact, in the order each contact first appears.
template <typename Row> QList<std::pair<QString, QList<Row>>> rowsByContact(const QList<Row> &rows)
{
    QList<std::pair<QString, QList<Row>>> grouped;
    QHash<QString, qsizetype> position;
    for (const Row &row : rows) {
        const auto found = position.constFind(row.gID);
        if (found != position.constEnd()) {
            grouped[*found].second.append(row);
        } else {
            position.insert(row.gID, grouped.size());
            grouped.append({row.gID, {row}});
        }
    }
    return grouped;
}

} // namespace

void GoogleContactTool::updateContactNameExProps(const QList<NameReviewRow> &rows,
                                                 ReviewSendDone done)
{
    ReviewEntries review;
    review.outcome.started = batchURLOf(m_contactFeed).isValid();
    if (review.outcome.started) {
        QList<Portrait> portraits;
        for (const NameReviewRow &row : rows) {
            if (row.gDelta)
                portraits.append(Portrait{row.gID, row.gImage});
        }
        setCurrentContactImagesArray(portraits);
        for (const auto &[gID, contactRows] : rowsByContact(rows)) {
            const GDataEntryContactPtr contact = contactlookups::contactForID(m_lists, gID);
            if (!contact) {
                review.outcome.notFound << gID;
                continue;
            }
            const QString title = tolvane::tolvaneTitle(*contact);
            review.titles.insert(gID, title);
            bool placed = true;
            for (const NameReviewRow &row : contactRows)
                placed = reviewproperties::googleNameReviewPropertiesFor(*contact, row) && placed;
            if (!placed) {
                review.outcome.noRoom << title;
                review.noRoomIDs.insert(gID);
            }
            review.entries.push_back(contact);
        }
        m_lists.entriesChanged();
    }
    sendReviewEntries(std::move(review), true, done);
}

void GoogleContactTool::updateContactAddressExProps(const QList<AddressReviewRow> &rows,
                                                    ReviewSendDone done)
{
    ReviewEntries review;
    review.outcome.started = batchURLOf(m_contactFeed).isValid();
    if (review.outcome.started) {
        // Every reviewed address of a contact goes in its one update: two updates of the same
        // contact in one feed conflict, and the second is refused.
        for (const auto &[gID, contactRows] : rowsByContact(rows)) {
            const GDataEntryContactPtr contact = contactlookups::contactForID(m_lists, gID);
            if (!contact) {
                review.outcome.notFound << gID;
                continue;
            }
            const QString title = tolvane::tolvaneTitle(*contact);
            review.titles.insert(gID, title);
            bool placed = true;
            for (const AddressReviewRow &row : contactRows)
                placed =
                    reviewproperties::googleAddressReviewPropertiesFor(*contact, row) && placed;
            if (placed)
                review.entries.push_back(contact);
            else
                review.outcome.noRoom << title;
        }
        m_lists.entriesChanged();
    }
    sendReviewEntries(std::move(review), false, done);
}

void GoogleContactTool::sendReviewEntries(ReviewEntries review, bool withPortraits,
                                          const ReviewSendDone &done)
{
    const QString op = withPortraits ? QStringLiteral("updateContactNameExProps:")
                                     : QStringLiteral("updateContactAddressExProps:");
    if (!review.outcome.started)
        tlog::message(kClass, op, QStringLiteral("ERROR: no batch link on the contact feed"));
    const bool portraits = withPortraits && !m_currentContactImagesArray.isEmpty();
    if (!review.outcome.started || (review.entries.empty() && !portraits)) {
        // Nothing to send: the outcome still comes later, as every answer does.
        QTimer::singleShot(0, this, [done, outcome = std::move(review.outcome)] {
            if (done)
                done(outcome);
        });
        return;
    }
    auto outcome = std::make_shared<ReviewSendOutcome>(std::move(review.outcome));
    TicketSet::sendBatchFeeds(
        *contactService(), this, batchURLOf(m_contactFeed), updateFeeds(review.entries),
        [this, outcome, titles = review.titles, portraits, done,
         noRoomIDs = review.noRoomIDs](TicketSet &set) {
            for (const GDataEntryPtr &entry : set.results()) {
                const QString gID = entry->batchID().value_or(QString());
                const QString title = titles.value(gID, gID);
                const std::optional<GDataBatchStatus> status = entry->batchStatus();
                if (status && status->code <= 399 && !entry->batchInterrupted()) {
                    if (!noRoomIDs.contains(gID))
                        outcome->acceptedIDs << gID;
                } else {
                    outcome->refused << QStringLiteral("%1: %2 %3")
                                            .arg(title)
                                            .arg(status ? int(status->code) : 0)
                                            .arg(status ? status->reason : QString());
                }
            }
            for (const TicketSet::Failure &failure : set.failures())
                outcome->failedFeeds << failure.error.description;
            if (portraits) {
                batchContactPictures();
                outcome->failedPortraitIDs = m_failedPortraits;
                for (const QString &gID : std::as_const(m_failedPortraits)) {
                    const GDataEntryContactPtr contact = contactlookups::contactForID(m_lists, gID);
                    outcome->failedPortraits
                        << titles.value(gID, contact ? tolvane::tolvaneTitle(*contact) : gID);
                }
            }
            batchContactsAnswered(tickettypes::simple, set);
            if (done)
                done(*outcome);
        });
}
