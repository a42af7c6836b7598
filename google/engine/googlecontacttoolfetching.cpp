// Feed fetching of GoogleContactTool: groups first, then contacts; refetches after changes on
// Google; the single-contact fetch; fetch errors with their preferences, status texts and alerts.

#include "google/engine/googlecontacttool.h"

#include "addressbook/records/recordcounts.h"
#include "foundation/log.h"
#include "google/browser/browserlist.h"
#include "google/engine/googlecontacttooldatadelegate.h"
#include "google/engine/googlecontacttoolmocdelegate.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataquerycontact.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/prompter.h"
#include "platform/ui/termination.h"

#include <QApplication>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");

// Ticket properties.
const QString kDoContacts = QStringLiteral("doContacts");
const QString kDoRefresh = QStringLiteral("doRefresh");
const QString kUISelector = QStringLiteral("uiSelector");
const QString kPostSelector = QStringLiteral("postSelector");

constexpr int kMaxResults = 2000;
constexpr int kAuthenticationRefused = 403;
constexpr double kSingleFetchSeconds = 3.0;

void setStatusFlag(const QString &key, bool value)
{
    UserDefaults::standard().setBool(value, key);
}

// The entries of a feed as the kind they are.
template <class Entry> std::vector<std::shared_ptr<Entry>> typedEntries(const GDataFeedPtr &feed)
{
    std::vector<std::shared_ptr<Entry>> typed;
    typed.reserve(feed->entries().size());
    for (const GDataEntryPtr &entry : feed->entries()) {
        if (auto cast = std::dynamic_pointer_cast<Entry>(entry))
            typed.push_back(std::move(cast));
    }
    return typed;
}

// A named step carried by a ticket; empty when it carries none.
QString selectorOf(const GDataServiceTicketPtr &ticket, const QString &key)
{
    return ticket->propertyAs<QString>(key);
}

} // namespace

QUrl GoogleContactTool::contactFeedURLUsingProjection(const QString &projection)
{
    if (projection.isEmpty() || projection.compare(u"full", Qt::CaseInsensitive) == 0)
        return contactService()->feedURL(QLatin1String(kGDataGoogleContactDefaultFullFeed));
    if (projection.compare(u"thin", Qt::CaseInsensitive) == 0)
        return contactService()->feedURL(QLatin1String(kGDataGoogleContactDefaultThinFeed));
    return contactService()->contactFeedURLForPropertyName(projection);
}

QUrl GoogleContactTool::groupFeedURLUsingProjection(const QString &projection)
{
    if (projection.isEmpty() || projection.compare(u"full", Qt::CaseInsensitive) == 0)
        return contactService()->feedURL(QLatin1String(kGDataGoogleContactGroupDefaultFullFeed));
    if (projection.compare(u"thin", Qt::CaseInsensitive) == 0)
        return contactService()->feedURL(QLatin1String(kGDataGoogleContactGroupDefaultThinFeed));
    return contactService()->groupFeedURLForPropertyName(projection);
}

void GoogleContactTool::initializeGroupFetchStateForProjection(const QString &projection)
{
    m_lists.setGroups({});
    m_lists.setGroupListComplete(false);
    m_groupFetchError.reset();
    m_groupProjection = projection;
}

void GoogleContactTool::initializeContactFetchStateForProjection(const QString &projection)
{
    m_lists.setContacts({});
    m_lists.setContactListComplete(false);
    m_contactFetchError.reset();
    m_contactProjection = projection;
}

GDataQueryContact GoogleContactTool::groupQuery()
{
    GDataQueryContact query =
        GDataQueryContact::contactQueryWithFeedURL(groupFeedURLUsingProjection(m_groupProjection));
    query.setShouldShowDeleted(m_includeGroupDeletions);
    query.setMaxResults(kMaxResults);
    return query;
}

GDataQueryContact GoogleContactTool::contactQuery(bool ascending)
{
    GDataQueryContact query = GDataQueryContact::contactQueryWithFeedURL(
        contactFeedURLUsingProjection(m_contactProjection));
    query.setShouldShowDeleted(m_includeContactDeletions);
    query.setMaxResults(kMaxResults);
    if (ascending)
        query.setIsAscendingOrder(true);
    return query;
}

