#include "app/delegate/appdelegate.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/browserperson.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "app/apptexts.h"
#include "app/sheets/contactsheet.h"
#include "app/sheets/groupsheet.h"
#include "app/sheets/sheetkeys.h"
#include "app/sheets/sheettexts.h"
#include "foundation/log.h"
#include "foundation/text/textdate.h"
#include "foundation/views/imagetext.h"
#include "foundation/vozuveva/vozuvevaalerts.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/entries/entryedits.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "google/push/pushkeys.h"
#include "google/push/singleentryedits.h"
#include "google/upload/googleelementkeys.h"
#include "model/refdata/country.h"
#include "model/refdata/region.h"
#include "model/tolvaneowner.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/keypath.h"

#include <QDateTime>
#include <QLineEdit>
#include <utility>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

QVariantMap emptyAddress(const QString &country)
{
    const QString empty(QLatin1String(""));
    return {{QStringLiteral("street1"), empty}, {QStringLiteral("street2"), empty},
            {QStringLiteral("city"), empty},    {QStringLiteral("state"), empty},
            {QStringLiteral("postal"), empty},  {QStringLiteral("country"), country}};
}

// The dictionary a new contact starts as.
QVariantMap newContactDictionary(int imProtocol, const QString &country)
{
    const QString empty(QLatin1String(""));
    QVariantMap contact;
    for (const char *key : {"gID", "abid", "photoLink", "newImage", "name", "org", "job",
                            "mobilePhone", "homePhone", "workPhone", "workEmail", "homeEmail",
                            "workIM", "homeIM", "homeLocation", "workLocation", "notes"})
        contact.insert(QString::fromLatin1(key), empty);
    for (const char *key : {"hasImage", "gHasExP", "imageLoaded", "isCo", "delta"})
        contact.insert(QString::fromLatin1(key), false);
    contact.insert(QStringLiteral("image"), imagetext::imageNamed(sheettexts::accountImage));
    contact.insert(QStringLiteral("gender"), -1);
    contact.insert(sheetkeys::nameDict,
                   QVariantMap{{QStringLiteral("first"), sheettexts::newContactFirst},
                               {QStringLiteral("last"), sheettexts::newContactLast},
                               {QStringLiteral("isCo"), false},
                               {QStringLiteral("nick"), empty},
                               {QStringLiteral("middle"), empty},
                               {QStringLiteral("coName"), empty}});
    contact.insert(QStringLiteral("workIMType"), imProtocol);
    contact.insert(QStringLiteral("homeIMType"), imProtocol);
    contact.insert(sheetkeys::homeAddrDict, emptyAddress(country));
    contact.insert(sheetkeys::workAddrDict, emptyAddress(country));
    for (const QString &key : {sheetkeys::family, sheetkeys::friends, sheetkeys::coworkers})
        contact.insert(key, 0);
    for (const QString &key :
         {sheetkeys::googleGroup, sheetkeys::abGroup1, sheetkeys::abGroup2, sheetkeys::abGroup3})
        contact.insert(key, sheetkeys::noGroup);
    return contact;
}

// The countries of the owner's preferred regions. The sheets keep a list of their own: the
// preferences' country list and its selection are not theirs to change.
QStringList countryNamesOfPreferredRegions(ManagedObjectContext *context, TolvaneOwner *owner)
{
    QStringList names;
    if (!context || !owner)
        return names;
    for (ManagedObject *object : owner->menuPrefs()) {
        Region *const region = Region::lookup(static_cast<Region *>(object)->name(), *context);
        if (!region)
            continue;
        for (ManagedObject *country : region->allCountries().value_or(QList<ManagedObject *>()))
            names << static_cast<Country *>(country)->name();
    }
    names.removeDuplicates();
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString appended(const QString &notes, const QString &separator, const QString &addition)
{
    return notes.isEmpty() ? addition : notes + separator + addition;
}

} // namespace

WindowController *AppDelegate::askingWindow(QObject *sender) const
{
    if (auto *const window = qobject_cast<WindowController *>(sender))
        return window;
    return keyWindowController();
}

WindowController *AppDelegate::browserForSheet(QObject *sender)
{
    WindowController *const key = askingWindow(sender);
    if (key && key->kind() == WindowController::Kind::Browser)
        return key;
    openBrowserView();
    // A window just shown becomes key only later, on the event loop: the sheet goes on the
    // browser that was opened.
    return m_googleBrowserWindowController;
}

GoogleContactTool *AppDelegate::sheetEngine() const
{
    if (m_sheetWindow && m_sheetWindow->googleTool())
        return m_sheetWindow->googleTool();
    return m_appGoogleContactTool.get();
}

// Group sheet.

