#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QImage>
#include <QString>

// The rows of the review window that the engine writes back to Google: one contact's postal
// address or name as Google holds it ("g"), the values under review, which the user corrects
// ("a"), and those values as they were loaded ("o"). Only rows marked changed are handed over.

// One postal address of a contact.
struct AddressReviewRow
{
    QString gID;
    QString thisLabel;
    QString gTitle;
    QString gAddrText;
    QString gLine1;
    QString gLine2;
    QString gLine3;
    QString gLine4;
    QString gLine5;
    QString aLine1;
    QString aLine2;
    QString aStreet;
    QString aCity;
    QString aState;
    QString aPostal;
    QString aCountry;
    QString oLine1;
    QString oLine2;
    QString oCity;
    QString oState;
    QString oPostal;
    QString oCountry;
    // The label as loaded: a new label is a change of the row too.
    QString oLabel;
    // The user changed the row.
    bool delta = false;

    // The values under review become the values as loaded.
    void keepReviewedAsLoaded()
    {
        oLabel = thisLabel;
        oLine1 = aLine1;
        oLine2 = aLine2;
        oCity = aCity;
        oState = aState;
        oPostal = aPostal;
        oCountry = aCountry;
    }
};

// The name parts of a contact.
struct NameReviewRow
{
    QString gID;
    QString gTitle;
    bool isCompany = false;
    QString aCo;
    QString aFirst;
    QString aMiddle;
    QString aNick;
    QString aLast;
    bool oisCompany = false;
    QString oCo;
    QString oFirst;
    QString oMiddle;
    QString oNick;
    QString oLast;
    QImage gImage;
    QImage oImage;
    // The contact carries the program's extended property.
    bool gHasExP = false;
    bool hasImage = false;
    GDataEntryContactPtr thisContact;
    // The portrait was changed.
    bool gDelta = false;
    // The row was changed.
    bool delta = false;

    // The values under review become the values as loaded.
    void keepReviewedAsLoaded()
    {
        oFirst = aFirst;
        oMiddle = aMiddle;
        oLast = aLast;
        oNick = aNick;
        oCo = aCo;
        oisCompany = isCompany;
    }
};
