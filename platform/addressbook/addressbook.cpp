#include "platform/addressbook/addressbook.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressformatter.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/builtinproperties.h"
#include "platform/addressbook/recordindex.h"
#include "platform/addressbook/sqlite/addressbookdatabase.h"
#include "platform/addressbook/sqlite/recordcodec.h"
#include "platform/addressbook/useraccountname.h"
#include "platform/defaults/userdefaults.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

#include <algorithm>

namespace {

QString &configuredPath()
{
    static QString path;
    return path;
}

// A change another program made is found through a watch on the database files; the timer
// also catches one that the watch cannot see (a home folder on a network file system).
constexpr int kJournalPollMs = 2000;

QStringList sorted(const QSet<QString> &ids)
{
    QStringList list(ids.cbegin(), ids.cend());
    list.sort();
    return list;
}

int storedKind(const Record &record)
{
    if (record.recordClass() == RecordClass::Person)
        return StoredRecord::Person;
    return static_cast<const Group &>(record).isSmartGroup() ? StoredRecord::SmartGroup
                                                             : StoredRecord::Group;
}

} // namespace

namespace {

// A record and its reference count in one allocation: a book of 25,000 is read at every start.
struct ReadPerson final : Person
{
    explicit ReadPerson(const QString &uniqueId)
        : Person(uniqueId)
    {}
};

struct ReadGroup final : Group
{
    explicit ReadGroup(const QString &uniqueId)
        : Group(uniqueId, std::nullopt)
    {}
};

} // namespace

RecordPtr AddressBook::newRecordOfKind(int kind, const QString &uniqueId)
{
    if (kind == StoredRecord::Person)
        return std::make_shared<ReadPerson>(uniqueId);
    return std::make_shared<ReadGroup>(uniqueId);
}

AddressBook::AddressBook(const QString &databasePath, qint64 processId, QString processName,
                         QObject *parent)
    : QObject(parent)
    , m_path(databasePath)
    , m_processId(processId)
    , m_processName(std::move(processName))
    , m_token(QUuid::createUuid().toString(QUuid::WithoutBraces))
    , m_db(std::make_unique<AddressBookDatabase>())
{
    if (!m_db->open(databasePath)) {
        m_error = m_db->errorString();
        m_db.reset();
        return;
    }
    if (!loadAll()) {
        // A book read in part would pass for a smaller book: every program would take the
        // records it missed for deleted.
        qWarning("address book: %s", qPrintable(m_error));
        detachRecords();
        m_db.reset();
        return;
    }
    if (m_db->isNew())
        createMeRecord();
    watchDatabaseFiles();
}

AddressBook::~AddressBook()
{
    close();
}

void AddressBook::close()
{
    delete m_watcher;
    m_watcher = nullptr;
    delete m_poll;
    m_poll = nullptr;
    if (m_db) {
        m_db->close();
        m_db.reset();
    }
    detachRecords();
}

void AddressBook::detachRecords()
{
    for (const RecordPtr &record : std::as_const(m_records))
        record->m_book = nullptr;
    m_records.clear();
    m_order.clear();
    m_groupOrder.clear();
    m_indexes.clear();
    m_inserted.clear();
    m_updated.clear();
    m_deleted.clear();
    m_edits.clear();
    m_storedChangedUnderEdits.clear();
}

namespace {

AddressBook *&sharedBook()
{
    static AddressBook *book = nullptr;
    return book;
}

} // namespace

AddressBook *AddressBook::shared()
{
    AddressBook *&book = sharedBook();
    if (!book)
        book = new AddressBook(databasePath(), QCoreApplication::applicationPid());
    return book;
}

void AddressBook::closeShared()
{
    AddressBook *&book = sharedBook();
    delete book;
    book = nullptr;
}

void AddressBook::setDatabasePath(const QString &path)
{
    configuredPath() = path;
}

QString AddressBook::databasePath()
{
    if (!configuredPath().isEmpty())
        return configuredPath();
    const QString fromEnvironment = qEnvironmentVariable("TOLVANE_AB_DB");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tolvane-ab/AddressBook.sqlite");
}

bool AddressBook::isOpen() const
{
    return m_db != nullptr;
}

