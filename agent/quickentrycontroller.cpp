#include "agent/quickentrycontroller.h"

#include "addressbook/google/browserperson.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "agent/quickentrypanel.h"
#include "agent/configurationpanel.h"
#include "agent/statusappdelegate.h"
#include "app/cardzap/zeltorcardzap.h"
#include "foundation/log.h"
#include "foundation/parsers/emailparser.h"
#include "foundation/parsers/parserkeys.h"
#include "foundation/parsers/phoneparser.h"
#include "foundation/text/zeltormatching.h"
#include "google/engine/googlecontacttool.h"
#include "google/entries/groupaccessors.h"
#include "google/lookups/grouplookups.h"
#include "google/push/googleabautoupdate.h"
#include "google/push/singleentryedits.h"
#include "model/refdata/country.h"
#include "model/refdata/region.h"
#include "model/tolvaneowner.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/desktopentry.h"
#include "platform/ui/beep.h"
#include "platform/ui/keypath.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QLocale>
#include <QProcess>
#include <QUrl>

namespace {

const QString kClass = QStringLiteral("StatusAppDelegate");
const QString kDateCreated = QStringLiteral("date created: ");
const QString kNotes = QStringLiteral("notes");
const QString kManualEntry = QStringLiteral("(%GAcct)");

QString now(const QString &format)
{
    return QLocale::c().toString(QDateTime::currentDateTime(), format);
}

QString createdStamp()
{
    return kDateCreated + now(QStringLiteral("MMM d yyyy, hh:mm:ss AP"));
}

QVariantMap freshAddress(const QString &country)
{
    return {{QStringLiteral("street1"), QString()}, {QStringLiteral("street2"), QString()},
            {QStringLiteral("city"), QString()},    {QStringLiteral("state"), QString()},
            {QStringLiteral("postal"), QString()},  {QStringLiteral("country"), country}};
}

QString joined(const QString &first, const QString &second)
{
    return first.isEmpty() ? second : QStringLiteral("%1\r\r%2").arg(first, second);
}

int pushMode()
{
    return UserDefaults::standard().integerForKey(QStringLiteral("autoABPushMode"));
}

} // namespace

QuickEntryController::QuickEntryController(StatusAppDelegate *delegate, QObject *parent)
    : QObject(parent), m_delegate(delegate)
{
}

QuickEntryController::~QuickEntryController()
{
    delete m_panel;
}

QuickEntryPanel *QuickEntryController::panel()
{
    if (!m_panel)
        m_panel = new QuickEntryPanel(this);
    return m_panel;
}

QVariant QuickEntryController::value(const QString &path) const
{
    return keypath::value(m_contact, path);
}

void QuickEntryController::setValue(const QString &path, const QVariant &value)
{
    keypath::setValue(m_contact, path, value);
}

QString QuickEntryController::notes() const
{
    return m_contact.value(kNotes).toString();
}

void QuickEntryController::setNotes(const QString &notes)
{
    m_contact.insert(kNotes, notes);
}

QString QuickEntryController::defaultCountry() const
{
    const QVariant stored = UserDefaults::standard().objectForKey(zeltor::kDefaultCountryKey);
    if (stored.isValid())
        return stored.toString();
    ManagedObjectContext *context = m_delegate->managedObjectContext();
    if (!context)
        return QString();
    const Country *country =
        Country::lookupByISO(QLocale::territoryToCode(QLocale().territory()), *context);
    return country ? country->name() : QString();
}

void QuickEntryController::loadCountryNames()
{
    m_countryNamesArray.clear();
    ManagedObjectContext *context = m_delegate->managedObjectContext();
    TolvaneOwner *owner = m_delegate->owner();
    if (!context || !owner)
        return;
    for (ManagedObject *object : owner->menuPrefs()) {
        Region *region = Region::lookup(static_cast<Region *>(object)->name(), *context);
        if (!region)
            continue;
        for (ManagedObject *country : region->allCountries().value_or(QList<ManagedObject *>()))
            m_countryNamesArray << static_cast<Country *>(country)->name();
    }
    m_countryNamesArray.removeDuplicates();
    m_countryNamesArray.sort(Qt::CaseInsensitive);
}

