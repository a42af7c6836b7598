#pragma once

#include "foundation/keychain/emgenerickeychainitem.h"
#include "google/batch/batchaction.h"
#include "google/browser/pseudogroups.h"
#include "google/browser/reviewrows.h"
#include "google/engine/googlecontactlists.h"
#include "google/engine/runloopwait.h"
#include "google/engine/selectortarget.h"
#include "google/photos/photojob.h"
#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrybase.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdatafeed.h"
#include "platform/gdata/gdataerror.h"
#include "platform/gdata/gdataserviceticket.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class GDataHTTPFetcher;
class GDataQueryContact;
class GDataServiceGoogleContact;
class GoogleContactToolDataDelegate;
class GoogleContactToolMocDelegate;
class GoogleContactToolUIDelegate;
class GoogleToolHostDelegate;
class TicketSet;
namespace smartgroupmemberships {
struct ContactMembershipChange;
}

// The one object through which a program talks to a Google Contacts account: the account and its
// keychain password, the contacts service, the last group and contact feeds with their entries,
// the waits for answers, and the delegates it reports to. Everything runs on the main thread;
// requests complete on the event loop, also inside the waits.
class GoogleContactTool : public QObject, public SelectorTarget
{
    Q_OBJECT

public:
    // Which program holds the engine, set when it is made. The agent runs unattended: where the
    // main program carries on after a wait gave up, the agent's engine fails that job.
    enum class Role { MainProgram, Agent };

    explicit GoogleContactTool(Role role, QObject *parent = nullptr);
    ~GoogleContactTool() override;

    Role role() const { return m_role; }

    // Delegates are not owned: the owner keeps each alive while it is set, or clears it first.
    // Any of them may be null or the same object.
    // A delegate that shows the browser's rows gets the rows a fetch left unbuilt.
    void setUIDelegate(GoogleContactToolUIDelegate *delegate);
    GoogleContactToolUIDelegate *uiDelegate() const { return m_uiDelegate; }
    void setDataDelegate(GoogleContactToolDataDelegate *delegate) { m_dataDelegate = delegate; }
    GoogleContactToolDataDelegate *dataDelegate() const { return m_dataDelegate; }
    void setMocDelegate(GoogleContactToolMocDelegate *delegate) { m_mocDelegate = delegate; }
    GoogleContactToolMocDelegate *mocDelegate() const { return m_mocDelegate; }
    // The program's application delegate.
    void setHostDelegate(GoogleToolHostDelegate *delegate) { m_hostDelegate = delegate; }
    GoogleToolHostDelegate *hostDelegate() const { return m_hostDelegate; }

    // Account. A name without "@" gets the mail suffix after it is trimmed; a name that is empty
    // once trimmed is refused and the account stays.
    void setUser(const QString &user);
    QString user() const { return m_user; }
    // The part before the first "@"; the whole name when it holds none or begins with one.
    QString shortUser() const;
    void setUser2(const QString &user) { m_user2 = user; }
    QString user2() const { return m_user2; }

    // Keychain items of the account and of the second account.
    void setVormelKCI();
    void setVormelKCIUsingKCI(std::unique_ptr<EMGenericKeychainItem> item);
    EMGenericKeychainItem *vormelKCI() const { return m_vormelKCI.get(); }
    void setVormelKCI2();
    void setVormelKCI2UsingKCI(std::unique_ptr<EMGenericKeychainItem> item);
    EMGenericKeychainItem *vormelKCI2() const { return m_vormelKCI2.get(); }
    // Keeps both unchanged, gives the service the item's password and fetches groups and
    // contacts.
    void setKeychainItemForUser(std::unique_ptr<EMGenericKeychainItem> item, const QString &user);

    // Gives the service the account and its keychain password; false without an account or a
    // stored password.
    bool establishUserCredentials();
    // Signs in with a password that is not stored, then fetches groups and contacts.
    void establishUser2CredentialsForUser(const QString &user, const QString &code);

    // Made on first use, then the same object.
    GDataServiceGoogleContact *contactService();
    QString serviceInfo();

    void setGroupProjection(const QString &projection) { m_groupProjection = projection; }
    QString groupProjection() const { return m_groupProjection; }
    void setContactProjection(const QString &projection) { m_contactProjection = projection; }
    QString contactProjection() const { return m_contactProjection; }
    bool includeGroupDeletions() const { return m_includeGroupDeletions; }
    void setIncludeGroupDeletions(bool include) { m_includeGroupDeletions = include; }
    bool includeContactDeletions() const { return m_includeContactDeletions; }
    void setIncludeContactDeletions(bool include) { m_includeContactDeletions = include; }
    void configureServicesUsingProjection(const QString &projection, bool includeDeletions);
    void initializeServices();
    void refreshFeeds();

    // Logged in: both feeds are held.
    bool isLoggedIn() const;
    // Forgets the feeds; account, keychain items and service stay.
    void logout();

    // The photo wait in seconds: the preference "imageTime" plus 3, or 8 when it is above 4.
    void setImageTime();
    double imageTime() const { return m_imageTime; }
    void setContactImageURL(const QUrl &url) { m_contactImageURL = url; }
    QUrl contactImageURL() const { return m_contactImageURL; }