bool AddressBook::loadAll()
{
    m_db->beginRead();
    const QList<StoredRecord> stored = m_db->records(true);
    m_storedImages = m_db->imageOwners();
    m_storedMeId = m_db->meId();
    m_customPersonProperties = m_db->customProperties(RecordClass::Person);
    m_customGroupProperties = m_db->customProperties(RecordClass::Group);
    m_lastSeenChange = m_db->journal().lastSequence();
    m_db->endRead();
    if (m_db->readFailed()) {
        m_error = m_db->errorString();
        return false;
    }

    m_meId = m_storedMeId;
    m_records.reserve(stored.size());
    m_order.reserve(std::size_t(stored.size()));
    for (const StoredRecord &entry : stored) {
        RecordPtr record = newRecordOfKind(entry.kind, entry.uniqueId);
        if (entry.check == StoredRecord::Readable)
            RecordCodec::keepEncoded(*record, entry.body);
        else if (entry.check == StoredRecord::Damaged ||
                 !RecordCodec::decodeLaterInto(*record, entry.body)) {
            m_error = QStringLiteral("%1 cannot be read: its record %2 is damaged")
                          .arg(m_path, entry.uniqueId);
            return false;
        }
        adopt(record);
    }
    return true;
}

void AddressBook::createMeRecord()
{
    const PersonPtr me = Person::create();
    const UserAccountName name = userAccountName();
    me->values().insert(kABFirstNameProperty, name.first);
    if (!name.last.isEmpty())
        me->values().insert(kABLastNameProperty, name.last);
    addRecord(me);
    setMe(me);
    save();
}

void AddressBook::adopt(const RecordPtr &record)
{
    record->m_book = this;
    const QString &uniqueId = record->m_uniqueId;
    m_records.insert(uniqueId, record);
    const quint64 place = m_nextPlace++;
    record->m_place = place;
    // Places only grow: each record goes at the end of the order.
    m_order.append(place, record);
    if (record->recordClass() == RecordClass::Group)
        m_groupOrder.append(place, record);
    for (const auto &[name, index] : m_indexes)
        index->add(*record);
}

void AddressBook::forgetRecord(const QString &uniqueId)
{
    const RecordPtr record = m_records.take(uniqueId);
    if (!record)
        return;
    record->m_book = nullptr;
    const quint64 place = record->m_place;
    m_order.erase(place);
    m_groupOrder.erase(place);
    for (const auto &[name, index] : m_indexes)
        index->remove(uniqueId);
}

QList<PersonPtr> AddressBook::people() const
{
    QList<PersonPtr> persons;
    persons.reserve(qsizetype(m_order.size() - m_groupOrder.size()));
    m_order.forEach([&persons](const RecordPtr &record) {
        if (record->recordClass() == RecordClass::Person)
            persons.append(std::static_pointer_cast<Person>(record));
    });
    return persons;
}

QList<GroupPtr> AddressBook::groups() const
{
    QList<GroupPtr> result;
    result.reserve(m_groupOrder.size());
    m_groupOrder.forEach([&result](const RecordPtr &record) {
        result.append(std::static_pointer_cast<Group>(record));
    });
    return result;
}

RecordPtr AddressBook::recordForUniqueId(const QString &uniqueId) const
{
    return m_records.value(uniqueId);
}

PersonPtr AddressBook::personForUniqueId(const QString &uniqueId) const
{
    const RecordPtr record = m_records.value(uniqueId);
    if (!record || record->recordClass() != RecordClass::Person)
        return nullptr;
    return std::static_pointer_cast<Person>(record);
}

GroupPtr AddressBook::groupForUniqueId(const QString &uniqueId) const
{
    const RecordPtr record = m_records.value(uniqueId);
    if (!record || record->recordClass() != RecordClass::Group)
        return nullptr;
    return std::static_pointer_cast<Group>(record);
}

QList<RecordPtr> AddressBook::recordsMatchingSearchElement(const SearchElement &element) const
{
    if (const std::optional<SearchElement::EqualityTerm> term = element.equalityTerm())
        return indexedMatches(element, *term);
    QList<RecordPtr> matches;
    m_order.forEach([&element, &matches](const RecordPtr &record) {
        if (element.matchesRecord(*record))
            matches.append(record);
    });
    return matches;
}

