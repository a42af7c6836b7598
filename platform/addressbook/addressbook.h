#pragma once

#include "platform/addressbook/phoneformatsettings.h"
#include "platform/addressbook/properties/propertytype.h"
#include "platform/addressbook/recordclass.h"
#include "platform/addressbook/recordorder.h"
#include "platform/addressbook/searchelement.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <map>
#include <memory>
#include <optional>

class AddressBookDatabase;
class RecordIndex;
class QFileSystemWatcher;
class QTimer;
struct StoredRecord;

// The user's address book: one SQLite database shared by every program that opens it. The whole
// book is read at open; each record is one object for the life of the book, so every list,
// lookup and search hands out the same object for it. Changes stay in memory until save(),
// which writes them in one transaction, journals them and announces them; the other programs
// read the journal when the database file changes and announce the changes as external.
class AddressBook : public QObject
{
    Q_OBJECT

public:
    // processId and processName stand for the program in the change journal; a null name means
    // QCoreApplication::applicationName() at the time of each save.
    explicit AddressBook(const QString &databasePath, qint64 processId, QString processName = {},
                         QObject *parent = nullptr);
    ~AddressBook() override;

    // The program's address book, opened at first use from databasePath().
    static AddressBook *shared();
    // Closes the program's address book (see close()) and deletes it; the next shared() opens it
    // again. Every program calls it as it quits.
    static void closeShared();
    // Must be called before the first shared().
    static void setDatabasePath(const QString &path);
    // The path set, else $TOLVANE_AB_DB, else $XDG_DATA_HOME/tolvane-ab/AddressBook.sqlite.
    static QString databasePath();

    // False when the book could not be opened or read whole (a damaged file, a file that holds
    // no book): nothing is then read from it or written to it.
    bool isOpen() const;
    // Why the book is not open, or why the last restore was refused, naming the file.
    QString errorString() const { return m_error; }
    QString path() const { return m_path; }
    // Writes what the database's log holds into its file and closes it; unsaved changes are
    // dropped, and the records leave the book. Nothing is read or written after it.
    void close();

    // Persons and companies, in the order they entered the book.
    QList<PersonPtr> people() const;
    // Groups and smart groups, in the order they entered the book.
    QList<GroupPtr> groups() const;
    RecordPtr recordForUniqueId(const QString &uniqueId) const;
    PersonPtr personForUniqueId(const QString &uniqueId) const;
    GroupPtr groupForUniqueId(const QString &uniqueId) const;
    QList<RecordPtr> recordsMatchingSearchElement(const SearchElement &element) const;

    // Null when unset or when the record is gone.
    PersonPtr me() const;
    bool setMe(const PersonPtr &person);

    // Fails for a record already in a book. Sets the creation date.
    bool addRecord(const RecordPtr &record);
    // A removed person leaves every group; a removed group leaves its parents and its members
    // stay in the book; removing the Me record clears Me.
    bool removeRecord(const RecordPtr &record);

    bool hasUnsavedChanges() const;
    // Writes every unsaved change in one transaction, all or nothing, then journals the change
    // and emits databaseChanged. True when there was nothing to save. Of a record already stored,
    // only the properties (and group members) this program changed are written, on top of the
    // record as it is stored at that moment, so another program's change to its other properties
    // stands; the record here then holds both.
    bool save();
    // Many saves in a row (a download makes and saves each person at once): each save still
    // commits whole at once, but the disk is flushed in steps and at the end of the run rather
    // than at every commit, and the persons written are kept in their stored form, read again
    // when next looked at. Runs nest; open one with BulkSaves.
    void beginBulkSaves();
    void endBulkSaves();

    // The property schema of a record class: built-in and custom names and types. Custom
    // properties are on disk as soon as they are added and are never removed.
    QStringList properties(RecordClass recordClass) const;
    PropertyType typeOfProperty(RecordClass recordClass, const QString &property) const;
    // The number of properties actually added (names already present are not counted).
    int addPropertiesAndTypes(RecordClass recordClass,
                              const QHash<QString, PropertyType> &propertiesAndTypes);

    // An address dictionary (kABAddress...Key) as text in its country's layout, lines joined
    // by "\n", empty parts left out.
    QString formattedAddress(const QVariantMap &address) const;
    PhoneFormatSettings phoneFormatSettings() const;

    // The whole book to one file, and back. A restore replaces every record, is journalled as a
    // change with no record lists and is announced to this and every other program. A restore
    // checks the archive whole first and refuses one that is damaged, foreign or of a newer
    // schema, changing nothing; errorString() then says why.
    bool exportArchive(const QString &archivePath);
    bool restoreArchive(const QString &archivePath);