    // Post selectors and the program's values.
    // Performs the named step on the first that offers it: this engine, the UI, data and moc
    // delegates, the application delegate. An empty name does nothing; a name nobody offers is
    // logged.
    void dispatchPostSelector(const QString &name);
    // The application delegate's folder of that name when it offers one, else the preference.
    QVariant defaultValueForKey(const QString &key);

    // Waits: arm with an interval, send the request whose callback clears the flag, then wait.
    // A wait answers whether the caller may go on: always in the main program; in the agent not
    // when it gave up, which it has logged, and the caller fails its job.
    void armTreadInterval(double seconds) { m_treadWait.arm(seconds); }
    bool tread() { return waitOn(m_treadWait, QStringLiteral("tread")); }
    void armRestoreTreadInterval(double seconds);
    bool restoreTread() { return waitOn(m_restoreWait, QStringLiteral("restoreTread")); }
    void armRefreshTreadInterval(double seconds) { m_refreshWait.arm(seconds); }
    bool refreshTread() { return waitOn(m_refreshWait, QStringLiteral("refreshTread")); }
    void armPictureTreadInterval(double seconds) { m_pictureWait.arm(seconds); }
    bool pictureTread() { return waitOn(m_pictureWait, QStringLiteral("pictureTread")); }
    void armSingleFetchTreadInterval(double seconds) { m_singleFetchWait.arm(seconds); }
    bool singleFetchTread()
    {
        return waitOn(m_singleFetchWait, QStringLiteral("singleFetchTread"));
    }
    void armVCardInterval(double seconds) { m_vCardWait.arm(seconds); }
    bool vCardTread() { return waitOn(m_vCardWait, QStringLiteral("vCardTread")); }
    void armSingleInsertTreadInterval(double seconds) { m_singleInsertWait.arm(seconds); }
    bool singleInsertTread()
    {
        return waitOn(m_singleInsertWait, QStringLiteral("singleInsertTread"));
    }
    void armContactFeedInterval(double seconds) { m_contactFeedWait.arm(seconds); }
    bool contactFeedTread()
    {
        return waitOn(m_contactFeedWait, QStringLiteral("contactFeedTread"));
    }
    void armGroupFeedInterval(double seconds) { m_groupFeedWait.arm(seconds); }
    bool groupFeedTread() { return waitOn(m_groupFeedWait, QStringLiteral("groupFeedTread")); }
    // The flags, cleared by the callbacks of other operations.
    RunLoopWait &treadWait() { return m_treadWait; }
    RunLoopWait &restoreWait() { return m_restoreWait; }
    RunLoopWait &refreshWait() { return m_refreshWait; }
    RunLoopWait &pictureWait() { return m_pictureWait; }
    RunLoopWait &singleFetchWait() { return m_singleFetchWait; }
    RunLoopWait &vCardWait() { return m_vCardWait; }
    RunLoopWait &singleInsertWait() { return m_singleInsertWait; }
    RunLoopWait &contactFeedWait() { return m_contactFeedWait; }
    RunLoopWait &groupFeedWait() { return m_groupFeedWait; }

    // Feed fetching.
    QUrl contactFeedURLUsingProjection(const QString &projection);
    QUrl groupFeedURLUsingProjection(const QString &projection);
    void initializeGroupFetchStateForProjection(const QString &projection);
    void initializeContactFetchStateForProjection(const QString &projection);

    // Groups, then contacts when asked; the views are refreshed at the end.
    void fetchAllGroupsWithUIRefresh(bool refresh, bool contacts);
    // Groups, then contacts, then the named step on the first delegate that offers it.
    void fetchAllGroupsAndContactsWithDidFinishSelector(const QString &selector);
    void fetchAllContactsWithUISelector(const QString &selector);
    void fetchAllContactsWithUIRefresh(bool refresh);
    // Fetch again after a change on Google; a non-empty post selector is dispatched once the new
    // list is in (for contacts, before any view is refreshed), and not after a failure.
    void refetchAllGroups(const QString &postSelector);
    void refetchGroupsAndContacts();
    void refetchAllContacts(const QString &postSelector);
    // One contact by its identifier URL, waited for; null when it failed or did not come in time.
    GDataEntryPtr fetchContactByID(const QString &identifier);
    GDataEntryPtr singleFetchContact() const { return m_singleFetchContact; }

    GDataFeedPtr groupFeed() const { return m_groupFeed; }
    GDataFeedPtr contactFeed() const { return m_contactFeed; }
    void setGroupFeed(const GDataFeedPtr &feed);
    void setContactFeed(const GDataFeedPtr &feed);
    GDataServiceTicketPtr groupFetchTicket() const { return m_groupFetchTicket; }
    void setGroupFetchTicket(const GDataServiceTicketPtr &ticket) { m_groupFetchTicket = ticket; }
    GDataServiceTicketPtr contactFetchTicket() const { return m_contactFetchTicket; }
    void setContactFetchTicket(const GDataServiceTicketPtr &ticket)
    {
        m_contactFetchTicket = ticket;
    }
    std::optional<GDataError> groupFetchError() const { return m_groupFetchError; }
    void setGroupFetchError(const std::optional<GDataError> &error);
    std::optional<GDataError> contactFetchError() const { return m_contactFetchError; }
    void setContactFetchError(const std::optional<GDataError> &error);