PersonPtr AddressBook::me() const
{
    return personForUniqueId(m_meId);
}

bool AddressBook::setMe(const PersonPtr &person)
{
    if (!person || person->addressBook() != this)
        return false;
    m_meId = person->uniqueId();
    return true;
}

bool AddressBook::addRecord(const RecordPtr &record)
{
    if (!record || record->m_book || m_records.contains(record->uniqueId()))
        return false;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    record->values().insert(kABCreationDateProperty, now);
    record->values().insert(kABModificationDateProperty, now);
    adopt(record);
    // A record removed and added again before a save is the same stored record, changed.
    // Written whole: the record added is not the one stored.
    m_edits.remove(record->uniqueId());
    if (m_deleted.remove(record->uniqueId()))
        m_updated.insert(record->uniqueId());
    else
        m_inserted.insert(record->uniqueId());
    return true;
}

bool AddressBook::removeRecord(const RecordPtr &record)
{
    if (!record || record->m_book != this)
        return false;
    const QString uniqueId = record->uniqueId();
    for (const GroupPtr &group : groups()) {
        if (group->m_memberIds.removeAll(uniqueId) > 0)
            membershipChanged(*group, {MembershipEdit::RemoveMember, uniqueId});
        if (group->m_subgroupIds.removeAll(uniqueId) > 0)
            membershipChanged(*group, {MembershipEdit::RemoveSubgroup, uniqueId});
    }
    if (m_meId == uniqueId)
        m_meId.clear();
    forgetRecord(uniqueId);
    m_updated.remove(uniqueId);
    m_edits.remove(uniqueId);
    if (!m_inserted.remove(uniqueId))
        m_deleted.insert(uniqueId);
    return true;
}

RecordIndex &AddressBook::indexFor(RecordClass recordClass,
                                   const SearchElement::EqualityTerm &term) const
{
    const QString name =
        QString::number(int(recordClass)) + (term.caseInsensitive ? u'i' : u'e') + term.property;
    std::unique_ptr<RecordIndex> &index = m_indexes[name];
    if (!index) {
        index = std::make_unique<RecordIndex>(recordClass, term.property, term.caseInsensitive);
        for (const RecordPtr &record : m_records)
            index->add(*record);
    }
    return *index;
}

QList<RecordPtr> AddressBook::indexedMatches(const SearchElement &element,
                                             const SearchElement::EqualityTerm &term) const
{
    QList<RecordPtr> matches;
    for (const QString &uniqueId : indexFor(element.recordClass(), term).candidates(term.value)) {
        const RecordPtr record = m_records.value(uniqueId);
        if (record && element.matchesRecord(*record))
            matches.append(record);
    }
    // Matches come in the book's order, as a search of every record gives them.
    if (matches.size() > 1) {
        std::sort(matches.begin(), matches.end(),
                  [](const RecordPtr &a, const RecordPtr &b) { return a->m_place < b->m_place; });
    }
    return matches;
}

void AddressBook::reindex(const Record &record)
{
    for (const auto &[name, index] : m_indexes) {
        index->remove(record.uniqueId());
        index->add(record);
    }
}

void AddressBook::recordChanged(const Record &record, const QString &property, bool touch)
{
    // Only the indexes of the property changed: a download sets a dozen properties of each of
    // its thousands of new persons. Dates are never indexed, so the touch needs none.
    for (const auto &[name, index] : m_indexes) {
        if (index->property() == property) {
            index->remove(record.uniqueId());
            index->add(record);
        }
    }
    if (touch)
        const_cast<Record &>(record).values().insert(kABModificationDateProperty,
                                                     QDateTime::currentDateTimeUtc());
    if (m_inserted.contains(record.uniqueId()))
        return;
    m_updated.insert(record.uniqueId());
    PendingEdits &edits = m_edits[record.uniqueId()];
    if (!property.isEmpty())
        edits.properties.insert(property);
    if (touch)
        edits.properties.insert(kABModificationDateProperty);
}

