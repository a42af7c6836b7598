#pragma once

#include "foundation/parsers/addressparser.h"
#include "platform/gdata/entries/gdatacontactelements.h"

#include <QMap>
#include <QString>

#include <optional>

// A Google postal address (one free text) split into the parts the Address Book, the browser and
// the review window show.
namespace tolvane {

// street1, street2, city, state, postal and country; nothing for a text without any line.
std::optional<zeltor::GoogleAddress> tolvaneAddress(const GDataPostalAddress &address);

// "gLine1" to "gLine5": the first five lines of the text, "" where it has fewer.
QMap<QString, QString> tolvaneRawAddress(const GDataPostalAddress &address);

// The localized home or work label by rel or label, else the label, else the localized other
// label for an "other" rel, else "address".
QString tolvaneLabel(const GDataPostalAddress &address);

} // namespace tolvane
