// The Person fields a read may ask for and a write may change, and the field masks that name them
// (personFields, readMask, updatePersonFields, updateMask).
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace personfields {

// Every readable field; photos and metadata among them.
const QStringList &readable();
// The fields an update may name: photos and metadata change only through their own calls.
const QStringList &updatable();

struct Mask
{
    QStringList fields;
    QString error; // set when the mask is missing or names a field it may not
};

// A comma-separated mask ("names,emailAddresses", "person.names" as well), each field checked
// against the allowed ones; an empty mask is refused with the name of its parameter.
Mask parse(const QString &text, const QStringList &allowed, const QString &parameter);

} // namespace personfields
