// The starters of the "Simple" and "Advanced" batches and the steps that follow a batch: the
// queued contacts after their groups, then their photos, then the window's clean-up.
#include "addressbook/fields/personimages.h"
#include "addressbook/google/linkproperties.h"
#include "foundation/log.h"
#include "google/batch/batchfailuretexts.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooldatadelegate.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <algorithm>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
// The photo upload of the queued contacts, performed by whoever offers it.
const QString kPictureStep = QStringLiteral("batchSimpleABContactPictures");

} // namespace

void GoogleContactTool::registerBatchSteps()
{
    registerSelector(QStringLiteral("doContactsElseSmart"), [this] { doContactsElseSmart(); });
    registerSelector(QStringLiteral("doPicturesElseSmart"), [this] { doPicturesElseSmart(); });
    registerSelector(QStringLiteral("doSmartElseSaveAB"), [this] { doSmartElseSaveAB(); });
    registerSelector(QStringLiteral("doSaveAB"), [this] { doSaveAB(); });
}

void GoogleContactTool::batchSimpleABContactActions(const BatchActionQueue &actions)
{
    // A contact send of its own follows no group batch: no refusal of an earlier one concerns it.
    forgetRefusedGroups();
    sendContactQueue(actions, tickettypes::simple);
}

void GoogleContactTool::batchAdvancedABContactActions(const BatchActionQueue &actions)
{
    forgetRefusedGroups();
    sendContactQueue(actions, tickettypes::advanced);
}

void GoogleContactTool::sendContactQueue(const BatchActionQueue &actions, const QString &ticketType)
{
    UserDefaults::standard().setBool(false, ticketType == tickettypes::simple
                                                ? batchkeys::gmSimpleABContactActionsComplete
                                                : batchkeys::gmAdvancedABContactActionsComplete);
    processContactBatchArray(actions, ticketType);
}

void GoogleContactTool::forgetRefusedGroups()
{
    m_refusedGroupIDs.clear();
    m_groupRefusals.clear();
}

BatchActionQueue GoogleContactTool::contactQueueOutsideRefusedGroups()
{
    BatchActionQueue queue =
        m_dataDelegate ? m_dataDelegate->batchActionContactArray() : BatchActionQueue();
    if (m_refusedGroupIDs.isEmpty())
        return queue;
    const auto inRefusedGroup = [this](const BatchAction &action) {
        const PersonPtr person = std::dynamic_pointer_cast<Person>(action.abObj);
        if (!person)
            return false;
        for (const GroupPtr &group : person->parentGroups()) {
            if (m_refusedGroupIDs.contains(group->uniqueId())) {
                tlog::labelled(kClass, QStringLiteral("batchActionContactArray"),
                               QStringLiteral("member of a refused group, not sent"),
                               person->uniqueId());
                return true;
            }
        }
        return false;
    };
    queue.erase(std::remove_if(queue.begin(), queue.end(), inRefusedGroup), queue.end());
    return queue;
}

void GoogleContactTool::batchSimpleABGroupActions(const BatchActionQueue &actions)
{
    UserDefaults::standard().setBool(false, batchkeys::gmSimpleABGroupActionsComplete);
    processGroupBatchArray(actions, tickettypes::simple);
}

void GoogleContactTool::batchAdvancedABGroupActions(const BatchActionQueue &actions)
{
    processGroupBatchArray(actions, tickettypes::advanced, QLatin1String(""));
}

void GoogleContactTool::doContactsElseSmart()
{
    if (tlog::tracing())
        tlog::trace(kClass, QStringLiteral("doContactsElseSmart"));
    const BatchActionQueue queue = contactQueueOutsideRefusedGroups();
    if (!queue.empty())
        sendContactQueue(queue, m_useAdvanced ? tickettypes::advanced : tickettypes::simple);
    else if (!m_photosAfterSignIn.empty())
        doPicturesElseSmart();
    else
        doSmartElseSaveAB();
}

void GoogleContactTool::doPicturesElseSmart()
{
    const QString op = QStringLiteral("doPicturesElseSmart");
    if (tlog::tracing())
        tlog::trace(kClass, op);
    const BatchActionQueue queue = contactQueueOutsideRefusedGroups();
    if (!UserDefaults::standard().boolForKey(googlekeys::gmUpdatePicture) ||
        (queue.empty() && m_photosAfterSignIn.empty())) {
        doSmartElseSaveAB();
        return;
    }
    m_contactResultsArray.clear();
    const QString idProperty = AddressBookTool::contactIDPropertyName();
    for (const BatchAction &action : queue) {
        const PersonPtr person = std::dynamic_pointer_cast<Person>(action.abObj);
        if (!person)
            continue;
        const QByteArray image = AddressBookTool::imageDataABForPerson(person);
        if (image.isEmpty())
            continue;
        GDataEntryContactPtr contact;
        if (action.action == batchactions::add) {
            const QString googleID = person->valueForProperty(idProperty).toString();
            if (googleID.isEmpty()) {
                contact = contactlookups::contactForABID(m_lists, person->uniqueId());
            } else {
                contact = contactlookups::contactForID(m_lists, googleID);
                if (!contact)
                    tlog::labelled(kClass, op,
                                   QStringLiteral("No Google Contact w/ this identifier"),
                                   person->uniqueId());
            }
        } else if (action.action == batchactions::update) {
            contact = std::dynamic_pointer_cast<GDataEntryContact>(action.googleObj);
        }
        const std::optional<GDataLink> link = contact ? contact->photoLink() : std::nullopt;
        if (!link) {
            tlog::value(kClass, op, QStringLiteral("googleContact"),
                        contact ? contact->identifier() : QString());
            tlog::value(kClass, op, QStringLiteral("photoLink"), QString());
            continue;
        }
        m_contactResultsArray.push_back(
            PhotoJob{tolvane::tolvaneTitle(*contact), *link, image, {}});
    }
    takePhotosAfterSignIn();
    if (m_contactResultsArray.empty())
        doSmartElseSaveAB();
    else
        dispatchPostSelector(kPictureStep);
}

void GoogleContactTool::doSmartElseSaveAB()
{
    if (tlog::tracing())
        tlog::trace(kClass, QStringLiteral("doSmartElseSaveAB"));
    doSaveAB();
    if (m_dataDelegate)
        m_dataDelegate->listenForNotifications();
}

void GoogleContactTool::doSaveAB()
{
    if (tlog::tracing())
        tlog::trace(kClass, QStringLiteral("doSaveAB"));
    if (m_uiDelegate)
        m_uiDelegate->determineGoogleGroupCounts();
    if (!m_groupRefusals.isEmpty()) {
        // Whatever the reports show, an upload that left people behind is no success.
        const GDataError error{kGDataErrorOther,
                               QLatin1String(kGDataErrorDomainHTTP),
                               batchfailuretexts::groupsRefusedText.arg(m_groupRefusals.trimmed()),
                               {}};
        forgetRefusedGroups();
        if (m_uiDelegate)
            m_uiDelegate->cleanupGUIforProcess(QStringLiteral("Simple Google Update"), QString(),
                                               error);
        return;
    }
    if (m_uiDelegate) {
        if (!UserDefaults::standard().boolForKey(batchkeys::showGoogleProcessReports))
            m_uiDelegate->cleanupGUIforProcess(QStringLiteral("Simple Google Update"), QString(),
                                               std::nullopt);
    }
}