void QuickEntryController::loadGroupNames()
{
    m_abGroupNamesArray = {kNoGroup};
    QStringList abNames;
    for (const GroupPtr &group : AddressBookTool::nonSmartABGroups())
        abNames << group->valueForProperty(kABGroupNameProperty).toString();
    m_abGroupNamesArray << abNames;
    QStringList monitoredNames;
    for (const AutoABGroup &row : m_delegate->autoABGroups())
        if (row.doSynch)
            monitoredNames << row.groupName;
    m_googleGroupNamesArray = {kNoGroup};
    GoogleContactTool *tool = m_delegate->appGoogleContactTool();
    if (!tool)
        return;
    QStringList allAB;
    for (const GroupPtr &group : AddressBook::shared()->groups())
        allAB << group->valueForProperty(kABGroupNameProperty).toString();
    const int mode = pushMode();
    for (const auto &group : tool->groupArray()) {
        const QString title = group->title().value_or(QString());
        if (title.contains(QStringLiteral("System Group: ")))
            continue;
        if ((mode == 1 && !allAB.contains(title)) || (mode == 2 && !monitoredNames.contains(title)))
            continue;
        m_googleGroupNamesArray << title;
    }
}

void QuickEntryController::setupNewGoogleContact()
{
    UserDefaults &defaults = UserDefaults::standard();
    m_notesIncludeCreateDate = defaults.boolForKey(QStringLiteral("gmUpdateIncludeCreateDate"));
    loadGroupNames();
    m_expressPastedString.clear();
    loadCountryNames();
    m_addToGoogleContacts = true;
    m_addToAddressBook = defaults.boolForKey(QStringLiteral("newContactAddToAddressBook"));
    m_newContactCountry = defaultCountry();
    // Another hand-over's document and program never reach this contact.
    m_sourceData.clear();
    m_sourceBID.clear();
    const QString empty;
    m_contact = {
        {QStringLiteral("nameDict"),
         QVariantMap{{QStringLiteral("first"), empty},
                     {QStringLiteral("last"), empty},
                     {QStringLiteral("nick"), empty},
                     {QStringLiteral("prefix"), empty},
                     {QStringLiteral("suffix"), empty},
                     {QStringLiteral("middle"), empty},
                     {QStringLiteral("coName"), empty},
                     {QStringLiteral("isCo"), false}}},
        {QStringLiteral("homeAddrDict"), freshAddress(m_newContactCountry)},
        {QStringLiteral("workAddrDict"), freshAddress(m_newContactCountry)},
        {QStringLiteral("homeIMType"), 1},
        {QStringLiteral("workIMType"), 1},
        {QStringLiteral("family"), 0},
        {QStringLiteral("friends"), 0},
        {QStringLiteral("coworkers"), 0},
        {QStringLiteral("googleGroup"), kNoGroup},
        {QStringLiteral("abGroup1"), kNoGroup},
        {QStringLiteral("abGroup2"), kNoGroup},
        {QStringLiteral("abGroup3"), kNoGroup},
        {kNotes, m_notesIncludeCreateDate ? createdStamp() : empty},
        {QStringLiteral("isMale"), 2},
    };
    for (const char *key : {"job", "mobilePhone", "faxPhone", "homePhone", "workPhone",
                            "homeEmail", "workEmail", "homeIM", "workIM"})
        m_contact.insert(QString::fromLatin1(key), empty);
    m_selectedTab = defaults.boolForKey(QStringLiteral("newContactUseHome")) ? QStringLiteral("home")
                                                                          : QStringLiteral("work");
}

void QuickEntryController::setSourceData(const QString &data)
{
    if (data == m_sourceData)
        return;
    m_sourceData = data;
    if (!data.isEmpty() && !notes().contains(data))
        setNotes(joined(notes(), data));
}

void QuickEntryController::openFromHandOver(const handoverfile::Fields &fields)
{
    setupNewGoogleContact();
    setSourceData(fields.documentData);
    // Only a program the desktop knows by a plain identifier is ever raised.
    if (!fields.sourceBID.isEmpty()) {
        if (handoverfile::isPlainIdentifier(fields.sourceBID) &&
            DesktopEntry::forBundleIdentifier(fields.sourceBID).isValid())
            m_sourceBID = fields.sourceBID;
        else
            tlog::write(QStringLiteral("[%1 %2] - the source program %3 is ignored")
                            .arg(kClass, QStringLiteral("cardzapFromFile:"), fields.sourceBID));
    }
    processExpressString(fields.text);
    panel()->showFilled();
}

void QuickEntryController::openWithString(const QString &text)
{
    setupNewGoogleContact();
    panel()->showFilled();
    if (!text.isEmpty())
        panel()->insertIntoPasteField(text);
}