GDataServiceTicketPtr GoogleContactTool::sendQuery(const GDataQueryContact &query,
                                                   FeedFinished finished, FeedFailed failed)
{
    return contactService()->fetchContactQuery(
        query, this,
        [this, finished](const GDataServiceTicketPtr &ticket, const GDataFeedPtr &feed) {
            (this->*finished)(ticket, feed);
        },
        [this, failed](const GDataServiceTicketPtr &ticket, const GDataError &error) {
            (this->*failed)(ticket, error);
        });
}

GDataServiceTicketPtr GoogleContactTool::sendGroupQuery(FeedFinished finished, FeedFailed failed)
{
    m_groupFetchTicket = sendQuery(groupQuery(), finished, failed);
    return m_groupFetchTicket;
}

GDataServiceTicketPtr GoogleContactTool::sendContactQuery(bool ascending, FeedFinished finished,
                                                          FeedFailed failed)
{
    m_contactFetchTicket = sendQuery(contactQuery(ascending), finished, failed);
    return m_contactFetchTicket;
}

void GoogleContactTool::fetchAllGroupsWithUIRefresh(bool refresh, bool contacts)
{
    tlog::trace(kClass, QStringLiteral("fetchAllGroupsWithUIRefresh:andContacts:"));
    const GDataServiceTicketPtr ticket = sendGroupQuery(&GoogleContactTool::groupsFetchFinished,
                                                        &GoogleContactTool::groupsFetchFailed);
    ticket->setProperty(kDoRefresh, refresh);
    ticket->setProperty(kDoContacts, contacts);
}

void GoogleContactTool::fetchAllGroupsAndContactsWithDidFinishSelector(const QString &selector)
{
    const GDataServiceTicketPtr ticket = sendGroupQuery(&GoogleContactTool::groupsFetchFinished,
                                                        &GoogleContactTool::groupsFetchFailed);
    ticket->setProperty(kDoContacts, true);
    ticket->setProperty(kUISelector, selector);
}

void GoogleContactTool::fetchAllContactsWithUISelector(const QString &selector)
{
    const GDataServiceTicketPtr ticket = sendContactQuery(
        true, &GoogleContactTool::contactsFetchFinished, &GoogleContactTool::contactsFetchFailed);
    ticket->setProperty(kUISelector, selector);
}

void GoogleContactTool::fetchAllContactsWithUIRefresh(bool refresh)
{
    const GDataServiceTicketPtr ticket = sendContactQuery(
        true, &GoogleContactTool::contactsFetchFinished, &GoogleContactTool::contactsFetchFailed);
    ticket->setProperty(kDoRefresh, refresh);
}

void GoogleContactTool::refetchAllGroups(const QString &postSelector)
{
    tlog::value(kClass, QStringLiteral("refetchAllGroups:"), kPostSelector,
                tlog::orNull(postSelector));
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(googletexts::refreshingGroups);
    const GDataServiceTicketPtr ticket = sendGroupQuery(&GoogleContactTool::groupsRefetchFinished,
                                                        &GoogleContactTool::groupsRefetchFailed);
    if (!postSelector.isNull())
        ticket->setProperty(kPostSelector, postSelector);
}

void GoogleContactTool::refetchGroupsAndContacts()
{
    refetchAllGroups(QStringLiteral(""));
}

void GoogleContactTool::refetchAllContacts(const QString &postSelector)
{
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(googletexts::refreshingContacts);
    const GDataServiceTicketPtr ticket =
        sendContactQuery(false, &GoogleContactTool::contactsRefetchFinished,
                         &GoogleContactTool::contactsRefetchFailed);
    if (!postSelector.isNull())
        ticket->setProperty(kPostSelector, postSelector);
}

GDataEntryPtr GoogleContactTool::fetchContactByID(const QString &identifier)
{
    m_singleFetchContact.reset();
    armSingleFetchTreadInterval(kSingleFetchSeconds);
    const GDataServiceTicketPtr ticket = contactService()->fetchAuthenticatedEntryWithURL(
        QUrl(identifier), GDataEntryBase::Kind::Contact, this,
        [this](const GDataServiceTicketPtr &answered, const GDataEntryPtr &entry) {
            // The answer of a fetch that was given up must not become the contact of a later one.
            if (answered != m_singleFetchTicket)
                return;
            m_singleFetchContact = entry;
            m_singleFetchWait.clear();
            tlog::value(kClass, QStringLiteral("singleContactFetchTicket:finishedWithEntry:"),
                        QStringLiteral("entry"), entry ? entry->description() : tlog::orNull({}));
        },
        [this](const GDataServiceTicketPtr &answered, const GDataError &error) {
            if (answered != m_singleFetchTicket)
                return;
            m_singleFetchWait.clear();
            if (m_uiDelegate)
                m_uiDelegate->cleanupGUIforProcess(googletexts::singleContactFetch, QString(),
                                                   error);
        });
    m_singleFetchTicket = ticket;
    if (!singleFetchTread()) {
        ticket->cancelTicket();
        if (m_uiDelegate)
            m_uiDelegate->cleanupGUIforProcess(googletexts::singleContactFetch, QString(),
                                               GDataError{kGDataErrorTimedOut,
                                                          QLatin1String(kGDataErrorDomainNetwork),
                                                          m_singleFetchWait.description(),
                                                          {}});
    }
    return m_singleFetchContact;
}

