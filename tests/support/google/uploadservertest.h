#pragma once

#include "tests/support/google/engineservertest.h"

#include "google/batch/batchaction.h"
#include "platform/addressbook/recordclass.h"

#include <QString>

#include <memory>

inline const QString kContactIDName = QStringLiteral("com.test.googleID");
inline const QString kContactVersionName = QStringLiteral("com.test.googleVersion");
inline const QString kContactAsOfName = QStringLiteral("com.test.googleAsOf");
inline const QString kContactMaskName = QStringLiteral("com.test.googleMask");
inline const QString kGroupIDName = QStringLiteral("com.test.groupGoogleID");
inline const QString kGroupVersionName = QStringLiteral("com.test.groupVersion");

// Waits half a second, and longer while the clock still shows the second of the record's
// modification date: versions are whole-second texts, so an edit in that very second could not be
// told from the version uploaded.
void waitBeforeEditing(const PersonPtr &person);

// A data delegate that answers the completion chain with a contact queue and notes the chain's
// end.
class QueueDataDelegate : public RecordingDataDelegate
{
public:
    using RecordingDataDelegate::RecordingDataDelegate;
    BatchActionQueue batchActionContactArray() override { return queue; }
    void listenForNotifications() override { ended = true; }

    BatchActionQueue queue;
    bool ended = false;
};

// An engine logged in to the loopback server, with the link property names of the address book
// set, the program's properties in the schema and the upload options of people, companies, names
// and memberships on; its data delegate hands the chain the contact queue.
class UploadServerTest : public EngineServerTest
{
protected:
    explicit UploadServerTest(ServiceProtocol protocol = ServiceProtocol::Atom)
        : EngineServerTest(protocol)
    {}
    void SetUp() override;

    static PersonPtr addPerson(const QString &first, const QString &last);
    // People "Ann <prefix>0" to "Ann <prefix>(count-1)".
    static QList<PersonPtr> addPeople(int count, const QString &prefix);
    static GroupPtr addGroup(const QString &name);
    // The link of a record as saved, read from the database by a second address book.
    static QString savedLink(const QString &uniqueId, const QString &property);
    static QString savedContactID(const PersonPtr &person);

    // Decides the people's actions and hands them to the "Simple" contact starter, the queue
    // also going to the completion chain; true once the job has ended: at the chain's end, or
    // after a clean-up with an error once the contacts are fetched again.
    bool uploadPeople(const QList<PersonPtr> &people);
    bool jobEnded() const;
    // Fetches the groups and then the contacts again and waits for both.
    void refetch();
    // The record identifiers that the live contacts on the server carry, one per contact.
    QStringList serverRecordIDs();

    QueueDataDelegate queueData{journal};
    std::unique_ptr<OfferingEngine> engine;
};