    // Reads the journal for changes saved by other programs and applies them. Runs by itself
    // when the database file changes.
    void checkForExternalChanges();
    // The journal position of the last change this book has read in.
    qint64 lastReadChange() const { return m_lastSeenChange; }
    // True when the whole book may have been replaced after that journal position: a restore was
    // journalled since, entries written since were trimmed (so what they were is unknown), or the
    // journal never reached the position (another database). A copy of the records taken at that
    // position then tells nothing about which of them were deleted.
    bool wholeBookChangedSince(qint64 sequence) const;

signals:
    // After this program's own save (kABDatabaseChangedNotification).
    void databaseChanged(const QVariantMap &info);
    // After another program's save (kABDatabaseChangedExternallyNotification).
    void databaseChangedExternally(const QVariantMap &info);

private:
    friend class Record;
    friend class Group;
    friend class Person;

    // One change to a group's members or subgroups, replayed on the stored group at a save.
    struct MembershipEdit
    {
        enum Kind { AddMember, RemoveMember, AddSubgroup, RemoveSubgroup };
        Kind kind;
        QString uniqueId;
    };
    // What this program changed in a stored record since it last read or saved it.
    struct PendingEdits
    {
        QSet<QString> properties;
        QList<MembershipEdit> memberships;
    };

    static RecordPtr newRecordOfKind(int kind, const QString &uniqueId);
    bool loadAll();
    void detachRecords();
    void createMeRecord();
    void adopt(const RecordPtr &record);
    // touch: the modification date moves to now.
    void recordChanged(const Record &record, const QString &property, bool touch = true);
    void membershipChanged(const Group &group, MembershipEdit edit);
    void reindex(const Record &record);
    // The stored form of an updated record: its edits on top of the stored one.
    QByteArray onTopOfStored(const RecordPtr &record, const PendingEdits &edits,
                             const std::optional<StoredRecord> &stored,
                             QHash<QString, RecordPtr> &merged) const;
    void takeMerged(const QHash<QString, RecordPtr> &merged);
    void forgetRecord(const QString &uniqueId);
    QByteArray storedImage(const QString &uniqueId) const;
    bool hasStoredImage(const QString &uniqueId) const;
    void applyExternalChange(const QStringList &changedIds, const QStringList &deletedIds);
    void reloadEverything();
    void rereadAfterMissedChanges();
    void watchDatabaseFiles();
    QVariantMap changeInfo(qint64 processId, const QString &processName,
                           const QStringList &inserted, const QStringList &updated,
                           const QStringList &deleted) const;
    QString senderName() const;
    RecordIndex &indexFor(RecordClass recordClass, const SearchElement::EqualityTerm &term) const;
    QList<RecordPtr> indexedMatches(const SearchElement &element,
                                    const SearchElement::EqualityTerm &term) const;

    QString m_path;
    qint64 m_processId;
    QString m_processName;
    QString m_token;
    QString m_error;
    std::unique_ptr<AddressBookDatabase> m_db;
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_poll = nullptr;

    QHash<QString, RecordPtr> m_records;
    // The book's order: the records by their place (Record::m_place), held here as well as in
    // m_records, so a walk in order looks nothing up.
    RecordOrder m_order;
    // The groups of m_order on their own: every exported person looks for its groups.
    RecordOrder m_groupOrder;
    quint64 m_nextPlace = 0;
    mutable QHash<QString, PropertyType> m_customPersonProperties;
    mutable QHash<QString, PropertyType> m_customGroupProperties;
    QSet<QString> m_storedImages;
    QString m_meId;
    QString m_storedMeId;

    QSet<QString> m_inserted;
    QSet<QString> m_updated;
    QSet<QString> m_deleted;
    QHash<QString, PendingEdits> m_edits;
    // Records with unsaved changes here whose stored row another program changed since this one
    // read it (its change was read in but not applied, so as not to lose the change here): at the
    // save they are always merged with the stored row.
    QSet<QString> m_storedChangedUnderEdits;
    qint64 m_lastSeenChange = 0;
    int m_bulkSaves = 0;

    // Built at the first equality search on a property, kept current by adopt, forgetRecord and
    // recordChanged, dropped when other programs' changes are read in.
    mutable std::map<QString, std::unique_ptr<RecordIndex>> m_indexes;
};

// Saves made while it lives are flushed to the disk in steps (AddressBook::beginBulkSaves). A book
// closed meanwhile flushed everything as it closed.
class BulkSaves
{
public:
    explicit BulkSaves(AddressBook *book = AddressBook::shared()) : m_book(book)
    {
        if (m_book)
            m_book->beginBulkSaves();
    }
    ~BulkSaves()
    {
        if (m_book)
            m_book->endBulkSaves();
    }
    BulkSaves(const BulkSaves &) = delete;
    BulkSaves &operator=(const BulkSaves &) = delete;

private:
    QPointer<AddressBook> m_book;
};