void AppDelegate::showGroupSheet()
{
    if (!m_newGroupPanel) {
        m_newGroupPanel = new GroupSheet;
        connect(m_newGroupPanel, &GroupSheet::saveRequested, this,
                &AppDelegate::saveNewGoogleGroup);
        connect(m_newGroupPanel, &GroupSheet::cancelRequested, this,
                &AppDelegate::cancelNewGoogleGroup);
    }
    QWidget *const host = m_sheetWindow ? m_sheetWindow->window() : nullptr;
    if (m_newGroupPanel->parentWidget() != host)
        m_newGroupPanel->setParent(host, m_newGroupPanel->windowFlags());
    m_newGroupPanel->groupName()->setText(m_newGroupName);
    m_newGroupPanel->open();
}

void AppDelegate::newGoogleGroup(QObject *sender)
{
    m_sheetWindow = browserForSheet(sender);
    m_sheetGroupID.clear();
    m_newGroupName = sheettexts::newGroupName;
    m_newGroupFlag = true;
    showGroupSheet();
}

void AppDelegate::editGoogleGroup(QObject *sender)
{
    WindowController *const key = askingWindow(sender);
    if (!key)
        return;
    const QVariantMap group = key->firstSelectedGroup();
    if (group.isEmpty())
        return;
    m_sheetWindow = key;
    // The rename is for this group, whatever the list shows when Save is pressed.
    m_sheetGroupID = group.value(sheetkeys::identifier).toString();
    m_newGroupName = group.value(sheetkeys::groupName).toString();
    m_newGroupFlag = false;
    showGroupSheet();
}

void AppDelegate::cancelNewGoogleGroup()
{
    if (m_newGroupPanel)
        m_newGroupPanel->hide();
}

void AppDelegate::saveNewGoogleGroup()
{
    if (!m_newGroupPanel)
        return;
    m_newGroupName = m_newGroupPanel->groupName()->text();
    m_newGroupPanel->hide();
    GoogleContactTool *const tool = sheetEngine();
    if (!tool)
        return;
    if (m_newGroupFlag)
        singleentryedits::newGroupWithName(*tool, m_newGroupName);
    else
        tool->updateGroupIDWithName(m_sheetGroupID, m_newGroupName);
    // Both wait until Google has answered, so the refetch sees the change.
    refreshGoogleState(m_sheetWindow);
}

// New-contact sheet.

void AppDelegate::updateContactCountry()
{
    m_newGoogleContact.insert(QStringLiteral("t"), m_newContactCountry);
    if (m_newContactPanel)
        m_newContactPanel->refresh(m_linkifiedNotes, m_addToAddressBook, m_addToGoogleContacts);
}

void AppDelegate::updateContactImProtocol()
{
    m_newGoogleContact.insert(QStringLiteral("imType"), m_imProtocol);
    if (m_newContactPanel)
        m_newContactPanel->refresh(m_linkifiedNotes, m_addToAddressBook, m_addToGoogleContacts);
}

ContactSheet *AppDelegate::contactSheet(bool forNewContact)
{
    QPointer<ContactSheet> &sheet = forNewContact ? m_newContactPanel : m_editContactPanel;
    if (sheet)
        return sheet;
    sheet = new ContactSheet(forNewContact ? ContactSheet::Mode::NewContact
                                           : ContactSheet::Mode::EditContact);
    sheet->setContact(forNewContact ? &m_newGoogleContact : &m_currentContact);
    ContactSheet *const made = sheet;
    connect(made, &ContactSheet::controlTextChanged, this, &AppDelegate::controlTextDidChange);
    connect(made, &ContactSheet::controlTextShouldEndEditing, this,
            &AppDelegate::controlTextShouldEndEditing);
    connect(made, &ContactSheet::notesEdited, this,
            [this](const QString &notes) { m_linkifiedNotes = notes; });
    if (forNewContact) {
        connect(made, &ContactSheet::addToAddressBookToggled, this,
                [this](bool on) { m_addToAddressBook = on; });
        connect(made, &ContactSheet::addToGoogleContactsToggled, this,
                [this](bool on) { m_addToGoogleContacts = on; });
        connect(made, &ContactSheet::saveRequested, this, &AppDelegate::saveNewGoogleContact);
        connect(made, &ContactSheet::cancelRequested, this, &AppDelegate::cancelNewGoogleContact);
    } else {
        connect(made, &ContactSheet::saveRequested, this, &AppDelegate::saveEditGoogleContact);
        connect(made, &ContactSheet::cancelRequested, this, &AppDelegate::cancelEditGoogleContact);
    }
    return made;
}

