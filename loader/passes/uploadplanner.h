#pragma once

#include "google/batch/batchaction.h"
#include "google/engine/googlecontactlists.h"

#include <QString>
#include <QStringList>

#include <functional>

// The comparison of a full update from the address book to Google: which groups and contacts to
// add, update and delete. It reads the engine's lists, which must be the whole account, and the
// address book; it stamps the identifiers it finds into the records and sends nothing.
namespace uploadplanner {

struct Options
{
    bool groups = false;
    bool smartGroups = false;
    bool people = false;
    bool companies = false;
    bool neverMoveMeCard = false;
    bool neverRemoveGroups = false;
    bool neverRemoveContacts = false;
    bool removeAllOtherGroups = false;
    bool removeAllOtherContacts = false;
    bool recurseGroups = false;
    bool noGroup = false;
    static Options fromPreferences();
};

// The ticked rows of the address book group table: their groups' identifiers and names.
struct TickedGroup
{
    QString abid;
    QString name;
};

struct Plan
{
    BatchActionQueue groupActions;
    BatchActionQueue contactActions;
};

using Progress = std::function<void(const QString &message)>;

// Google made identical to the address book. Every record and group is matched, those the
// options leave out of the pass too: their Google entries are neither changed nor deleted.
Plan planSimple(const GoogleContactLists &lists, const Options &options, const Progress &progress);

// The selected records: the members of the ticked groups (and the records in no group), people
// and companies as the options say, each once, by last name, then organisation.
QList<PersonPtr> advancedSelection(const QList<TickedGroup> &ticked, const Options &options);

// Only the selected records and the ticked groups are compared. Unmatched Google entries are
// deleted only when the options ask for it and the selection holds anything; system groups never.
Plan planAdvanced(const GoogleContactLists &lists, const Options &options,
                  const QList<TickedGroup> &ticked, const QList<PersonPtr> &selection,
                  const Progress &progress);

} // namespace uploadplanner
