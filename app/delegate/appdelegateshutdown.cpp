#include "app/delegate/appdelegate.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/records/changetracking.h"
#include "addressbook/records/recordcounts.h"
#include "addressbook/records/recordlists.h"
#include "app/appkeys.h"
#include "app/apptexts.h"
#include "foundation/log.h"
#include "foundation/propertylist.h"
#include "foundation/tolvaneutilities.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A date of the snapshot; a side without records has none, and none is stored.
void setDate(UserDefaults &defaults, const QDateTime &date, const QString &key)
{
    if (date.isValid())
        defaults.setObject(date, key);
    else
        defaults.removeObjectForKey(key);
}

template <class Records> QStringList uniqueIdsOf(const Records &records)
{
    QStringList identifiers;
    identifiers.reserve(records.size());
    for (const auto &record : records)
        identifiers << record->uniqueId();
    return identifiers;
}

template <class Entries> QStringList identifiersOf(const Entries &entries)
{
    QStringList identifiers;
    identifiers.reserve(qsizetype(entries.size()));
    for (const auto &entry : entries)
        identifiers << entry->identifier();
    return identifiers;
}

} // namespace

void AppDelegate::writeRestartList(const QString &name, const QStringList &identifiers)
{
    const QString folder = restartFolderPath().value_or(QString());
    if (folder.isEmpty())
        return;
    const QString path = QDir(folder).filePath(name);
    if (identifiers.isEmpty()) {
        // A list of an earlier quit would describe records that are gone.
        if (QFileInfo::exists(path) && !QFile::remove(path))
            tlog::write(apptexts::restartListNotRemoved.arg(name));
        return;
    }
    QVariantList values;
    values.reserve(identifiers.size());
    for (const QString &identifier : identifiers)
        values << identifier;
    QString error;
    // Written beside and renamed into place: a list that cannot be written leaves the one of the
    // earlier quit whole.
    if (!propertylist::writeFile(path, values, &error))
        tlog::write(apptexts::restartListNotWritten.arg(name, error));
}

void AppDelegate::applicationWillTerminate()
{
    if (m_terminated)
        return;
    m_terminated = true;
    tlog::trace(QStringLiteral("AppDelegate"), QStringLiteral("applicationWillTerminate:"));
    UserDefaults &defaults = UserDefaults::standard();
    AddressBook::shared()->save();

    setDate(defaults, AddressBookTool::lastGroupInsertDate(), abkeys::lastABGroupInsert);
    setDate(defaults, AddressBookTool::lastPersonInsertDate(), abkeys::lastABPersonInsert);
    setDate(defaults, AddressBookTool::lastGroupUpdateDate(), abkeys::lastABGroupUpdate);
    setDate(defaults, AddressBookTool::lastPersonUpdateDate(), abkeys::lastABPersonUpdate);
    const QList<GroupPtr> groups = AddressBookTool::allGroups();
    defaults.setInteger(int(groups.size()), abkeys::lastABGroupCount);
    writeRestartList(QStringLiteral("ABGroups"), uniqueIdsOf(groups));
    const QList<PersonPtr> people = AddressBook::shared()->people();
    defaults.setInteger(AddressBookTool::personCount() + AddressBookTool::companyCount(),
                        abkeys::lastABPersonCount);
    writeRestartList(QStringLiteral("ABContacts"), uniqueIdsOf(people));

    if (GoogleContactTool *const tool = m_appGoogleContactTool.get()) {
        setDate(defaults, tool->lastGroupInsertDate(), googlekeys::lastGoogleGroupInsert);
        setDate(defaults, tool->lastContactInsertDate(), googlekeys::lastGoogleContactInsert);
        setDate(defaults, tool->lastGroupUpdateDate(), googlekeys::lastGoogleGroupUpdate);
        setDate(defaults, tool->lastContactUpdateDate(), googlekeys::lastGoogleContactUpdate);
        defaults.setInteger(int(tool->groupArray().size()), googlekeys::lastGoogleGroupCount);
        writeRestartList(QStringLiteral("GoogleGroups"), identifiersOf(tool->groupArray()));
        defaults.setInteger(int(tool->contactArray().size()), googlekeys::lastGoogleContactCount);
        writeRestartList(QStringLiteral("GoogleContacts"), identifiersOf(tool->contactArray()));
    }

    TolvaneUtilities::applicationWillTerminate();
    for (const QString &key : appkeys::quitRemovesKeys)
        defaults.removeObjectForKey(key);
    defaults.synchronize();
    updateCoreData();
    // Last of the quit: closing writes the book's log into its file, which a backup of the file
    // alone then holds whole.
    AddressBook::closeShared();
}

void AppDelegate::quitTolvane()
{
    QCoreApplication::quit();
}