    // The entries of the last feeds, with the lookups' indexes. A failed fetch keeps the last
    // good entries and marks the list as not complete: such a list is never read as "these
    // entries were deleted".
    const GoogleContactLists &lists() const { return m_lists; }
    GoogleContactLists &lists() { return m_lists; }
    const std::vector<GDataEntryContactGroupPtr> &groupArray() const { return m_lists.groups(); }
    const std::vector<GDataEntryContactPtr> &contactArray() const { return m_lists.contacts(); }
    // The browser's rows become those of the contacts in any (useIntersection false) or every
    // (true) group of the selection, taken from the rows kept since the last fetch.
    void setContactBrowserArrayForGroupSet(const pseudogroups::GroupSelection &selection,
                                           bool useIntersection);

    // Change tracking against the snapshot stored in the preferences.
    std::vector<GDataEntryContactGroupPtr> groupsInsertedSince(const QDateTime &date) const;
    std::vector<GDataEntryContactPtr> contactsInsertedSince(const QDateTime &date) const;
    std::vector<GDataEntryContactGroupPtr> groupsChangedSince(const QDateTime &date) const;
    std::vector<GDataEntryContactPtr> contactsChangedSince(const QDateTime &date) const;
    QDateTime lastGroupInsertDate() const;
    QDateTime lastContactInsertDate() const;
    QDateTime lastGroupUpdateDate() const;
    QDateTime lastContactUpdateDate() const;
    bool hasGoogleModDateChangedSinceLast() const;
    bool hasGoogleCountChangedSinceLast() const;
    bool hasGoogleChangedSinceLast() const;

    // Google contact into Address Book person: the person changes in memory; the caller saves.
    void makePerson(const PersonPtr &person, const GDataEntryContact &contact);

    // Batch sends, their results and the completion chain.
    // Each send cuts the queue into feeds of at most 100 entries and answers whether it started;
    // a ticket type other than "Simple", "Advanced" or "Generic" is logged and sends nothing. A
    // group send's post selector (null: none) runs after the groups are refetched; with the
    // "Generic" type the default step is "doSaveAB", else "doContactsElseSmart".
    bool processContactBatchArray(const BatchActionQueue &actions, const QString &ticketType);
    bool processGroupBatchArray(const BatchActionQueue &actions, const QString &ticketType,
                                const QString &postSelector = QString());
    bool batchAddGroupNamesArray(const QStringList &names, const QString &postSelector = QString());
    void batchSimpleABContactActions(const BatchActionQueue &actions);
    void batchAdvancedABContactActions(const BatchActionQueue &actions);
    void batchSimpleABGroupActions(const BatchActionQueue &actions);
    void batchAdvancedABGroupActions(const BatchActionQueue &actions);
    void doContactsElseSmart();
    void doPicturesElseSmart();
    void doSmartElseSaveAB();
    void doSaveAB();
    QString progressMessage() const { return m_progressMessage; }
    bool useAdvanced() const { return m_useAdvanced; }
    // The "Generic" contact queue being sent; its length gives the percentage of the answers.
    void setCurrentContactBatchArray(const BatchActionQueue &actions)
    {
        m_currentContactBatchArray = actions;
    }
    const BatchActionQueue &currentContactBatchArray() const { return m_currentContactBatchArray; }
    // The report of the last finished send, and the errors of its failed entries and tickets.
    QString lastBatchReport() const { return m_lastBatchReport; }
    QString lastBatchErrorReport() const { return m_lastBatchErrorReport; }

    // Upload decisions: the queue of "add" and "update" actions for the records; records that
    // need nothing are left out. Progress goes to the UI delegate.
    BatchActionQueue buildBatchArrayForABGroupArray(const QList<GroupPtr> &groups);
    BatchActionQueue buildBatchArrayForABContactArray(const QList<PersonPtr> &people);

private:
    bool waitOn(RunLoopWait &wait, const QString &op);
    // Sign-in of the service: its protocol and OAuth client from the preferences, and a renewed
    // credential written back to the account's keychain item, or, for a credential that is not
    // stored, kept in memory only.
    void configureSignIn(bool storesRenewedCredential);
    void storeRenewedCredential(const QString &credentialText);
    // Batch sends, their results and the completion chain.
    void registerBatchSteps();
    void setProgressMessage(const QString &message);
    void batchContactsAnswered(const QString &ticketType, TicketSet &set);
    void batchGroupsAnswered(const QString &ticketType, const QString &postSelector,
                             TicketSet &set);
    void sendGroupFeeds(const std::vector<GDataFeedPtr> &feeds, const QString &ticketType,
                        const QString &postSelector);
    void genericContactTicketEnded(const TicketSet &set);
    void contactBatchFailed(const QString &ticketType, const TicketSet &set);
    void groupBatchFailed(const QString &ticketType, const TicketSet &set);
    GDataQueryContact groupQuery();
    GDataQueryContact contactQuery(bool ascending);
    using FeedFinished = void (GoogleContactTool::*)(const GDataServiceTicketPtr &,
                                                     const GDataFeedPtr &);
    using FeedFailed = void (GoogleContactTool::*)(const GDataServiceTicketPtr &,
                                                   const GDataError &);
    GDataServiceTicketPtr sendQuery(const GDataQueryContact &query, FeedFinished finished,
                                    FeedFailed failed);
    GDataServiceTicketPtr sendGroupQuery(FeedFinished finished, FeedFailed failed);
    GDataServiceTicketPtr sendContactQuery(bool ascending, FeedFinished finished,
                                           FeedFailed failed);