void QuickEntryController::processExpressString(const QString &text)
{
    m_expressPastedString = text;
    const QString type = m_selectedTab == QStringLiteral("home") ? QStringLiteral("home")
                                                                 : QStringLiteral("work");
    const ZeltorCardzap::Fields fields = ZeltorCardzap::analyzeString(text, type);
    if (fields.isEmpty() && m_sourceData.isEmpty())
        return;
    applyAnalysis(fields, type);
    emit contactChanged();
}

void QuickEntryController::applyAnalysis(const QMap<QString, QString> &fields, const QString &type)
{
    const QString streetKey = QStringLiteral("%1AddrDict.street").arg(type);
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        const QString &key = it.key();
        if (key == streetKey) {
            const QString &street = it.value();
            QStringList lines = street.contains(u'\r')   ? street.split(u'\r')
                                : street.contains(u'\n') ? street.split(u'\n')
                                                         : QStringList{street, QString()};
            setValue(key + u'1', lines.value(0));
            setValue(key + u'2', lines.value(1));
        } else if (key == QStringLiteral("url")) {
            // The web address goes in front of the notes.
            setNotes(notes().isEmpty() ? it.value()
                                       : QStringLiteral("%1\r\r%2").arg(it.value(), notes()));
        } else if (key.contains(QStringLiteral("Phone"))) {
            setValue(key, m_delegate->formatAsPhoneNumber(it.value()));
        } else {
            setValue(key, it.value());
        }
    }
    if (!m_sourceData.isEmpty() && !notes().contains(m_sourceData))
        setNotes(joined(notes(), m_sourceData));
}

void QuickEntryController::nameFieldChanged(int tag, const QString &text)
{
    if (tag != FirstNameTag && tag != LastNameTag)
        return;
    const qsizetype before = m_expressPastedString.size();
    m_expressPastedString = text;
    if (text.size() <= before + 1)
        return;
    processExpressString(text);
    m_expressPastedString =
        value(tag == FirstNameTag ? QStringLiteral("nameDict.first") : QStringLiteral("nameDict.last"))
            .toString();
}

bool QuickEntryController::fieldShouldEndEditing(int tag, const QString &path, const QString &text)
{
    if (tag == HomeEmailTag || tag == WorkEmailTag) {
        if (!text.isEmpty() && !zeltor::containsEmailAddress(text)) {
            beep::beep();
            return false;
        }
        setValue(path, text.toLower());
        return true;
    }
    if (tag >= MobilePhoneTag && tag <= HomePhoneTag) {
        const QString digits = zeltor::asPhoneNumber(text);
        if (!text.isEmpty() && !zeltor::containsPhoneNumber(digits)) {
            beep::beep();
            return false;
        }
        setValue(path, text.isEmpty() ? text : m_delegate->formatAsPhoneNumber(digits));
        return true;
    }
    setValue(path, text);
    return true;
}

void QuickEntryController::toggleCreateDate()
{
    QString text = notes();
    if (text.contains(kDateCreated)) {
        QStringList lines = text.split(u'\r');
        lines.removeIf([](const QString &line) { return line.contains(kDateCreated); });
        setNotes(lines.join(u'\r').trimmed());
    } else {
        setNotes(text + (text.isEmpty() ? QString() : QStringLiteral("\r\r")) + createdStamp());
    }
    emit contactChanged();
}

QString QuickEntryController::notesWithTags(bool addressBook) const
{
    UserDefaults &defaults = UserDefaults::standard();
    QString text = notes();
    const auto append = [&text](const QString &separator, const QString &addition) {
        text += (text.isEmpty() ? QString() : separator) + addition;
    };
    if (!addressBook) {
        QString tag = defaults.stringForKey(QStringLiteral("gmTagForCreatedRecords"));
        if (tag.contains(kManualEntry))
            tag = QStringLiteral("source: manual entry");
        if (defaults.boolForKey(QStringLiteral("gmDoTagCreatedRecords")) && !tag.isEmpty())
            append(QStringLiteral("\r\r"), tag);
        if (m_notesIncludeCreateDate && !text.contains(QStringLiteral("date created:")))
            append(QStringLiteral("\r\r"), QStringLiteral("date created: %1")
                                               .arg(now(QStringLiteral("MMM d yyyy, hh:mm:ss AP"))));
        return text;
    }
    QString tag = defaults.stringForKey(QStringLiteral("abTagForCreatedRecords"));
    if (tag.contains(kManualEntry))
        tag = QStringLiteral("source:manual entry");
    if (!tag.isEmpty())
        append(QStringLiteral("\r\r"), tag);
    if (defaults.boolForKey(QStringLiteral("abUpdateIncludeCreateDate")))
        append(QStringLiteral("\r"), QStringLiteral("record created: %1")
                                         .arg(now(QStringLiteral("MMM d yyyy, hh:mm:ss AP"))));
    return text;
}

