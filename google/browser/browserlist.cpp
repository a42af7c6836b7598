#include "google/browser/browserlist.h"

#include "google/browser/browserdictionary.h"
#include "google/browser/pseudogroups.h"
#include "google/engine/googlekeys.h"
#include "google/engine/listkeys.h"
#include "google/lookups/lookuplog.h"
#include "google/lookups/lookuptexts.h"
#include "platform/defaults/userdefaults.h"

namespace browserlist {

void setContactBrowserArray(GoogleContactLists &lists, const QList<GDataEntryContactPtr> &contacts,
                            BrowserRowsProgress &progress)
{
    lists.setBrowserRows({});
    UserDefaults &defaults = UserDefaults::standard();
    const bool genderImages =
        defaults.boolForKey(listkeys::useTypeIcons) &&
        (!pseudogroups::maleArray(lists).isEmpty() || !pseudogroups::femaleArray(lists).isEmpty());
    defaults.setBool(genderImages, googlekeys::useGenderBasedImages);
    QList<QVariantMap> rows;
    if (!contacts.isEmpty()) {
        progress.setProgressCurValue(0.0);
        progress.setProgressMaxValue(double(contacts.size()));
        progress.updateUserInfoWithMessage(lookuptexts::processingGoogleData);
        rows.reserve(contacts.size());
        double done = 0.0;
        for (const GDataEntryContactPtr &contact : contacts) {
            progress.setProgressCurValue(done += 1.0);
            rows.append(tolvane::tolvaneBrowserDictionary(*contact));
        }
    }
    lists.setBrowserRows(std::move(rows));
}

std::optional<QVariantMap> contactBrowserEntryForID(const GoogleContactLists &lists,
                                                    const QString &identifier)
{
    if (identifier.isNull() || lists.browserRows().isEmpty())
        return std::nullopt;
    const QList<int> positions = lists.browserRowPositions(identifier);
    if (positions.size() > 1)
        lookuplog::nonUnique(QStringLiteral("contactBrowserEntryForID:"),
                             lookuptexts::nonUniqueBrowserEntry, identifier);
    if (positions.size() != 1)
        return std::nullopt;
    return lists.browserRows()[positions.front()];
}

} // namespace browserlist
