#pragma once

#include "google/engine/selectortarget.h"

#include <QString>

// The keeper of the program's store. Every operation is optional: the defaults do nothing.
class GoogleContactToolMocDelegate : public SelectorTarget
{
public:
    // A phone number as the user's formats write it; unchanged unless offered.
    virtual bool offersFormatAsPhoneNumber() const;
    virtual QString formatAsPhoneNumber(const QString &phoneNumber);
    // Reload pending work; sent before the data delegate's.
    virtual void loadPending();
    // A fallback receiver of the redraw, asked after the UI and data delegates.
    virtual bool offersRefreshView() const;
    virtual void refreshView();
};