    void groupsFetchFinished(const GDataServiceTicketPtr &ticket, const GDataFeedPtr &feed);
    void groupsFetchFailed(const GDataServiceTicketPtr &ticket, const GDataError &error);
    void contactsFetchFinished(const GDataServiceTicketPtr &ticket, const GDataFeedPtr &feed);
    void contactsFetchFailed(const GDataServiceTicketPtr &ticket, const GDataError &error);
    void groupsRefetchFinished(const GDataServiceTicketPtr &ticket, const GDataFeedPtr &feed);
    void groupsRefetchFailed(const GDataServiceTicketPtr &ticket, const GDataError &error);
    void contactsRefetchFinished(const GDataServiceTicketPtr &ticket, const GDataFeedPtr &feed);
    void contactsRefetchFailed(const GDataServiceTicketPtr &ticket, const GDataError &error);
    void endJobOfFailedRefetch(const GDataServiceTicketPtr &ticket);

    // Storing what was fetched, and telling the windows.
    void setGroupArray(std::vector<GDataEntryContactGroupPtr> groups);
    void setContactArray(std::vector<GDataEntryContactPtr> contacts);
    void openFirstWindow();
    void performUISelector(const QString &selector);
    void refreshFirstView();
    void showErrorSheet(const GDataError &error);
    void showAuthenticationAlert();
    void logFetchError(const QString &op, const GDataError &error);

    Role m_role;
    GoogleContactToolUIDelegate *m_uiDelegate = nullptr;
    GoogleContactToolDataDelegate *m_dataDelegate = nullptr;
    GoogleContactToolMocDelegate *m_mocDelegate = nullptr;
    GoogleToolHostDelegate *m_hostDelegate = nullptr;
    // Browser rows: the last fetch's rows wait for a delegate that shows them.
    void buildContactBrowserRows();
    bool m_browserRowsDeferred = false;

    QString m_user;
    QString m_user2;
    QString m_gMailSuffix;
    QString m_keychainItemName;
    QString m_keychainItemName2;
    QString m_googleSource;
    std::unique_ptr<EMGenericKeychainItem> m_vormelKCI;
    std::unique_ptr<EMGenericKeychainItem> m_vormelKCI2;
    GDataServiceGoogleContact *m_contactService = nullptr;

    QString m_groupProjection;
    QString m_contactProjection;
    bool m_includeGroupDeletions = false;
    bool m_includeContactDeletions = false;
    double m_imageTime = 3.0;
    QUrl m_contactImageURL;

    RunLoopWait m_treadWait;
    RunLoopWait m_restoreWait;
    RunLoopWait m_refreshWait;
    RunLoopWait m_pictureWait;
    RunLoopWait m_singleFetchWait;
    RunLoopWait m_vCardWait;
    RunLoopWait m_singleInsertWait;
    RunLoopWait m_contactFeedWait;
    RunLoopWait m_groupFeedWait;

    GDataFeedPtr m_groupFeed;
    GDataFeedPtr m_contactFeed;
    GDataServiceTicketPtr m_groupFetchTicket;
    GDataServiceTicketPtr m_contactFetchTicket;
    GDataServiceTicketPtr m_singleFetchTicket;
    GDataEntryPtr m_singleFetchContact;
    std::optional<GDataError> m_groupFetchError;
    std::optional<GDataError> m_contactFetchError;
    GoogleContactLists m_lists;

    // Photos.
public:
    // The photo bytes at the URL, waited for up to imageTime() seconds; null for an empty URL and
    // when the fetch failed or gave up. Each fetch is tagged: an answer that comes after its
    // fetch gave up is dropped, never taken for the photo of a later fetch.
    QByteArray imageDataForURL(const QUrl &url, const std::optional<QString> &eTag);
    // Fetches the photo and stores it as the person's image (TIFF), without saving; false when no
    // image could be made of what came.
    bool setImageForPerson(const PersonPtr &person, const QUrl &url,
                           const std::optional<QString> &eTag);

    // Uploads the picture (any format the image reader knows), as JPEG, as the photo of the
    // contact; the contacts are fetched again once it is stored, a failure is shown as a sheet.
    void setImageDataForContactID(const QByteArray &imageData, const QString &identifier);
    // Deletes the contact's photo at Google; a failure is shown as a sheet.
    void deleteContactImageForID(const QString &identifier);
    // Contacts of the last feed whose photo link has an address.
    int countOfImages() const;
    // The contact the user works on, whose photo a picked file replaces; none unless set.
    void setSelectedContact(const GDataEntryContactPtr &contact) { m_selectedContact = contact; }
    GDataEntryContactPtr selectedContact() const { return m_selectedContact; }
    // Uploads the file, unchanged and typed by its name, as the selected contact's photo; a file
    // of no type or that cannot be read is shown as a sheet and nothing is sent.
    void setSelectedContactPhotoAtPath(const QString &path);
    // The portraits edited in a window: each uploaded as JPEG in turn, waiting for each answer
    // up to 3 s; a failed photo does not stop the others.
    struct Portrait
    {
        QString gID;
        QImage gImage;
    };
    void setCurrentContactImagesArray(const QList<Portrait> &portraits)
    {
        m_currentContactImagesArray = portraits;
    }
    const QList<Portrait> &currentContactImagesArray() const { return m_currentContactImagesArray; }
    // Portraits already loaded, by Google contact identifier: the browser keeps them here, and a
    // backup writes a kept portrait without asking Google for it again.
    QHash<QString, QImage> &currentImagesCache() { return m_currentImagesCache; }
    void setCurrentImagesCache(const QHash<QString, QImage> &cache) { m_currentImagesCache = cache; }
    void batchContactPictures();