void GoogleContactTool::setGroupFeed(const GDataFeedPtr &feed)
{
    if (m_groupFetchError) {
        setStatusFlag(googlekeys::waitingOnGoogle, false);
        if (m_groupFetchError->code == kAuthenticationRefused)
            showAuthenticationAlert();
        else
            showErrorSheet(*m_groupFetchError);
        return;
    }
    if (!feed)
        return;
    setStatusFlag(googlekeys::googleConnectionFailure, false);
    setStatusFlag(googlekeys::googleAuthenticationFailure, false);
    m_groupFeed = feed;
    setGroupArray(typedEntries<GDataEntryContactGroup>(feed));
}

void GoogleContactTool::setContactFeed(const GDataFeedPtr &feed)
{
    if (feed) {
        m_contactFeed = feed;
        setContactArray(typedEntries<GDataEntryContact>(feed));
        if (m_uiDelegate) {
            m_uiDelegate->setStatusMessage(googletexts::listening);
            m_uiDelegate->setLastAction(googletexts::loggedIntoGoogle);
        }
        setStatusFlag(googlekeys::isLoggedIn, true);
    } else {
        // The last good contacts stay: an empty list would read as "every contact was deleted"
        // to whoever compares links with it. They are marked as not complete instead.
        m_contactFeed.reset();
        m_lists.setContactListComplete(false);
        setStatusFlag(googlekeys::waitingOnGoogle, false);
        setStatusFlag(googlekeys::isLoggedIn, false);
    }
    if (!m_uiDelegate || !m_uiDelegate->showsContactBrowserRows()) {
        // Without a window that shows them (none at all, as while a download runs headless) the
        // rows would only hold memory; rows of the entries before the fetch would show what the
        // account no longer holds.
        m_lists.setBrowserRows({}, {});
        m_browserRowsDeferred = true;
    } else {
        buildContactBrowserRows();
    }
    if (m_uiDelegate)
        m_uiDelegate->setContactArray(m_lists.browserRows());
    m_lists.setGAllIDs();
}

void GoogleContactTool::buildContactBrowserRows()
{
    m_browserRowsDeferred = false;
    BrowserRowsProgress unseen;
    BrowserRowsProgress &progress = m_uiDelegate ? *m_uiDelegate : unseen;
    const std::vector<GDataEntryContactPtr> &contacts = m_lists.contacts();
    browserlist::setContactBrowserArray(m_lists, QList(contacts.begin(), contacts.end()), progress);
}

void GoogleContactTool::setUIDelegate(GoogleContactToolUIDelegate *delegate)
{
    m_uiDelegate = delegate;
    if (m_browserRowsDeferred && m_uiDelegate && m_uiDelegate->showsContactBrowserRows()) {
        buildContactBrowserRows();
        m_uiDelegate->setContactArray(m_lists.browserRows());
    }
}

void GoogleContactTool::setGroupArray(std::vector<GDataEntryContactGroupPtr> groups)
{
    m_lists.setGroups(std::move(groups));
    m_lists.setGroupListComplete(true);
    tlog::write(googletexts::groupsReturned.arg(m_lists.groupCount()));
    if (m_uiDelegate) {
        m_uiDelegate->setGroupArray(m_lists.groups());
        m_uiDelegate->determineGoogleGroupCounts();
    }
}

void GoogleContactTool::setContactArray(std::vector<GDataEntryContactPtr> contacts)
{
    m_lists.setContacts(std::move(contacts));
    m_lists.setContactListComplete(true);
    tlog::write(googletexts::contactsReturned.arg(m_lists.contactCount()));
    if (m_uiDelegate)
        m_uiDelegate->refreshView();
}

