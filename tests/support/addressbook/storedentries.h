#pragma once

#include "platform/addressbook/recordclass.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <ostream>

// One entry of a person's multi-value as a test states it: label, value and whether it is the
// primary entry (identifiers are left out, since they are made anew for each entry).
struct StoredEntry
{
    QString label;
    QVariant value;
    bool primary = false;

    friend bool operator==(const StoredEntry &, const StoredEntry &) = default;
};

void PrintTo(const StoredEntry &entry, std::ostream *out);

QList<StoredEntry> storedEntries(const PersonPtr &person, const QString &property);