    // The chained photo queues: the first job is the one in flight, removed when it is stored.
    std::vector<PhotoJob> &contactResultsArray() { return m_contactResultsArray; }
    // Uploads the queued address book pictures one after the other, then fetches the contacts
    // again and goes on with "doSmartElseSaveAB"; a failure stops the queue and is reported.
    void batchSimpleABContactPictures();
    // Uploads the queued image files one after the other, as the Simple picture queue does. A file
    // that cannot be read or is no picture is skipped, and reported when the queue ends.
    void loadContactImageFiles();

private:
    void getImageForURL(const QUrl &url, quint64 tag);
    void nextPictureOrEnd();
    void sendNextImageFile();
    void endImageFiles();
    void photoQueueFailed(const GDataError &error);
    void inputStreamHasDeliveredByteCount(quint64 sent, quint64 total);
    void showPhotoFailureSheet(const QString &title, const QString &text, const GDataError &error);
    void sendPhotoUpload(const GDataEntryContact &entry, const QUrl &url);
    void imageFetchEnded(quint64 tag, const std::optional<QByteArray> &data);

    RunLoopWait m_imageWait;
    QByteArray m_imageData;
    quint64 m_imageFetchCount = 0;
    quint64 m_imageFetchInFlight = 0;
    std::weak_ptr<GDataServiceTicket> m_photoUploadTicket;
    std::vector<PhotoJob> m_contactResultsArray;
    // Photos that a refused sign-in stopped: they go with the next photo queue, to the photo
    // links of the contacts as then fetched.
    std::vector<PhotoJob> m_photosAfterSignIn;
    void takePhotosAfterSignIn();
    double m_progressCount = 0.0;
    QStringList m_skippedImageFiles;
    GDataEntryContactPtr m_selectedContact;
    QList<Portrait> m_currentContactImagesArray;
    QHash<QString, QImage> m_currentImagesCache;
    GDataServiceTicketPtr m_portraitTicket;

    // Batch sends, their results and the completion chain.
    QString m_progressMessage;
    bool m_useAdvanced = false;
    BatchActionQueue m_currentContactBatchArray;
    QString m_lastBatchReport;
    QString m_lastBatchErrorReport;
    // The groups of this upload that Google refused and that hold no Google identifier: their
    // members' contacts would go without those memberships, so they stay for the next run.
    QSet<QString> m_refusedGroupIDs;
    QList<GroupPtr> m_groupsBeingAdded;
    QString m_groupRefusals;
    // The data delegate's contact queue without the members of refused groups.
    BatchActionQueue contactQueueOutsideRefusedGroups();
    void forgetRefusedGroups();
    void sendContactQueue(const BatchActionQueue &actions, const QString &ticketType);
    void noteRefusedGroup(const GroupPtr &group);

    // Smart-group membership batches.
public:
    // Builds the membership changes of every smart group and sends them; with none, "doSaveAB".
    void buildSmartGroupActions();
    // Sends each changed contact once, as an update, to the contact feed's batch link; when the
    // last ticket has ended (or failed, which is reported) the groups and contacts are fetched
    // again.
    void batchSmartGroupMembers(
        const std::vector<smartgroupmemberships::ContactMembershipChange> &changes);

private:
    void smartGroupMembersAnswered(const TicketSet &set);

    // Photos of a batch-action queue.
public:
    // Uploads, as JPEG, the picture of each queued person to its Google contact (an "add" by
    // the person's stored identifier, an "update" to its entry), waiting for each answer up to
    // 3 s; "delete" actions and persons without a picture or a contact are passed over.
    void batchABContactPictures(const BatchActionQueue &actions);

private:
    GDataEntryContactPtr photoContactOfAction(const BatchAction &action,
                                              const PersonPtr &person) const;
    // False when the agent gave up waiting for the answer.
    bool sendActionPicture(const QByteArray &jpeg, const QUrl &url);

    GDataServiceTicketPtr m_actionPictureTicket;