bool QuickEntryController::pushTakesInsertion() const
{
    if (!m_delegate->isListening() || m_delegate->isPaused())
        return false;
    const int mode = pushMode();
    if (mode == 1)
        return true;
    if (mode != 2)
        return false;
    const QStringList monitored = m_delegate->monitoredGroupIDs();
    for (const char *key : {"abGroup1", "abGroup2", "abGroup3"}) {
        const QString name = m_contact.value(QString::fromLatin1(key)).toString();
        if (name == kNoGroup)
            continue;
        if (const GroupPtr group = AddressBookTool::groupByName(name))
            if (monitored.contains(group->uniqueId()))
                return true;
    }
    return false;
}

void QuickEntryController::saveToAddressBook()
{
    const PersonPtr person = AddressBookTool::personForBrowserDictionary(m_contact);
    if (!person)
        return;
    AddressBook *book = AddressBook::shared();
    book->addRecord(person);
    for (const char *key : {"abGroup1", "abGroup2", "abGroup3"}) {
        const QString name = m_contact.value(QString::fromLatin1(key)).toString();
        if (name == kNoGroup)
            continue;
        if (const GroupPtr group = AddressBookTool::groupByName(name))
            group->addMember(person);
    }
    AddressBookTool::abSave();
    // The agent's own save never reaches its listener: when the push would have taken it, it
    // goes to Google through the push, as an insertion.
    if (m_addToGoogleContacts && UserDefaults::standard().integerForKey(QStringLiteral("autoPushABChanges")) == 1 &&
        pushTakesInsertion())
        m_delegate->sharedABUpdateTool()->autoABUpdateNew({person->uniqueId()}, {}, {});
}

void QuickEntryController::saveToGoogle()
{
    GoogleContactTool *tool = m_delegate->appGoogleContactTool();
    if (!tool)
        return;
    UserDefaults &defaults = UserDefaults::standard();
    const GoogleContactLists &lists = tool->lists();
    QStringList groups;
    if (defaults.boolForKey(QStringLiteral("family")))
        groups << grouplookups::familySysGroupID(lists);
    if (defaults.boolForKey(QStringLiteral("friends")))
        groups << grouplookups::friendsSysGroupID(lists);
    if (defaults.boolForKey(QStringLiteral("coworkers")))
        groups << grouplookups::coworkersSysGroupID(lists);
    const QString googleGroup = m_contact.value(QStringLiteral("googleGroup")).toString();
    if (googleGroup != kNoGroup)
        groups << grouplookups::idOfGroupWithName(lists, googleGroup);
    groups.removeAll(QString());
    singleentryedits::newContactFromBrowserPanel(*tool, m_contact, groups);
}

void QuickEntryController::saveNewGoogleContact()
{
    if (m_panel && !m_panel->endEditing())
        return;
    if (m_panel)
        m_panel->hide();
    setNotes(notesWithTags(m_addToAddressBook));
    const bool pushed = m_addToAddressBook && m_addToGoogleContacts &&
                        UserDefaults::standard().integerForKey(QStringLiteral("autoPushABChanges")) == 1 &&
                        pushTakesInsertion();
    if (m_addToAddressBook)
        saveToAddressBook();
    if (m_addToGoogleContacts && !pushed)
        saveToGoogle();
    raiseSourceProgram();
}

void QuickEntryController::raiseSourceProgram()
{
    if (m_sourceBID.isEmpty())
        return;
    const DesktopEntry entry = DesktopEntry::forBundleIdentifier(m_sourceBID);
    if (!entry.isValid() || entry.exec.isEmpty())
        return;
    QStringList arguments = entry.exec;
    const QString program = arguments.takeFirst();
    QProcess::startDetached(program, arguments);
}

void QuickEntryController::closeCardzap()
{
    if (m_panel)
        m_panel->hide();
}

void QuickEntryController::viewCardzapLog()
{
    const QString path = tlog::logFilePath(QStringLiteral("com.zel-tor.tolvaneService"));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)) && tlog::diagnostics())
        tlog::bare(QStringLiteral("[%1 %2] %3 = %4")
                       .arg(kClass, QStringLiteral("viewCardzapLog:"),
                            QStringLiteral("[errorDict objectForKey:@\"NSAppleScriptErrorMessage\"]"),
                            QStringLiteral("cannot open %1").arg(path)));
}
