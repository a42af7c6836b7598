#pragma once

#include "google/batch/batchaction.h"
#include "google/engine/selectortarget.h"
#include "platform/gdata/entries/gdataentrybase.h"

#include <QList>
#include <QVariantMap>

#include <vector>

// The object that holds the data behind the engine's work (a window, or the automatic push).
// Every operation is optional: the defaults do nothing.
class GoogleContactToolDataDelegate : public SelectorTarget
{
public:
    // The contact actions still to send (batch action dictionaries).
    virtual BatchActionQueue batchActionContactArray();
    // Reload pending work after a refreshed contact fetch.
    virtual void loadPending();
    virtual void refreshContactData();
    virtual void refreshGroupData();
    // The completion chain of an upload has ended.
    virtual void listenForNotifications();
    // One batch send of the completion chain was answered: every entry Google answered (its
    // batch identifier and status), and whether a ticket failed, which ends the chain there.
    virtual void batchSendAnswered(bool groups, const std::vector<GDataEntryPtr> &results,
                                   bool ticketFailed);

    // A fallback receiver of the redraw after a group fetch; asked in order with the other
    // delegates, so whether it is offered matters.
    virtual bool offersRefreshView() const;
    virtual void refreshView();
};