    // The backup archive of the account.
public:
    // Writes the groups, the contacts and their photos of the current lists into a dated zip in
    // the account's backup folder. False, after a sheet that names what is missing, when a list,
    // the photos' folder or the archive could not be written. Photos that could not be fetched
    // are left out and counted in the completion sheet, which only shows outside an update.
    bool backupGoogleContacts();
    // Publishes the counts of the lists and whether the account's backup folder holds an archive.
    void setGoogleUserDefaults();
    // Writes the queued photo jobs (contactResultsArray: photo link and file path) one after the
    // other as TIFF, then zips the listed files and the photos into a new archive.
    void writeImagesToFile();
    // The account's folder under the backup folder.
    QString accountBackupFolderPath();

private:
    void imageDataFetcherFinished(const QByteArray &data);
    void imageDataFetcherFailedWithStatus(GDataHTTPFetcher *fetcher, int status,
                                          const QByteArray &data);
    void imageDataFetcherFailedWithError(GDataHTTPFetcher *fetcher, const GDataError &error);
    void showBackupFailure(const QString &what);
    QStringList m_backupFilesArray;

    // Sending one edited contact.
public:
    // Sends the edited entry to its edit link without waiting. Google's answer takes the place of
    // the contact and of its browser row; a failure is shown as a sheet and the lists stay.
    void updateGoogleContact(const GDataEntryContact &contact);
    // Menus: the same, with what runs once Google has answered, whatever the answer.
    void updateGoogleContact(const GDataEntryContact &contact, std::function<void()> answered);

private:
    void editOneContactTicketEditedEntry(const GDataServiceTicketPtr &ticket,
                                         const GDataEntryPtr &entry);
    void editOneContactTicketFailedWithError(const GDataServiceTicketPtr &ticket,
                                             const GDataError &error);
    void replaceEditedContact(const GDataEntryContactPtr &edited);

    // Browser edit batches. Each changes the held entries, then sends copies of them in feeds of
    // at most 100 through one ticket set. Once every feed has answered, the send reports every
    // result (a failure is always shown) and fetches the groups and contacts once, so the
    // browser shows what Google holds.
public:
    // contacts: browser dictionaries ("gID"); groupIDs: the Google groups left.
    void batchRemoveContactsFromGroups(const QList<QVariantMap> &contacts,
                                       const QStringList &groupIDs);
    // Leaves each contact in My Contacts only.
    void removeAllGroupMembershipsForContacts(const QStringList &contactIDs);
    // flags: program property element to value (contactflags).
    void batchFlagContactsWithFlags(const QStringList &contactIDs,
                                    const QMap<QString, QString> &flags);
    void batchDeleteContacts(const QList<QVariantMap> &contacts);
    // A Google group: the contacts not in it yet join it, answered as a "Generic" send. A pseudo
    // group applies its meaning: the male, female, company and no-gender groups their flags, the
    // no-group group My Contacts only; the e-mail-only group beeps.
    void addContactsToGroupWithID(const QStringList &contactIDs, const QString &groupID);
    // groupIDs: Google group identifiers.
    void batchDeleteGroups(const QStringList &groupIDs);
    // One new Google group per address book group, by its name.
    void batchDeleteABGroups(const QList<GroupPtr> &groups);
    // The groups with a note get the date added to it.
    void batchUpdateGroups(const std::vector<GDataEntryContactGroupPtr> &groups);
    // Renames the group and waits up to 3 s for Google's answer, which takes the place of the
    // held group.
    void updateGroupIDWithName(const QString &groupID, const QString &name);
    // Raised while groups inserted by batchDeleteABGroups are on their way.
    bool isGoogleContactFetchPending() const { return m_isGoogleContactFetchPending; }

private:
    void sendBrowserBatch(const QUrl &batchURL, const std::vector<GDataFeedPtr> &feeds);
    void browserBatchAnswered(const TicketSet &set);
    void sendGroupEdits(const std::vector<GDataEntryPtr> &groups, const QString &operation);
    void editOneGroupTicketEditedEntry(const GDataEntryPtr &entry);
    void editOneGroupTicketFailedWithError(const GDataError &error);
    bool m_isGoogleContactFetchPending = false;

