#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QDateTime>
#include <QString>

#include <functional>

// Folding one Google contact into a master: what the contact has and the master lacks (groups,
// e-mail addresses, phone numbers, postal addresses, IM addresses, organisations) is added to the
// master, compared by exact text. Nothing of the master is ever removed or changed, except that
// its notes may grow.
namespace contactmerge {

struct Settings
{
    bool includeMergeGroups = false;
    // With it, a dated note records what came from where; without it, only the contact's own
    // notes that the master does not hold already are added to the master's notes.
    bool includeMergeInfo = false;
    // The title of a group by its identifier, for the note.
    std::function<QString(const QString &)> groupTitle = {};
    QDateTime now = QDateTime::currentDateTime();
};

void merge(const GDataEntryContact &contact, GDataEntryContact &master, const Settings &settings);

} // namespace contactmerge
