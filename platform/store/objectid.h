#pragma once

#include <QString>

// The store identifier of an object. A saved object has the key of its row; an object inserted
// since the last save has a temporary number instead, and gets its key when it is saved.
struct ObjectID
{
    QString entityName;
    QString storeIdentifier;
    qint64 key = 0;
    quint64 temporaryNumber = 0;

    bool isTemporary() const { return key == 0; }
    bool isValid() const { return !entityName.isEmpty() && (key != 0 || temporaryNumber != 0); }

    // "x-tolvane-store://<store>/<Entity>/p<key>", or ".../t<number>" while temporary.
    QString uriRepresentation() const;

    friend bool operator==(const ObjectID &, const ObjectID &) = default;
};
