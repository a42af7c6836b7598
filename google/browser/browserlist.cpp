#include "google/browser/browserlist.h"

#include "google/browser/browserdictionary.h"
#include "google/browser/browsersearchtext.h"
#include "google/browser/pseudogroups.h"
#include "google/engine/googlekeys.h"
#include "google/engine/listkeys.h"
#include "google/lookups/lookuplog.h"
#include "google/lookups/lookuptexts.h"
#include "platform/defaults/preferencereadscope.h"
#include "platform/defaults/userdefaults.h"

#include <algorithm>

namespace browserlist {

void setContactBrowserArray(GoogleContactLists &lists, const QList<GDataEntryContactPtr> &contacts,
                            BrowserRowsProgress &progress)
{
    lists.setBrowserRows({}, {});
    const qsizetype toBuild = std::count_if(
        contacts.begin(), contacts.end(), [&](const auto &c) { return !lists.keptBrowserRow(*c); });
    if (toBuild > 0) {
        UserDefaults &defaults = UserDefaults::standard();
        const bool genderImages = defaults.boolForKey(listkeys::useTypeIcons) &&
                                  (!pseudogroups::maleArray(lists).isEmpty() ||
                                   !pseudogroups::femaleArray(lists).isEmpty());
        defaults.setBool(genderImages, googlekeys::useGenderBasedImages);
        progress.setProgressCurValue(0.0);
        progress.setProgressMaxValue(double(toBuild));
        progress.updateUserInfoWithMessage(lookuptexts::processingGoogleData);
    }
    QList<QVariantMap> rows;
    QStringList searchTexts;
    rows.reserve(contacts.size());
    searchTexts.reserve(contacts.size());
    double done = 0.0;
    // Every row built reads the same options.
    const PreferenceReadScope samePreferences;
    for (const GDataEntryContactPtr &contact : contacts) {
        const GoogleContactLists::KeptBrowserRow *kept = lists.keptBrowserRow(*contact);
        if (!kept) {
            progress.setProgressCurValue(done += 1.0);
            QVariantMap row = tolvane::tolvaneBrowserDictionary(*contact);
            QString searchText = browsersearch::searchText(row);
            lists.keepBrowserRow(contact, {std::move(row), std::move(searchText)});
            kept = lists.keptBrowserRow(*contact);
        }
        rows.append(kept->row);
        searchTexts.append(kept->searchText);
    }
    lists.setBrowserRows(std::move(rows), std::move(searchTexts));
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