void AddressBook::membershipChanged(const Group &group, MembershipEdit edit)
{
    recordChanged(group, QString());
    if (!m_inserted.contains(group.uniqueId()))
        m_edits[group.uniqueId()].memberships.append(std::move(edit));
}

QByteArray AddressBook::onTopOfStored(const RecordPtr &record, const PendingEdits &edits,
                                      const std::optional<StoredRecord> &stored,
                                      QHash<QString, RecordPtr> &merged) const
{
    // Gone or replaced by another kind meanwhile: this program's record is all there is.
    if (!stored || stored->kind != storedKind(*record))
        return RecordCodec::encode(*record);
    const RecordPtr base = newRecordOfKind(stored->kind, record->uniqueId());
    if (!RecordCodec::decodeInto(*base, stored->body))
        return RecordCodec::encode(*record);
    for (const QString &property : edits.properties) {
        const QVariant value = record->values().value(property);
        if (value.isValid())
            base->values().insert(property, value);
        else
            base->values().remove(property);
    }
    if (record->recordClass() == RecordClass::Group) {
        auto &group = static_cast<Group &>(*base);
        for (const MembershipEdit &edit : edits.memberships) {
            switch (edit.kind) {
            case MembershipEdit::AddMember:
                group.m_memberIds.append(edit.uniqueId);
                break;
            case MembershipEdit::RemoveMember:
                group.m_memberIds.removeAll(edit.uniqueId);
                break;
            case MembershipEdit::AddSubgroup:
                group.m_subgroupIds.append(edit.uniqueId);
                break;
            case MembershipEdit::RemoveSubgroup:
                group.m_subgroupIds.removeAll(edit.uniqueId);
                break;
            }
        }
    }
    merged.insert(record->uniqueId(), base);
    return RecordCodec::encode(*base);
}

void AddressBook::takeMerged(const QHash<QString, RecordPtr> &merged)
{
    for (auto it = merged.cbegin(); it != merged.cend(); ++it) {
        const RecordPtr &record = m_records[it.key()];
        record->values() = it.value()->values();
        if (record->recordClass() == RecordClass::Group) {
            auto &group = static_cast<Group &>(*record);
            const auto &stored = static_cast<const Group &>(*it.value());
            // Copied whole, not rebuilt from their lists: a group of thousands is saved again
            // at each of a download's new persons.
            group.m_memberIds = stored.m_memberIds;
            group.m_subgroupIds = stored.m_subgroupIds;
        }
        reindex(*record);
    }
}

bool AddressBook::hasUnsavedChanges() const
{
    return !m_inserted.isEmpty() || !m_updated.isEmpty() || !m_deleted.isEmpty() ||
           m_meId != m_storedMeId;
}