void AppDelegate::showContactSheet(ContactSheet *sheet)
{
    // A paste in an earlier sheet says nothing about this one: its first paste is analysed
    // whatever its length.
    m_expressPastedString.clear();
    sheet->clearPasteField();
    QWidget *const host = m_sheetWindow ? m_sheetWindow->window() : nullptr;
    if (sheet->parentWidget() != host)
        sheet->setParent(host, sheet->windowFlags());
    m_sheetCountryNames = countryNamesOfPreferredRegions(m_context.get(), m_owner);
    sheet->setChoices(m_abGroupNamesArray, m_googleGroupNamesArray, m_sheetCountryNames);
    sheet->refresh(m_linkifiedNotes, m_addToAddressBook, m_addToGoogleContacts);
    sheet->tabs()->setCurrentIndex(0);
    sheet->open();
}

void AppDelegate::endContactSheet(ContactSheet *sheet)
{
    if (sheet)
        sheet->hide();
}

void AppDelegate::startNewContact()
{
    UserDefaults &defaults = UserDefaults::standard();
    m_newRecordMode = true;
    m_abGroupNamesArray = QStringList{sheetkeys::noGroup};
    for (const GroupPtr &group : AddressBookTool::nonSmartABGroups())
        m_abGroupNamesArray << group->valueForProperty(kABGroupNameProperty).toString();
    m_googleGroupNamesArray = QStringList{sheetkeys::noGroup};
    GoogleContactTool *const appTool = m_appGoogleContactTool.get();
    if (appTool) {
        for (const GDataEntryContactGroupPtr &group : appTool->groupArray()) {
            const QString title = group->title().value_or(QString());
            if (!title.contains(sheettexts::systemGroupPrefix))
                m_googleGroupNamesArray << title;
        }
    }
    m_addToGoogleContacts = appTool && appTool->isLoggedIn();
    m_addToAddressBook = defaults.boolForKey(sheetkeys::newContactAddToAddressBook);
    m_imProtocol = int(defaults.integerForKey(sheetkeys::imProtocol));
    m_newContactCountry = defaultCountry();
}

void AppDelegate::openNewGoogleContact(QObject *sender)
{
    m_sheetWindow = browserForSheet(sender);
    startNewContact();
    m_newGoogleContact = newContactDictionary(m_imProtocol, m_newContactCountry);
    m_linkifiedNotes = QString(QLatin1String(""));
    showContactSheet(contactSheet(true));
}

void AppDelegate::cloneGoogleContact(QObject *sender)
{
    WindowController *const key = askingWindow(sender);
    if (!key)
        return;
    m_sheetWindow = key;
    // A clone is a new contact: its targets and lists are set as for any new contact, and it
    // carries nothing by which it could be taken for the original.
    startNewContact();
    m_addToAddressBook = false;
    m_newGoogleContact = key->currentContact();
    for (const QString &key : {sheetkeys::gID, sheetkeys::abid, sheetkeys::photoLink})
        m_newGoogleContact.insert(key, QString(QLatin1String("")));
    m_linkifiedNotes = m_newGoogleContact.value(sheetkeys::notes).toString();
    showContactSheet(contactSheet(true));
}

void AppDelegate::cancelNewGoogleContact()
{
    endContactSheet(m_newContactPanel);
}

QString AppDelegate::notesWithCreationLines(QString notes) const
{
    UserDefaults &defaults = UserDefaults::standard();
    const bool toAddressBook = m_addToAddressBook;
    QString tag = defaults.stringForKey(toAddressBook ? googlekeys::abTagForCreatedRecords
                                                      : googlekeys::gmTagForCreatedRecords);
    if (tag.contains(sheettexts::manualEntryMarker))
        tag = toAddressBook ? sheettexts::addressBookManualEntry : sheettexts::googleManualEntry;
    const bool tagOn = toAddressBook || defaults.boolForKey(googlekeys::gmDoTagCreatedRecords);
    if (tagOn && !tag.isEmpty())
        notes = appended(notes, QStringLiteral("\r\r"), tag);
    const bool dateOn = defaults.boolForKey(toAddressBook ? abkeys::abUpdateIncludeCreateDate
                                                          : googlekeys::gmUpdateIncludeCreateDate);
    if (dateOn)
        notes += sheettexts::recordCreated.arg(notes.isEmpty() ? QString() : QStringLiteral("\r"),
                                               textdate::format(QDateTime::currentDateTime()));
    return notes;
}

void AppDelegate::saveNewContactToAddressBook()
{
    const PersonPtr person = AddressBookTool::personForBrowserDictionary(m_newGoogleContact);
    AddressBook::shared()->addRecord(person);
    for (const QString &key : {sheetkeys::abGroup1, sheetkeys::abGroup2, sheetkeys::abGroup3}) {
        const QString name = m_newGoogleContact.value(key).toString();
        if (name == sheetkeys::noGroup)
            continue;
        if (const GroupPtr group = AddressBookTool::groupByName(name))
            group->addMember(person);
    }
    AddressBookTool::abSave();
}

