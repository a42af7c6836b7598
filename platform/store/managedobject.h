#pragma once

#include "platform/store/changenotice.h"
#include "platform/store/objectid.h"
#include "platform/store/storeerror.h"

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>

#include <vector>

class EntityDescription;
class ManagedObjectContext;
class PersistentStore;

// An object of the store, owned by its context and lent to callers by pointer. Attributes are read
// and written by name; relationships keep their inverse in step. Entity classes derive from it and
// add typed accessors and the hooks below. Every change made through setValue and the relationship
// operations is announced to the context's observers before and after it is made, on both sides
// of a relationship.
class ManagedObject
{
public:
    ManagedObject() = default;
    virtual ~ManagedObject();
    ManagedObject(const ManagedObject &) = delete;
    ManagedObject &operator=(const ManagedObject &) = delete;

    const EntityDescription &entity() const { return *m_entity; }
    ManagedObjectContext *managedObjectContext() const { return m_context; }
    const ObjectID &objectID() const { return m_id; }

    bool isInserted() const { return m_state == State::Inserted; }
    bool isDeleted() const { return m_state == State::Deleted || m_state == State::Forgotten; }
    bool isUpdated() const { return m_updated; }

    // Attributes. An unknown key reads as null and is not written.
    QVariant value(const QString &key) const;
    void setValue(const QString &key, const QVariant &value);
    // Writes the value without announcing it; the object still counts as changed.
    void setPrimitiveValue(const QString &key, const QVariant &value);
    // Announcements for a change made in steps of one's own, around setPrimitiveValue.
    void willChangeValueForKey(const QString &key);
    void didChangeValueForKey(const QString &key);
    QString stringValue(const QString &key) const { return value(key).toString(); }
    qint64 integerValue(const QString &key) const { return value(key).toLongLong(); }
    double doubleValue(const QString &key) const { return value(key).toDouble(); }
    bool boolValue(const QString &key) const { return value(key).toBool(); }
    QDateTime dateValue(const QString &key) const { return value(key).toDateTime(); }

    // Relationships, read from the store on first use.
    ManagedObject *toOne(const QString &key);
    void setToOne(const QString &key, ManagedObject *target);
    QList<ManagedObject *> toMany(const QString &key);
    void addToMany(const QString &key, ManagedObject *target);
    void removeFromMany(const QString &key, ManagedObject *target);

    // Hooks. awakeFromInsert runs once, when the object is inserted into a context. The
    // validations run before a save; the default checks the values against the entity (mandatory
    // values present, values of the attribute's type). A false answer refuses the whole save.
    virtual void awakeFromInsert() {}
    virtual bool validateForInsert(StoreError *error) { return validateValues(error); }
    virtual bool validateForUpdate(StoreError *error) { return validateValues(error); }
    bool validateValues(StoreError *error) const;

    QString description() const;

private:
    friend class ManagedObjectContext;
    friend class PersistentStore;

    enum class State { Inserted, Saved, Deleted, Forgotten };

    struct Slot
    {
        // to-one: the target, or its key until first read
        ManagedObject *target = nullptr;
        qint64 targetKey = 0;
        bool resolved = true;
        // to-many
        QList<ManagedObject *> members;
        bool loaded = true;
        bool changed = false;
    };

    int attributeIndexOrWarn(const QString &key) const;
    int relationshipIndexOrWarn(const QString &key, bool toMany) const;
    Slot &loadedSlot(int index);
    qint64 toOneKey(int index) const;
    void markChanged();
    void announce(const QString &key, ChangeNotice::Kind kind, bool prior,
                  const QList<ManagedObject *> &members = {});
    void changeToOne(int index, ManagedObject *target);
    void changeMembers(int index, ManagedObject *target, ChangeNotice::Kind kind);
    int inverseIndex(int index, const ManagedObject &target) const;

    const EntityDescription *m_entity = nullptr;
    ManagedObjectContext *m_context = nullptr;
    ObjectID m_id;
    State m_state = State::Inserted;
    bool m_updated = false;
    std::vector<QVariant> m_values;
    std::vector<Slot> m_slots;
};

Q_DECLARE_METATYPE(ManagedObject *)
