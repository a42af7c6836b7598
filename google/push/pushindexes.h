#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The rows of the push object's address book index: one per group, then one per person.
struct ABIndexRow
{
    QString name; // the group's name; a person's first and last name
    QString abid;
    QDateTime abModDate; // the modification date, else the creation date
    // The link properties' texts, "" when missing.
    QString asOfDate;
    QString gid;
    QString dataMask;
    QString gVersion;
    bool isGroup = false;
    bool isPerson = false;
    // The identifiers of a group's parents, of all a person's groups up the tree.
    QStringList parentGroups;
};

// One smart group as the push object lists it.
struct SmartGroupRow
{
    bool doGroupSync = false;
    QString groupName;
    int groupCount = 0;
    QString groupABID;
    bool groupIsSmart = true;
    QString groupGoogleID; // "" without a link
};
