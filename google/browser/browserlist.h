// The contact browser's rows: one browser dictionary per contact shown.
#pragma once

#include "google/engine/googlecontactlists.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// What the engine's UI delegate is told while the rows are built; each step does nothing unless
// overridden.
class BrowserRowsProgress
{
public:
    virtual ~BrowserRowsProgress() = default;
    virtual void setProgressCurValue(double) {}
    virtual void setProgressMaxValue(double) {}
    virtual void updateUserInfoWithMessage(const QString &) {}
};

namespace browserlist {

// Replaces the lists' rows with the browser dictionaries of the contacts, in their order. A
// contact's kept row is taken as it is; the others are built, reported as progress, and kept.
// Before building, the preference useGenderBasedImages is set: on when useTypeIcons is on and some
// contact of the lists is a man or a woman.
void setContactBrowserArray(GoogleContactLists &lists, const QList<GDataEntryContactPtr> &contacts,
                            BrowserRowsProgress &progress);

// The one row whose "gID" is the identifier; nothing when none or several (logged), or for a null
// identifier.
std::optional<QVariantMap> contactBrowserEntryForID(const GoogleContactLists &lists,
                                                    const QString &identifier);

} // namespace browserlist
