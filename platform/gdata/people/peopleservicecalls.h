// The calls of the contact service on the People protocol: the same entry, feed, batch and ticket
// objects the layers above know from Atom, made from People requests. Lists follow every page and
// fail whole; batches go through the planners; a write's answer is kept for lists that lag.
#pragma once

#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/gdata/people/peoplefeedurl.h"
#include "platform/gdata/people/peoplerequest.h"
#include "platform/gdata/people/peoplesynctokens.h"

class PeopleServiceCalls
{
public:
    using FeedFinished = GDataServiceGoogleContact::FeedFinished;
    using EntryFinished = GDataServiceGoogleContact::EntryFinished;
    using Failed = GDataServiceGoogleContact::Failed;

    explicit PeopleServiceCalls(GDataServiceGoogleContact *service)
        : m_service(service)
    {}

    GDataServiceTicketPtr fetchQuery(const GDataQueryContact &query, QObject *delegate,
                                     FeedFinished finished, Failed failed);
    GDataServiceTicketPtr fetchEntry(const QUrl &url, GDataEntryBase::Kind kind, QObject *delegate,
                                     EntryFinished finished, Failed failed);
    GDataServiceTicketPtr batch(const GDataFeed &feed, const QUrl &batchURL, QObject *delegate,
                                FeedFinished finished, Failed failed);
    GDataServiceTicketPtr insert(const GDataEntryBase &entry, const QUrl &feedURL,
                                 QObject *delegate, EntryFinished finished, Failed failed);
    GDataServiceTicketPtr update(const GDataEntryBase &entry, const QUrl &entryURL,
                                 QObject *delegate, EntryFinished finished, Failed failed);
    // An entry's identifier deletes the entry (after the ETag check, when one is given); a photo
    // link deletes the photo, whose ETag Google's photo calls cannot check.
    GDataServiceTicketPtr remove(const QUrl &url, const std::optional<QString> &etag,
                                 QObject *delegate, EntryFinished finished, Failed failed);

    // Where the sync tokens are kept: the user's data folder unless set (tests).
    void setStateFile(const QString &path) { m_syncTokens.setPath(path); }

private:
    struct ListFetch;
    using Reply = std::function<void(const std::optional<GDataError> &, int status,
                                     const QByteArray &body, bool resent)>;

    static QUrlQuery personQuery();
    static QString listPath(GDataEntryBase::Kind kind);
    void fetchChangesPage(const std::shared_ptr<ListFetch> &fetch, const QString &pageToken);
    void startFullList(const std::shared_ptr<ListFetch> &fetch);
    void fetchFullPage(const std::shared_ptr<ListFetch> &fetch, const QString &pageToken);
    void finishFullList(const std::shared_ptr<ListFetch> &fetch, const QString &syncToken);
    static QUrlQuery metadataQuery();
    QString api() const;
    QString account() const;
    // Sends the call; creates are never sent again once the server may have served them.
    void send(const GDataServiceTicketPtr &ticket, const PeopleRequest &request, bool creates,
              Reply reply);
    // Fails the ticket on the event loop, as every call answers; returns it.
    GDataServiceTicketPtr failLater(const GDataServiceTicketPtr &ticket, QObject *delegate,
                                    Failed failed, const GDataError &error);
    GDataServiceTicketPtr singleEntryBatch(const GDataEntryBase &entry, const QString &operation,
                                           QObject *delegate, EntryFinished finished,
                                           Failed failed);
    GDataServiceTicketPtr updatePhoto(const GDataEntryBase &entry, const QString &resourceName,
                                      QObject *delegate, EntryFinished finished, Failed failed);
    Reply personReply(const GDataServiceTicketPtr &ticket, QObject *delegate,
                      const PeopleProjection &projection, EntryFinished finished, Failed failed);
    void keepResults(const GDataFeed &result);

    GDataServiceGoogleContact *m_service;
    PeopleSyncTokens m_syncTokens;
};
