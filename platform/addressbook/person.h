#pragma once

#include "platform/addressbook/properties/propertytype.h"
#include "platform/addressbook/record.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// A person or a company (kABPersonFlags & kABShowAsMask tells which).
class Person : public Record
{
public:
    // A new person outside any book, with a new unique identifier.
    static PersonPtr create();

    // A new person outside any book from one vCard of version 2.1, 3.0 or 4.0, with a new unique
    // identifier (the card's own identifier is never reused). Null when the data holds no
    // readable card; *errorMessage then says why. A value that cannot be decoded is left out and
    // named in *skipped; the person still has every other value.
    static PersonPtr fromVCardRepresentation(const QByteArray &data,
                                             QString *errorMessage = nullptr,
                                             QStringList *skipped = nullptr);

    RecordClass recordClass() const override { return RecordClass::Person; }
    QString recordType() const override;

    // The person as a UTF-8 vCard 3.0.
    QByteArray vCardRepresentation() const;

    // The picture bytes as stored (any format QImage reads); empty when there is none.
    QByteArray imageData() const;
    // Empty data removes the picture. In memory until the book's save().
    bool setImageData(const QByteArray &data);
    bool hasImage() const;

    // The person class of the shared address book: built-in and custom properties.
    static QStringList properties();
    static int addPropertiesAndTypes(const QHash<QString, PropertyType> &propertiesAndTypes);
    static PropertyType typeOfProperty(const QString &property);

protected:
    // Protected for the book, which makes the persons it reads in one allocation each.
    explicit Person(QString uniqueId);

private:
    friend class AddressBook;

    // The picture as changed in memory and not yet saved; nullopt when unchanged.
    std::optional<QByteArray> m_pendingImage;
};
