#pragma once

#include "addressbook/vcards/vcardexportoptions.h"

#include <QByteArray>
#include <QString>

// What an export adds to the address book's vCard text when the text lacks it.
struct VCardExportAdditions
{
    QString note;         // added as NOTE when the text has none and notes are not excluded
    QByteArray imageData; // added as PHOTO when the text has none and photos are not excluded
};

// The one filter of exported vCards, for Address Book people and for the mirror person of a
// Google contact alike. It works on the address book's vCard 3.0 text property by property
// (unfolded, names matched at the start of a line), removes what the options exclude, adds the
// photo and the note before the X-ABUID line, and writes every line with CR LF. A grouped item
// (itemN.EMAIL, itemN.ADR, ...) goes together with its X-ABLabel and X-ABADR lines, whether or not
// it is the primary one. Text that is not a card is returned with its lines ended by CR LF.
namespace vcard {

QString filterExport(const QString &text, const VCardExportOptions &options,
                     const VCardExportAdditions &additions);

} // namespace vcard