void AppDelegate::saveNewContactToGoogle(GoogleContactTool &tool)
{
    UserDefaults &defaults = UserDefaults::standard();
    const GoogleContactLists &lists = tool.lists();
    QStringList groups;
    if (defaults.boolForKey(sheetkeys::family))
        groups << grouplookups::familySysGroupID(lists);
    if (defaults.boolForKey(sheetkeys::friends))
        groups << grouplookups::friendsSysGroupID(lists);
    if (defaults.boolForKey(sheetkeys::coworkers))
        groups << grouplookups::coworkersSysGroupID(lists);
    const QString googleGroup = m_newGoogleContact.value(sheetkeys::googleGroup).toString();
    if (googleGroup != sheetkeys::noGroup)
        groups << grouplookups::idOfGroupWithName(lists, googleGroup);
    groups.removeAll(QString());
    singleentryedits::newContactFromBrowserPanel(tool, m_newGoogleContact, groups);
}

void AppDelegate::saveNewGoogleContact()
{
    if (!m_newContactPanel)
        return;
    m_newContactPanel->commitEditing();
    endContactSheet(m_newContactPanel);
    m_newGoogleContact.insert(sheetkeys::notes, notesWithCreationLines(m_linkifiedNotes));
    if (m_addToAddressBook)
        saveNewContactToAddressBook();
    if (!m_addToGoogleContacts)
        return;
    // The agent's push sends a new record of the address book to Google itself.
    if (m_addToAddressBook &&
        UserDefaults::standard().integerForKey(pushkeys::autoPushABChanges) == 1)
        return;
    if (GoogleContactTool *const tool = sheetEngine())
        saveNewContactToGoogle(*tool);
}

// Edit-contact sheet.

void AppDelegate::setCurrentContact(const QVariantMap &contact)
{
    m_handedContact = contact;
}

void AppDelegate::editGoogleContact(QObject *sender)
{
    WindowController *const key = askingWindow(sender);
    // A contact handed in is for this sheet only.
    const QVariantMap handed = std::exchange(m_handedContact, QVariantMap());
    if (!key)
        return;
    m_sheetWindow = key;
    m_newRecordMode = false;
    // The sheet edits a copy: what is not saved never reaches the window's contact.
    const QVariantMap shown = key->currentContact();
    m_currentContact = shown.isEmpty() ? handed : shown;
    tlog::value(kClass, QStringLiteral("setCurrentContact:"), QStringLiteral("currentContact"),
                m_currentContact.value(sheetkeys::gID).toString());
    m_linkifiedNotes = m_currentContact.value(sheetkeys::notes).toString();
    showContactSheet(contactSheet(false));
}

void AppDelegate::cancelEditGoogleContact()
{
    endContactSheet(m_editContactPanel);
}

void AppDelegate::saveEditGoogleContact()
{
    if (!m_editContactPanel)
        return;
    m_editContactPanel->commitEditing();
    endContactSheet(m_editContactPanel);
    m_currentContact.insert(sheetkeys::notes, m_linkifiedNotes);
    GoogleContactTool *const tool = sheetEngine();
    const QString identifier = m_currentContact.value(sheetkeys::gID).toString();
    const GDataEntryContactPtr found =
        tool ? contactlookups::contactForID(tool->lists(), identifier) : nullptr;
    if (!found) {
        // Deleted or fetched away while the sheet was open: nothing to apply the edit to.
        tlog::message(kClass, QStringLiteral("saveEditGoogleContact:"),
                      QStringLiteral("no contact %1").arg(identifier));
        const QString title = keypath::value(m_currentContact, QStringLiteral("name")).toString();
        VozuVeva::showAlertMsg(sheettexts::contactGone, sheettexts::contactGoneSmall.arg(title),
                               apptexts::okButton, QString(), QString(), false);
        return;
    }
    // The edit goes on a copy of the entry: until Google has taken it the lists keep what Google
    // holds.
    const auto edited = std::static_pointer_cast<GDataEntryContact>(found->copy());
    tolvane::assignValues(*edited, m_currentContact);
    // A refetch sent beside the update could come back with the contact as it was; it goes once
    // Google has answered.
    tool->updateGoogleContact(*edited, [this, window = QPointer<WindowController>(m_sheetWindow)] {
        refreshGoogleState(window);
    });
}

bool AppDelegate::controlTextShouldEndEditing(QLineEdit *control)
{
    const int tag = control->property("tag").toInt();
    if (tag >= ContactSheet::kMobilePhoneTag && tag <= ContactSheet::kHomePhoneTag)
        control->setText(formatAsPhoneNumber(control->text()));
    return true;
}
