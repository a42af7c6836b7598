#pragma once

#include "platform/addressbook/properties/multivalue.h"
#include "platform/addressbook/properties/propertytype.h"
#include "platform/addressbook/properties/propertyvalues.h"
#include "platform/addressbook/recordclass.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class AddressBook;

// A record of the address book: a person (or company) or a group. Every change is in memory
// until the book's save(). A record that was made but not added to a book stands alone: it has
// its own unique identifier and properties but no groups.
class Record : public std::enable_shared_from_this<Record>
{
public:
    virtual ~Record();
    Record(const Record &) = delete;
    Record &operator=(const Record &) = delete;

    // "<UUID>:ABPerson", "<UUID>:ABGroup" or "<UUID>:ABSmartGroup"
    QString uniqueId() const { return m_uniqueId; }
    virtual RecordClass recordClass() const = 0;
    // "ABPerson", "ABGroup" or "ABSmartGroup": the kind the unique identifier ends with.
    virtual QString recordType() const = 0;

    // An invalid QVariant when the record has no value. Multi-valued properties hold a MultiValue;
    // dates of birth and other dates a QDate; creation and modification dates a UTC QDateTime.
    QVariant valueForProperty(const QString &property) const;
    MultiValue multiValueForProperty(const QString &property) const;
    // Fails for read-only and unknown properties and for a value of the wrong type.
    bool setValueForProperty(const QVariant &value, const QString &property);
    bool removeValueForProperty(const QString &property);
    // The same writes for values that only tie the record to a copy kept elsewhere (the
    // identifier and stamps of a linked entry): saved and announced like any change, but they
    // leave the modification date alone, since the record's own data did not change and a sync
    // that compares that date with its copy's must not see its own write as an edit.
    bool setLinkValueForProperty(const QVariant &value, const QString &property);
    bool removeLinkValueForProperty(const QString &property);

    // The properties of the record's class (built-in and custom), as the record's book (or the
    // shared book, for a record outside any book) knows them.
    virtual QStringList classProperties() const;

    // The groups that hold this record directly; empty for a record outside a book.
    QList<GroupPtr> parentGroups() const;

    // The book the record was added to, or null.
    AddressBook *addressBook() const { return m_book; }

protected:
    explicit Record(QString uniqueId);
    static QString newUniqueId(const QString &recordType);
    // The property changed (empty when the change is not to a property value); touch: the change
    // moves the modification date.
    void markChanged(const QString &property, bool touch = true);

private:
    PropertyType typeInClass(const QString &property) const;
    bool setValue(const QVariant &value, const QString &property, bool touch);
    bool removeValue(const QString &property, bool touch);

    // The values, read from the stored form kept at open the first time anything looks at them.
    PropertyValues &values();
    const PropertyValues &values() const;

    friend class AddressBook;
    friend class RecordCodec;

    QString m_uniqueId;
    mutable PropertyValues m_values;
    // A person's stored form as the book read it, until its values are first looked at: a book is
    // read whole at every start, and most programs look at few of its people. Null once read.
    mutable QByteArray m_storedValues;
    AddressBook *m_book = nullptr;
    // Where the record stands in its book's order.
    quint64 m_place = 0;
};
