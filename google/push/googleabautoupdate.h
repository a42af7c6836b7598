#pragma once

#include "google/batch/batchaction.h"
#include "google/engine/googlecontacttooldatadelegate.h"
#include "google/lookups/identifierindex.h"
#include "google/push/pushindexes.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

class GoogleABAutoUpdateDelegate;
class GoogleContactTool;

// Turns the address book changes of other programs into Google changes, without a window. It is
// given the identifiers of inserted, changed and deleted records, and pushes them one push at a
// time: each push fetches the account first, so that it decides between add and update on
// Google as it is now, sends the group actions and then the contact actions, and ends when the
// engine's completion chain ends. Identifiers that arrive meanwhile wait in the collection sets
// for the next push. What did not reach Google, and everything while the engine is not logged
// in, goes to the pending files, which the next login pushes.
class GoogleABAutoUpdate : public QObject, public GoogleContactToolDataDelegate
{
    Q_OBJECT

public:
    explicit GoogleABAutoUpdate(QObject *parent = nullptr);
    ~GoogleABAutoUpdate() override;

    // Not owned. Makes this object the engine's data delegate, also when the engine is the same.
    void setGoogleTool(GoogleContactTool *tool);
    GoogleContactTool *googleTool() const { return m_tool; }
    void setDelegate(GoogleABAutoUpdateDelegate *delegate) { m_delegate = delegate; }
    GoogleABAutoUpdateDelegate *delegate() const { return m_delegate; }
    bool runningAsStatusItem() const { return m_runningAsStatusItem; }

    const QSet<QString> &newIDs() const { return m_newIDs; }
    const QSet<QString> &changedIDs() const { return m_changedIDs; }
    const QSet<QString> &deletedIDs() const { return m_deletedIDs; }
    void addToNewIDs(const QSet<QString> &ids) { m_newIDs.unite(ids); }
    void addToChangedIDs(const QSet<QString> &ids) { m_changedIDs.unite(ids); }
    void addToDeletedIDs(const QSet<QString> &ids) { m_deletedIDs.unite(ids); }

    // The identifiers join the collection sets and a push starts unless one is running.
    void autoABUpdateNew(const QStringList &inserted, const QStringList &changed,
                         const QStringList &deleted);
    // Pushes the collection sets: fetches first, then sends (the step of the same name runs
    // once the fetch is in).
    void updateGoogle();
    // Whether a push is between its start and its end.
    bool isPushing() const { return m_state != State::Idle; }
    // Everything queued or in flight goes to the pending files (the agent pauses or quits); a
    // running push's answers are then no longer waited for.
    void savePendingWork();

    // The pending files: appending, and the flush, which archives the files, pushes their
    // identifiers and removes the files only once that push has ended.
    void writeRecordsToPendingFile(const QStringList &identifiers, const QString &fileName);
    void flushPendingFiles();
    // What changed in the address book since the main program last quit, from its stored dates
    // and restart lists, pushed.
    void startupAnalyzer();

    // The Google identifier index, built from the engine's lists as they stand (the Google counts
    // are not fetched again); the count of contacts without title goes to the preferences.
    void setGAllIDs();
    const std::vector<GoogleIDRow> &gAllIDs() const { return m_gAllIDs; }
    // The address book index, the smart-group rows and the members of every smart group; the
    // address book counts go to the preferences.
    void setABBackingData();
    const QList<ABIndexRow> &abAllIDs() const { return m_abAllIDs; }
    const QList<SmartGroupRow> &smartGroups() const { return m_smartGroups; }
    const QSet<QString> &monitoredSmartMembers() const { return m_monitoredSmartMembers; }

    // The contact actions of the push being sent.
    BatchActionQueue batchActionContactArray() override { return m_contactQueue; }
    const BatchActionQueue &batchActionGroupArray() const { return m_groupQueue; }
    void listenForNotifications() override;
    void batchSendAnswered(bool groups, const std::vector<GDataEntryPtr> &results,
                           bool ticketFailed) override;
    // The engine reported a failure outside the batch answers (a photo upload): the push ends.
    void jobFailed();

signals:
    // A push has ended, whatever its outcome.
    void pushEnded();
    // A push could not reach Google (not logged in, its fetch or a batch failed); its changes are
    // in the pending files, which the next login pushes.
    void pushFailed(const QString &reason);

private:
    enum class State { Idle, Fetching, Sending };
    // What one push carries.
    struct Flight
    {
        QStringList inserted;
        QStringList changed;
        QStringList deleted;
        // The batch identifier of each queued action, to the record identifier and its kind.
        QHash<QString, QPair<QString, QString>> byBatchID;
        QSet<QString> reached;
        QStringList refused;
        // Each refusal as the user reads it: the batch identifier, Google's code and reason.
        QStringList refusals;
        // The pending files this push carries, with the identifiers read from each.
        QList<QPair<QString, QStringList>> carriedFiles;
    };

    void startPush();
    void sendFlight();
    void watchFetch();
    // Completed: the chain ran to its end; otherwise the reason it stopped.
    void endPush(bool completed, const QString &failure = {});
    void queueInserted();
    void queueChanged();
    void queueDeleted();
    void enforceStrictMemberships();
    void queueGroup(const RecordPtr &record, const GDataEntryPtr &entry, const QString &action,
                    const QString &uid, const QString &kind);
    void queueContact(const RecordPtr &record, const GDataEntryPtr &entry, const QString &action,
                      const QString &batchID, const QString &uid, const QString &kind);
    void abChangeManager();
    QString pendingFolder() const;
    QString archiveFolder() const;
    void writeLeftovers(const QStringList &inserted, const QStringList &changed,
                        const QStringList &deleted);

    GoogleContactTool *m_tool = nullptr;
    GoogleABAutoUpdateDelegate *m_delegate = nullptr;
    bool m_runningAsStatusItem = false;
    QSet<QString> m_newIDs;
    QSet<QString> m_changedIDs;
    QSet<QString> m_deletedIDs;
    BatchActionQueue m_groupQueue;
    BatchActionQueue m_contactQueue;
    // One action per record and kind in a push.
    QSet<QString> m_queuedGroups;
    QSet<QString> m_queuedContacts;
    State m_state = State::Idle;
    Flight m_flight;
    // The pending files a flush read, carried by the next push.
    QList<QPair<QString, QStringList>> m_flushedFiles;
    QTimer m_fetchWatch;
    std::vector<GoogleIDRow> m_gAllIDs;
    QList<ABIndexRow> m_abAllIDs;
    QList<SmartGroupRow> m_smartGroups;
    QSet<QString> m_monitoredSmartMembers;
};
