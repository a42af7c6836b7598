// The identifier index: one row per Google group and then per contact, which the data loader
// compares with the Address Book side.
#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

struct GoogleIDRow
{
    QString name;
    QString gid;
    QDateTime gModDate;
    // Texts of the entry's own program property; "" when missing.
    QString gAsOfDate;
    bool isGroup = false;
    bool isPerson = false;
    QString abid;
    // The name of the contact's one data mask element; "" for groups and unless exactly one.
    QString dataMask;
    // A group's aVer, a contact's data mask text, read as a text date; none when missing or
    // unreadable.
    std::optional<QDateTime> abVersion;
};

struct IdentifierIndex
{
    std::vector<GoogleIDRow> rows;
    // Contacts whose title is missing or empty.
    int emailOnlyCount = 0;
};

// Rows for the groups in list order, then for the contacts in list order. The program property
// names are read from the preferences once.
IdentifierIndex buildIdentifierIndex(const std::vector<GDataEntryContactGroupPtr> &groups,
                                     const std::vector<GDataEntryContactPtr> &contacts);