    // Upload and delete commands.
public:
    // Each upload command brings the UI delegate's window forward and asks in a sheet on the key
    // window; a confirmed sheet sends the upload decisions as "Generic" batches, the groups first
    // and the contacts once the groups have answered and been fetched again.
    void uploadFromABABGroup(const QString &name);
    void uploadFromABAllManualGroups();
    void uploadFromABAllSmartGroups();
    void uploadFromABGoogleGroupMembers(const QString &title);
    void uploadFromABAllGoogleContacts();
    void uploadFromABABGroupMembers(const QString &name);
    void uploadFromABAllCompanies();
    void uploadFromABAllPeople();
    // Each delete command asks in a sheet, deletes its Google entries in batches of at most 100
    // and fetches again once the last batch has answered. The address book is never touched.
    void deleteAllGoogleEmailOnlyContacts();
    void deleteAllGoogleNoGroupContacts();
    void deleteGoogleMembersOfGroupWithName(const QString &title);
    void deleteGoogleMembersOfABGroupWithName(const QString &name);
    void deleteAllABPeople();
    void deleteAllABCompanies();
    void deleteAllGoogleContacts();
    void deleteAllGoogleGroups();
    void deleteGroupWithName(const QString &title);
    void deleteGroup(const GDataEntryContactGroupPtr &group);
    // The text report of a finished batch (httpStatus: its ticket's); with updateGUI each result
    // is shown as progress.
    QString buildProcessReportUsingResults(const std::vector<GDataEntryPtr> &results,
                                           int httpStatus, bool updateGUI);
    struct ProcessReport
    {
        QString report;
        int addCount = 0; // results Google answered as created
    };
    ProcessReport buildProcessReportDictUsingResults(const std::vector<GDataEntryPtr> &results,
                                                     int httpStatus);
    // Empties the photo jobs of the chained photo queue before a batch job.
    void initContactResultsArrayWithCapacity(int) { m_contactResultsArray.clear(); }

private:
    // What a confirmed upload sheet sends once its groups have answered.
    struct PendingUpload
    {
        QString context;
        QList<GroupPtr> groups;
        QList<PersonPtr> tempContacts;
        bool withMembers = false;
    };
    void registerCommandSteps();
    void beginGroupUploadSheet(const QString &title, const QString &alternate, const QString &other,
                               const QList<GroupPtr> &groups);
    void beginContactUploadSheet(const QString &title, const QString &alternate,
                                 const QString &other, const QString &context);
    void updateGroupSheetDidEnd(int returnCode);
    void updateContactSheetDidEnd(int returnCode, const QString &context);
    void uploadAfterGroups();
    void beginDeleteSheet(const QList<GDataEntryContactPtr> &candidates, const QString &title,
                          const QString &deleteButton, const QString &statusMsg);
    void deleteSheetDidEnd(int returnCode);
    void deleteAllSheetDidEnd(int returnCode, const QString &context);
    void deleteBatchesAnswered(const QString &context, const TicketSet &set);
    PendingUpload m_pendingUpload;
    QList<GDataEntryContactPtr> m_deleteCandidates;
    QString m_deleteStatusMsg;

    // Restoring a backup archive.
public:
    // Asks for the archive in a window-modal open choice on the window in front, starting in the
    // account's backup folder; the answer goes to googleArchivePanelDidEnd.
    void restoreGoogleContacts();
    // With returnCode 1 the archive is unpacked into the tmp folder and restored: groups, then
    // contacts, then photos, each step once the last has answered. An archive or list that cannot
    // be read stops it before anything is sent. Every run ends with its outcome shown and the
    // progress closed; the address book links it writes are saved after each step.
    void googleArchivePanelDidEnd(int returnCode, const QString &path);
    void batchRestoreGroups();
    void batchRestoreContacts();
    void batchRestoreImages();
    // Google groups for the address book groups, each entry numbered by its group's identifier,
    // so that the answer links every group made to the group it came from. The groups are
    // fetched again once every feed has answered, and the outcome is always shown.
    void batchAddABGroups(const QList<GroupPtr> &abGroups);
    const QVariantList &restoreGoogleGroupArray() const { return m_restoreGoogleGroupArray; }
    void setRestoreGoogleGroupArray(const QVariantList &records)
    {
        m_restoreGoogleGroupArray = records;
    }
    const QVariantList &restoreGoogleContactArray() const { return m_restoreGoogleContactArray; }
    void setRestoreGoogleContactArray(const QVariantList &records)
    {
        m_restoreGoogleContactArray = records;
    }
    const QStringList &restoreGoogleImagesArray() const { return m_restoreGoogleImagesArray; }
    void setRestoreGoogleImagesArray(const QStringList &paths)
    {
        m_restoreGoogleImagesArray = paths;
    }

private:
    struct RestoreRun;
    void registerRestoreSteps();
    void refuseRestore(const QString &why);
    void batchRestoreGroupsAnswered(TicketSet &set);
    void batchAddGroupAnswered(TicketSet &set);
    void batchRestoreContactsAnswered(TicketSet &set);
    void restoreGroupsRefetched(const GDataServiceTicketPtr &ticket, const GDataFeedPtr &feed);
    void restoreContactsRefetched(const GDataServiceTicketPtr &ticket, const GDataFeedPtr &feed);
    void restoreRefetchFailed(const GDataServiceTicketPtr &ticket, const GDataError &error);
    bool removeRestoredCopies();
    void afterRestoredContacts();
    void sendNextRestoredPhoto();
    void finishRestore();
    QVariantList m_restoreGoogleGroupArray;
    QVariantList m_restoreGoogleContactArray;
    QStringList m_restoreGoogleImagesArray;
    std::shared_ptr<RestoreRun> m_restoreRun;
    // vCard import jobs.
public:
    // A photo found in an imported card, for a contact that has none at Google yet.
    struct VCardPhoto
    {
        // The existing contact's identifier; for a new contact, the identifier of the card's
        // person, which its program property carries.
        QString gID;
        QString email;
        QString title;
        QImage image;
    };
    using VCardPhotoList = QList<VCardPhoto>;
    // Cards for the Google group named groupName.
    struct VCardJob
    {
        QString groupName;
        QList<QByteArray> vCards;
    };
    // The photo list the next job starts from. Each job keeps its own list, so a job started
    // before the photo step of another never takes or changes that job's photos.
    void setForeignVCardImportData(const VCardPhotoList &photos);
    // The photo list of the job started last.
    VCardPhotoList foreignVCardImportData() const { return *m_foreignVCardImportData; }
    // Each card becomes an update of the contact its person is linked to, or a new contact, with
    // a membership of the target group, in feeds of at most 100. A job ends when every feed has
    // answered: failures are shown, and the post selector then runs for what succeeded. No
    // membership is made that the contact has already, nor from a pseudo group's title.
    void addVCardArrayToGroupWithABID(const QList<QByteArray> &vCards, const QString &abid,
                                      const QString &sourceAccount, const QString &postSelector);
    // groupID "NoGroup", "All" or a pseudo group: no membership.
    void addVCardArrayToGroupWithID(const QList<QByteArray> &vCards, const QString &groupID,
                                    const QString &sourceAccount, const QString &postSelector);
    // Each element may hold several cards.
    void addVCardArrayToGroups(const QList<QByteArray> &vCardFiles,
                               const std::vector<GDataEntryContactGroupPtr> &groups,
                               const QString &sourceAccount, const QString &postSelector);
    // A card listed in several jobs becomes one entry with a membership per job.
    void doVCardJobs(const QList<VCardJob> &jobs, const QString &sourceAccount,
                     const QString &postSelector);
    // The photo steps: the photos of the jobs that finished, each list uploaded once, then the
    // groups and contacts fetched again. batchABPictures uploads the address book person's own
    // picture for each.
    void batchVCardPictures();
    void batchABPictures();
    // Cleared when a job's results have been processed.
    bool vCardFlag() const { return m_vCardFlag; }

private:
    struct VCardJobRun;
    std::shared_ptr<VCardJobRun> startVCardJob(const QString &op, const QString &postSelector);
    void addVCardCard(VCardJobRun &run, const QByteArray &card,
                      const std::vector<QString> &groupIDs, bool copyNewEntry);
    void sendVCardJob(const std::shared_ptr<VCardJobRun> &run);
    void vCardJobAnswered(const VCardJobRun &run, const TicketSet &set);
    void uploadVCardPictures(bool addressBookPictures);
    std::shared_ptr<VCardPhotoList> m_foreignVCardImportData = std::make_shared<VCardPhotoList>();
    bool m_foreignVCardImportDataTaken = false;
    // The photo lists of finished jobs, waiting for their photo step.
    QList<std::shared_ptr<VCardPhotoList>> m_vCardPhotosToUpload;
    bool m_vCardFlag = false;