bool AddressBook::save()
{
    if (!m_db)
        return false;
    if (!hasUnsavedChanges())
        return true;
    StoredChanges changes;
    QSet<QString> updated = m_updated;
    if (m_meId != m_storedMeId) {
        changes.meId = m_meId;
        // Other programs learn of a new Me through the record it names.
        const QString named = m_meId.isEmpty() ? m_storedMeId : m_meId;
        if (!m_inserted.contains(named) && !m_deleted.contains(named))
            updated.insert(named);
    }
    QHash<QString, RecordPtr> merged;
    // Updated records first: a download's save grows the person made at the save before, the
    // last row of the table, and a row that grows at the end of its page splits only that page,
    // where one with the newcomer after it rebalances its neighbours as well.
    for (const QSet<QString> *ids : {&m_updated, &m_inserted}) {
        for (const QString &uniqueId : *ids) {
            const RecordPtr &record = m_records[uniqueId];
            RecordUpsert upsert{storedKind(*record), record, {}};
            const auto edits = m_edits.constFind(uniqueId);
            if (edits != m_edits.cend()) {
                upsert.onTopOfStored = [this, record, &edits = *edits,
                                        &merged](const std::optional<StoredRecord> &stored) {
                    return onTopOfStored(record, edits, stored, merged);
                };
                upsert.knownAsStored = !m_storedChangedUnderEdits.contains(uniqueId);
            }
            changes.upserts.append(std::move(upsert));
            if (record->recordClass() == RecordClass::Person) {
                const auto &person = static_cast<const Person &>(*record);
                if (person.m_pendingImage)
                    changes.images.insert(uniqueId, *person.m_pendingImage);
            }
        }
    }
    changes.deletions = sorted(m_deleted);
    JournalEntry &entry = changes.journalEntry;
    entry.time = QDateTime::currentDateTimeUtc();
    entry.processId = m_processId;
    entry.processName = senderName();
    entry.senderToken = m_token;
    entry.inserted = sorted(m_inserted);
    entry.updated = sorted(updated);
    entry.deleted = changes.deletions;
    changes.readThrough = m_lastSeenChange;
    changes.keepPeopleEncoded = m_bulkSaves > 0;

    const std::optional<WrittenChanges> written = m_db->write(changes);
    if (!written) {
        qWarning("address book: the save failed; the changes stay unsaved");
        return false;
    }
    // With nothing of the others between, this book has read in every save up to its own, and
    // the next save needs to look only at what comes after it.
    if (written->onlyOwnSavesBetween)
        m_lastSeenChange = written->sequence;
    takeMerged(merged);
    for (auto it = changes.images.cbegin(); it != changes.images.cend(); ++it) {
        if (it.value().isEmpty())
            m_storedImages.remove(it.key());
        else
            m_storedImages.insert(it.key());
        std::static_pointer_cast<Person>(m_records[it.key()])->m_pendingImage.reset();
    }
    for (const QString &uniqueId : m_deleted)
        m_storedImages.remove(uniqueId);
    m_storedMeId = m_meId;
    m_inserted.clear();
    m_updated.clear();
    m_deleted.clear();
    m_edits.clear();
    m_storedChangedUnderEdits.clear();
    emit databaseChanged(
        changeInfo(m_processId, entry.processName, entry.inserted, entry.updated, entry.deleted));
    return true;
}

void AddressBook::beginBulkSaves()
{
    if (m_bulkSaves++ == 0 && m_db)
        m_db->setFlushEachCommit(false);
}

void AddressBook::endBulkSaves()
{
    if (m_bulkSaves > 0 && --m_bulkSaves == 0 && m_db && !m_db->setFlushEachCommit(true))
        qWarning("address book: the saves of the last run could not be flushed to the disk");
}

QString AddressBook::senderName() const
{
    return m_processName.isNull() ? QCoreApplication::applicationName() : m_processName;
}

QVariantMap AddressBook::changeInfo(qint64 processId, const QString &processName,
                                    const QStringList &inserted, const QStringList &updated,
                                    const QStringList &deleted) const
{
    return {{kABSenderProcessName, processName},
            {kABSenderProcessID, processId},
            {kABInsertedRecords, inserted},
            {kABUpdatedRecords, updated},
            {kABDeletedRecords, deleted}};
}

QStringList AddressBook::properties(RecordClass recordClass) const
{
    QStringList names = builtinproperties::names(recordClass);
    const auto &custom =
        recordClass == RecordClass::Person ? m_customPersonProperties : m_customGroupProperties;
    QStringList customNames = custom.keys();
    customNames.sort();
    return names + customNames;
}

PropertyType AddressBook::typeOfProperty(RecordClass recordClass, const QString &property) const
{
    const PropertyType builtin = builtinproperties::typeOf(recordClass, property);
    if (builtin != PropertyType::Error)
        return builtin;
    auto &custom =
        recordClass == RecordClass::Person ? m_customPersonProperties : m_customGroupProperties;
    if (!custom.contains(property) && m_db) {
        // Another program may have added it since this book was opened.
        custom = m_db->customProperties(recordClass);
    }
    return custom.value(property, PropertyType::Error);
}

int AddressBook::addPropertiesAndTypes(RecordClass recordClass,
                                       const QHash<QString, PropertyType> &propertiesAndTypes)
{
    if (!m_db)
        return 0;
    int added = 0;
    auto &custom =
        recordClass == RecordClass::Person ? m_customPersonProperties : m_customGroupProperties;
    for (auto it = propertiesAndTypes.cbegin(); it != propertiesAndTypes.cend(); ++it) {
        if (it.key().isEmpty() || it.value() == PropertyType::Error ||
            typeOfProperty(recordClass, it.key()) != PropertyType::Error)
            continue;
        if (m_db->addCustomProperty(recordClass, it.key(), it.value())) {
            custom.insert(it.key(), it.value());
            ++added;
        }
    }
    return added;
}

