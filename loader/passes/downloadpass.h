#pragma once

#include <QList>
#include <QString>

#include <functional>

class GoogleContactTool;

// A full update from Google into the address book, on the engine's lists, which must be the whole
// account. Records and groups paired with Google entries that the options leave out are not
// unmatched: only records and groups that no Google entry of the account stands for are removed.
namespace downloadpass {

struct Options
{
    bool groups = false;
    bool contacts = false;
    bool includeSystemGroups = false;
    bool noGroup = false;
    bool removeOtherGroups = false;
    bool removeOtherContacts = false;
    bool neverRemoveManualGroups = false;
    bool neverRemoveSmartGroups = false;
    bool noEmailAddrOnly = false;
    bool neverMeCard = false;
    bool pictures = false;
    QString dataMask;
    static Options fromPreferences();
};

// The ticked rows of the Google group table as the user confirmed them.
struct TickedGoogleGroup
{
    QString googleID;
    QString name;
};

struct Progress
{
    std::function<void(const QString &message, int maximum)> open;
    std::function<void(const QString &message)> advance;
};

// The address book identical to Google; saved once at the end of the contact pass.
void runSimple(GoogleContactTool &tool, const Options &options, const Progress &progress);

// Only the contacts of the ticked Google groups (and with the option those in no group).
// Removals need their option and a selection that holds anything.
void runAdvanced(GoogleContactTool &tool, const Options &options,
                   const QList<TickedGoogleGroup> &ticked, const Progress &progress);

} // namespace downloadpass
