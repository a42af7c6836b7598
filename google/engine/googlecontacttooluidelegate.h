#pragma once

#include "google/browser/browserlist.h"
#include "google/engine/selectortarget.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataerror.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>
#include <vector>

class GoogleContactTool;
class QWidget;

// The window that shows the engine's progress and results. The pure operations are sent without
// asking and every UI delegate implements them; the others are optional and do nothing unless
// the window overrides them. Steps named by the engine's callers (UI selectors, post selectors)
// are registered through SelectorTarget. The window also follows the building of the browser's
// rows.
class GoogleContactToolUIDelegate : public SelectorTarget, public BrowserRowsProgress
{
public:
    // Progress sheet: opened with a message and a maximum, its message replaced, closed.
    virtual void openUserInfoWithMessage(const QString &message, int progressMax) = 0;
    void updateUserInfoWithMessage(const QString &message) override = 0;
    virtual void closeUserInfo() = 0;

    virtual void setStatusMessage(const QString &message) = 0;
    virtual void setProgressMessage(const QString &message) = 0;
    void setProgressMaxValue(double value) override = 0;
    void setProgressCurValue(double value) override = 0;

    // Redraw from the engine's lists.
    virtual void refreshView() = 0;
    // Ask for the account and password again.
    virtual void openLoginPanel(GoogleContactTool *tool) = 0;
    // The data mask preference changed.
    virtual void setGoogleDataMask() = 0;
    virtual void showWindow() = 0;
    virtual QWidget *window() = 0;

    // Optional.
    // A request failed (error set) or a process ended; the window resets itself.
    virtual void cleanupGUIforProcess(const QString &process, const QString &subtitle,
                                      const std::optional<GDataError> &error);
    virtual void setLastAction(const QString &action);
    // The browser's rows changed: one browser dictionary per contact.
    virtual void setContactArray(const QList<QVariantMap> &browserRows);
    // Whether the window shows the browser's rows. Building them is the slowest step after a
    // fetch, so for a window that does not they wait until one that does becomes the delegate.
    virtual bool showsContactBrowserRows() const;
    // Google answered an edit: the browser row of the contact with that identifier was made anew
    // in place, and every other row stays as it was.
    virtual void contactBrowserRowReplaced(const QString &gID);
    virtual void setGroupArray(const std::vector<GDataEntryContactGroupPtr> &groups);
    virtual void determineGoogleGroupCounts();
    // The first window of a launch.
    virtual void openBrowserView(GoogleContactTool *tool);
    virtual void openDataMover(GoogleContactTool *tool);
    // The engine is about to change the address book in bulk (a restore writing its links), and
    // has done so: a listening agent would push those changes to Google again.
    virtual void beginBulkAddressBookChange();
    virtual void endBulkAddressBookChange();
};