QByteArray AddressBook::storedImage(const QString &uniqueId) const
{
    if (!m_db || !m_storedImages.contains(uniqueId))
        return {};
    return m_db->image(uniqueId);
}

bool AddressBook::hasStoredImage(const QString &uniqueId) const
{
    return m_storedImages.contains(uniqueId);
}

QString AddressBook::formattedAddress(const QVariantMap &address) const
{
    return addressformatter::formattedAddress(address);
}

PhoneFormatSettings AddressBook::phoneFormatSettings() const
{
    UserDefaults defaults(kABPreferencesDomain);
    PhoneFormatSettings settings;
    settings.enabled = defaults.boolForKey(kABPhoneFormatEnabled);
    settings.formats = defaults.stringArrayForKey(kABPhoneFormatPhoneFormatter);
    return settings;
}

bool AddressBook::exportArchive(const QString &archivePath)
{
    return m_db && m_db->exportArchive(archivePath);
}

bool AddressBook::restoreArchive(const QString &archivePath)
{
    if (!m_db)
        return false;
    JournalEntry entry;
    entry.time = QDateTime::currentDateTimeUtc();
    entry.processId = m_processId;
    entry.processName = senderName();
    entry.senderToken = m_token;
    if (!m_db->restoreArchive(archivePath, entry)) {
        m_error = m_db->errorString();
        return false;
    }
    reloadEverything();
    emit databaseChanged(changeInfo(m_processId, entry.processName, {}, {}, {}));
    return true;
}

void AddressBook::checkForExternalChanges()
{
    if (!m_db)
        return;
    if (m_db->journal().missesEntriesAfter(m_lastSeenChange)) {
        rereadAfterMissedChanges();
        return;
    }
    for (const JournalEntry &entry : m_db->journal().entriesAfter(m_lastSeenChange)) {
        m_lastSeenChange = entry.sequence;
        if (entry.senderToken == m_token)
            continue;
        if (entry.isWholeBookChange())
            reloadEverything();
        else
            applyExternalChange(entry.inserted + entry.updated, entry.deleted);
        emit databaseChangedExternally(changeInfo(entry.processId, entry.processName,
                                                  entry.inserted, entry.updated, entry.deleted));
    }
}

bool AddressBook::wholeBookChangedSince(qint64 sequence) const
{
    if (!m_db)
        return false;
    const ChangeJournal &journal = m_db->journal();
    return sequence > journal.lastSequence() || journal.missesEntriesAfter(sequence) ||
           journal.holdsWholeBookChangeAfter(sequence);
}

void AddressBook::applyExternalChange(const QStringList &changedIds, const QStringList &deletedIds)
{
    const auto isLocallyChanged = [this](const QString &uniqueId) {
        return m_inserted.contains(uniqueId) || m_updated.contains(uniqueId) ||
               m_deleted.contains(uniqueId);
    };
    for (const QString &uniqueId : deletedIds) {
        if (isLocallyChanged(uniqueId)) {
            qWarning("address book: %s was deleted by another program; the unsaved change here"
                     " is kept and will be saved",
                     qPrintable(uniqueId));
            m_storedChangedUnderEdits.insert(uniqueId);
            continue;
        }
        forgetRecord(uniqueId);
    }
    for (const QString &uniqueId : changedIds) {
        if (isLocallyChanged(uniqueId)) {
            qWarning("address book: %s was changed by another program; the unsaved change here"
                     " is kept and will be saved on top of it",
                     qPrintable(uniqueId));
            m_storedChangedUnderEdits.insert(uniqueId);
            continue;
        }
        const std::optional<StoredRecord> stored = m_db->record(uniqueId);
        if (!stored) {
            forgetRecord(uniqueId);
            continue;
        }
        RecordPtr record = m_records.value(uniqueId);
        const bool isNew = !record || storedKind(*record) != stored->kind;
        if (isNew) {
            forgetRecord(uniqueId);
            record = newRecordOfKind(stored->kind, uniqueId);
        }
        if (RecordCodec::decodeInto(*record, stored->body) && isNew)
            adopt(record);
    }
    // Records read in again changed under the indexes.
    m_indexes.clear();
    m_storedImages = m_db->imageOwners();
    const QString storedMe = m_db->meId();
    if (m_meId == m_storedMeId)
        m_meId = storedMe;
    m_storedMeId = storedMe;
}

