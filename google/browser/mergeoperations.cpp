// The engine's merge and bulk update of single entries, read from the preferences.
#include "google/browser/bulkupdate.h"
#include "google/browser/bulkupdatekeys.h"
#include "google/browser/contactmerge.h"
#include "google/engine/googlecontacttool.h"
#include "google/lookups/grouplookups.h"
#include "platform/defaults/userdefaults.h"

void GoogleContactTool::merge(const GDataEntryContact &contact, GDataEntryContact &master)
{
    UserDefaults &ud = UserDefaults::standard();
    contactmerge::Settings settings;
    settings.includeMergeGroups = ud.boolForKey(bulkupdatekeys::includeMergeGroups);
    settings.includeMergeInfo = ud.boolForKey(bulkupdatekeys::includeMergeInfo);
    settings.groupTitle = [this](const QString &identifier) {
        const GDataEntryContactGroupPtr group = grouplookups::groupForID(m_lists, identifier);
        return group ? group->title().value_or(QString()) : QString();
    };
    contactmerge::merge(contact, master, settings);
}

bool GoogleContactTool::bulkUpdateContact(GDataEntryContact &contact)
{
    return bulkupdate::bulkUpdateContact(contact, bulkupdate::settingsFromPreferences());
}