void GoogleContactTool::groupsFetchFinished(const GDataServiceTicketPtr &ticket,
                                            const GDataFeedPtr &feed)
{
    m_groupFetchError.reset();
    setGroupFeed(feed);
    if (ticket->propertyAs<bool>(kDoContacts)) {
        if (ticket->property(kDoRefresh).has_value())
            fetchAllContactsWithUIRefresh(ticket->propertyAs<bool>(kDoRefresh));
        else if (ticket->property(kUISelector).has_value())
            fetchAllContactsWithUISelector(selectorOf(ticket, kUISelector));
        return;
    }
    if (ticket->property(kUISelector).has_value())
        performUISelector(selectorOf(ticket, kUISelector));
    else
        refreshFirstView();
}

void GoogleContactTool::contactsFetchFinished(const GDataServiceTicketPtr &ticket,
                                              const GDataFeedPtr &feed)
{
    m_contactFetchError.reset();
    setContactFeed(feed);
    if (UserDefaults::standard().boolForKey(googlekeys::startMode)) {
        openFirstWindow();
        setStatusFlag(googlekeys::startMode, false);
    }
    if (ticket->propertyAs<bool>(kDoRefresh)) {
        if (m_uiDelegate)
            m_uiDelegate->refreshView();
        if (m_mocDelegate)
            m_mocDelegate->loadPending();
        if (m_dataDelegate)
            m_dataDelegate->loadPending();
    }
    if (ticket->property(kUISelector).has_value())
        performUISelector(selectorOf(ticket, kUISelector));
}

void GoogleContactTool::groupsRefetchFinished(const GDataServiceTicketPtr &ticket,
                                              const GDataFeedPtr &feed)
{
    tlog::trace(kClass, QStringLiteral("groupsRefetchTicket:finishedWithFeed:"));
    m_groupFetchError.reset();
    setGroupFeed(feed);
    if (m_dataDelegate)
        m_dataDelegate->refreshGroupData();
    m_refreshWait.clear();
    dispatchPostSelector(selectorOf(ticket, kPostSelector));
}

void GoogleContactTool::contactsRefetchFinished(const GDataServiceTicketPtr &ticket,
                                                const GDataFeedPtr &feed)
{
    tlog::trace(kClass, QStringLiteral("contactsRefetchTicket:finishedWithFeed:"));
    m_contactFeedWait.clear();
    m_contactFetchError.reset();
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(googletexts::processingResponses);
    setStatusFlag(googlekeys::googleConnectionFailure, false);
    setStatusFlag(googlekeys::googleAuthenticationFailure, false);

    // An empty step is no step: the refetch then ends as a plain one, so the views are refreshed
    // and the windows polling for its end see it.
    const QString postSelector = selectorOf(ticket, kPostSelector);
    if (!postSelector.isEmpty()) {
        if (!feed)
            return;
        // The chained step runs on the new list before any view is refreshed.
        m_contactFeed = feed;
        m_lists.setContacts(typedEntries<GDataEntryContact>(feed));
        m_lists.setContactListComplete(true);
        dispatchPostSelector(postSelector);
        return;
    }
    setContactFeed(feed);
    m_refreshWait.clear();
    setStatusFlag(googlekeys::gmRefetchAllContactsComplete, true);
    if (m_dataDelegate)
        m_dataDelegate->refreshContactData();
    if (m_uiDelegate)
        m_uiDelegate->closeUserInfo();
}

void GoogleContactTool::groupsFetchFailed(const GDataServiceTicketPtr &, const GDataError &error)
{
    setGroupFetchError(error);
    setGroupFeed(nullptr);
    // Any other error has its sheet from storing the feed already.
    if (error.code == kAuthenticationRefused)
        showErrorSheet(error);
    logFetchError(QStringLiteral("groupsFetchTicket:failedWithError:"), error);
}

void GoogleContactTool::contactsFetchFailed(const GDataServiceTicketPtr &, const GDataError &error)
{
    setContactFetchError(error);
    setContactFeed(nullptr);
    logFetchError(QStringLiteral("contactsFetchTicket:failedWithError:"), error);
}

void GoogleContactTool::groupsRefetchFailed(const GDataServiceTicketPtr &ticket,
                                            const GDataError &error)
{
    setGroupFeed(nullptr);
    setGroupFetchError(error);
    m_refreshWait.clear();
    showErrorSheet(error);
    logFetchError(QStringLiteral("groupsRefetchTicket:failedWithError:"), error);
    endJobOfFailedRefetch(ticket);
}