    // Merge and bulk update.
public:
    // Folds the contact into the master as the merge preferences (includeMergeGroups,
    // includeMergeInfo) say; the master changes in place and nothing is sent.
    void merge(const GDataEntryContact &contact, GDataEntryContact &master);
    // Applies the bulk preferences to the contact; whether it changed.
    bool bulkUpdateContact(GDataEntryContact &contact);
    // Folds every other contact of the browser rows into the master and sends the master's
    // update; only once Google took it does the photo follow (the first donor's when the master
    // has none and includeMergePicture is on) and are the others deleted, in feeds of at most
    // 100. Without the master's row or entry nothing is sent and the user is told.
    void batchMergeArray(const QList<QVariantMap> &rows, const QString &masterID);
    // Applies the bulk preferences to the contact of every browser row and sends those that
    // changed, in feeds of at most 100; none changed, nothing is sent.
    void batchBulkUpdateContacts(const QList<QVariantMap> &rows);

private:
    void mergeMasterAnswered(const TicketSet &set,
                             const std::vector<GDataEntryContactPtr> &donors);
    // Writing the review window's corrections back as hints in the program's property.
public:
    // What became of a send of review rows.
    struct ReviewSendOutcome
    {
        // False when the contact feed has no batch link: nothing was changed or sent.
        bool started = false;
        // The contacts Google stored with their hints.
        QStringList acceptedIDs;
        // Feeds that failed as a whole, and entries Google refused ("title: code reason").
        QStringList failedFeeds;
        QStringList refused;
        // Rows whose contact is not in the lists, by identifier.
        QStringList notFound;
        // Contacts that hold ten properties of other programs, which leaves no room for the
        // hints, by title.
        QStringList noRoom;
        // Portraits that did not reach Google, by title and by identifier.
        QStringList failedPortraits;
        QStringList failedPortraitIDs;
    };
    using ReviewSendDone = std::function<void(const ReviewSendOutcome &)>;
    // Writes the rows' corrections into the contacts in place and sends each changed contact
    // once as an update, in feeds of at most 100, answered by the "Simple" contact completion.
    // The name rows whose portrait changed become the portrait queue, uploaded once the name
    // batch has ended. done (optional) gets the outcome after the last feed was answered.
    void updateContactNameExProps(const QList<NameReviewRow> &rows, ReviewSendDone done = {});
    void updateContactAddressExProps(const QList<AddressReviewRow> &rows,
                                     ReviewSendDone done = {});
    // The contacts, by identifier, whose portrait the last batchContactPictures() did not store.
    const QStringList &failedPortraits() const { return m_failedPortraits; }

private:
    struct ReviewEntries
    {
        std::vector<GDataEntryContactPtr> entries;
        ReviewSendOutcome outcome;
        // Sent for their new titles, but without their hints.
        QSet<QString> noRoomIDs;
        // The titles the user saw, by identifier, which the outcome names the contacts by.
        QHash<QString, QString> titles;
    };
    void sendReviewEntries(ReviewEntries review, bool withPortraits, const ReviewSendDone &done);
    QStringList m_failedPortraits;
};