void AddressBook::rereadAfterMissedChanges()
{
    // The journal entries this program had not read were trimmed: which records changed is no
    // longer known, so every stored record is read again, keeping what this program has not
    // saved, and the change is announced as one of the whole book.
    m_db->beginRead();
    const qint64 lastChange = m_db->journal().lastSequence();
    const QList<StoredRecord> stored = m_db->records();
    m_db->endRead();
    if (m_db->readFailed()) {
        m_error = m_db->errorString();
        qWarning("address book: %s", qPrintable(m_error));
        return;
    }
    QStringList storedIds;
    QSet<QString> stillStored;
    for (const StoredRecord &record : stored) {
        storedIds.append(record.uniqueId);
        stillStored.insert(record.uniqueId);
    }
    QStringList goneIds;
    for (auto it = m_records.cbegin(); it != m_records.cend(); ++it) {
        if (!stillStored.contains(it.key()) && !m_inserted.contains(it.key()))
            goneIds.append(it.key());
    }
    m_lastSeenChange = lastChange;
    applyExternalChange(storedIds, goneIds);
    emit databaseChangedExternally(changeInfo(0, QString(), {}, {}, {}));
}

void AddressBook::reloadEverything()
{
    const QList<StoredRecord> storedRecords = m_db->records();
    if (m_db->readFailed()) {
        // The book as it was is kept rather than a part of the stored one.
        m_error = m_db->errorString();
        qWarning("address book: %s", qPrintable(m_error));
        return;
    }
    // The whole book was replaced: what this program had not saved belonged to the old book.
    if (hasUnsavedChanges())
        qWarning("address book: the book was restored from a backup; unsaved changes are dropped");
    m_inserted.clear();
    m_updated.clear();
    m_deleted.clear();
    m_edits.clear();
    m_storedChangedUnderEdits.clear();
    m_indexes.clear();
    QHash<QString, RecordPtr> previous;
    previous.swap(m_records);
    m_order.clear();
    m_groupOrder.clear();
    for (const RecordPtr &record : std::as_const(previous))
        record->m_book = nullptr;
    for (const StoredRecord &stored : storedRecords) {
        RecordPtr record = previous.value(stored.uniqueId);
        if (!record || storedKind(*record) != stored.kind)
            record = newRecordOfKind(stored.kind, stored.uniqueId);
        if (record->recordClass() == RecordClass::Person)
            std::static_pointer_cast<Person>(record)->m_pendingImage.reset();
        if (RecordCodec::decodeInto(*record, stored.body))
            adopt(record);
    }
    m_storedImages = m_db->imageOwners();
    m_storedMeId = m_db->meId();
    m_meId = m_storedMeId;
    m_customPersonProperties = m_db->customProperties(RecordClass::Person);
    m_customGroupProperties = m_db->customProperties(RecordClass::Group);
}

void AddressBook::watchDatabaseFiles()
{
    m_watcher = new QFileSystemWatcher(this);
    const QStringList files{m_path, m_path + QStringLiteral("-wal")};
    m_watcher->addPaths(files);
    auto *pending = new QTimer(this);
    pending->setSingleShot(true);
    pending->setInterval(0);
    connect(pending, &QTimer::timeout, this, &AddressBook::checkForExternalChanges);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, [this, files, pending] {
        // A file that was replaced drops out of the watch; put it back.
        const QStringList watched = m_watcher->files();
        for (const QString &file : files) {
            if (!watched.contains(file))
                m_watcher->addPath(file);
        }
        pending->start();
    });
    m_poll = new QTimer(this);
    connect(m_poll, &QTimer::timeout, this, &AddressBook::checkForExternalChanges);
    m_poll->start(kJournalPollMs);
}