void GoogleContactTool::contactsRefetchFailed(const GDataServiceTicketPtr &ticket,
                                              const GDataError &error)
{
    logFetchError(QStringLiteral("contactsRefetchTicket:failedWithError:"), error);
    setContactFeed(nullptr);
    setContactFetchError(error);
    setStatusFlag(googlekeys::gmRefetchAllContactsComplete, true);
    m_contactFeedWait.clear();
    // The answer is in, if a failing one: whoever waits for the refetch need not wait longer.
    m_refreshWait.clear();
    endJobOfFailedRefetch(ticket);
}

void GoogleContactTool::endJobOfFailedRefetch(const GDataServiceTicketPtr &ticket)
{
    // The step chained on the refetch would work on lists that are gone, so it is not taken; the
    // job still ends: its progress closes and the window listens for changes again.
    if (selectorOf(ticket, kPostSelector).isEmpty())
        return;
    if (m_uiDelegate)
        m_uiDelegate->closeUserInfo();
    if (m_dataDelegate)
        m_dataDelegate->listenForNotifications();
}

void GoogleContactTool::setGroupFetchError(const std::optional<GDataError> &error)
{
    m_groupFetchError = error;
    if (!error)
        return;
    // The groups of the last good fetch stay, marked as not complete.
    m_lists.setGroupListComplete(false);
    const QString op = QStringLiteral("setGroupFetchError:");
    switch (error->code) {
    case kAuthenticationRefused:
        if (m_uiDelegate)
            m_uiDelegate->setStatusMessage(googletexts::authenticationFailureStatus);
        setStatusFlag(googlekeys::googleAuthenticationFailure, true);
        m_vormelKCI.reset();
        m_user.clear();
        break;
    case kGDataErrorNotConnected:
        if (m_uiDelegate)
            m_uiDelegate->setStatusMessage(googletexts::noInternetStatus);
        setStatusFlag(googlekeys::googleConnectionFailure, true);
        break;
    default:
        tlog::value(kClass, op, QStringLiteral("error"), error->description);
        tlog::value(kClass, op, QStringLiteral("[error code]"), error->code);
        tlog::value(kClass, op, QStringLiteral("[error userInfo]"),
                    tlog::describe(error->userInfo));
        if (m_uiDelegate)
            m_uiDelegate->setStatusMessage(error->description);
        break;
    }
}

void GoogleContactTool::setContactFetchError(const std::optional<GDataError> &error)
{
    m_contactFetchError = error;
    if (!error)
        return;
    showErrorSheet(*error);
    tlog::value(kClass, QStringLiteral("setContactFetchError:"),
                QStringLiteral("[mContactFetchError description]"), error->description);
}

void GoogleContactTool::openFirstWindow()
{
    if (!m_uiDelegate)
        return;
    if (m_lists.contactCount() > 2 && AddressBookTool::personCount() > 2) {
        m_uiDelegate->openBrowserView(this);
        m_uiDelegate->setGroupArray(m_lists.groups());
    } else {
        m_uiDelegate->openDataMover(this);
    }
}

void GoogleContactTool::performUISelector(const QString &selector)
{
    SelectorTarget *const chain[] = {m_uiDelegate, m_dataDelegate, m_mocDelegate};
    for (SelectorTarget *target : chain) {
        if (target && target->performSelector(selector))
            return;
    }
}

void GoogleContactTool::refreshFirstView()
{
    if (m_uiDelegate)
        m_uiDelegate->refreshView();
    else if (m_dataDelegate && m_dataDelegate->offersRefreshView())
        m_dataDelegate->refreshView();
    else if (m_mocDelegate && m_mocDelegate->offersRefreshView())
        m_mocDelegate->refreshView();
}

void GoogleContactTool::showErrorSheet(const GDataError &error)
{
    Prompter::current().beginSheet(
        Prompt{googletexts::errorSheet, error.description, {googletexts::okButton}},
        QApplication::activeWindow(), [](int) {});
}

void GoogleContactTool::showAuthenticationAlert()
{
    const int answer =
        Prompter::current().runModal(Prompt{googletexts::authenticationAlert,
                                            googletexts::authenticationAlertText,
                                            {googletexts::submitButton, googletexts::quitButton}});
    if (answer != kAlertFirstButtonReturn) {
        termination::terminateApplication();
        return;
    }
    if (m_uiDelegate)
        m_uiDelegate->openLoginPanel(this);
}

void GoogleContactTool::logFetchError(const QString &op, const GDataError &error)
{
    tlog::value(kClass, op, QStringLiteral("[error description]"), error.description);
}
