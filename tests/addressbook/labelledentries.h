#pragma once

#include "platform/addressbook/recordclass.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <ostream>

// One entry of a person's multi-value as a test states it: label, value and whether it is the
// primary entry (identifiers are left out, since they are made anew for each entry).
struct LabelledEntry
{
    QString label;
    QVariant value;
    bool primary = false;

    friend bool operator==(const LabelledEntry &, const LabelledEntry &) = default;
};

void PrintTo(const LabelledEntry &entry, std::ostream *out);

QList<LabelledEntry> labelledEntries(const PersonPtr &person, const QString &property);
