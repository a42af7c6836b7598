#pragma once

#include <QSet>
#include <QString>
#include <QVariantMap>

#include <utility>

// The address element that the browser's writer adds to the program's extended property.
namespace tolvane {

// From a short-key address dictionary ("r", "r2", "c", "s", "p", "t"): the element "addr-%i"
// (a number not in keysInUse) holding the flattened address with the label "work", marked
// primary, the street lines joined by a carriage return
// (escaped as the upload writer escapes it), no country code and the letters and
// digits of the display text. A missing value is written as "".
std::pair<QString, QString> addressExPropForBrowserDictionary(const QVariantMap &shortKeyAddress,
                                                              const QSet<QString> &keysInUse = {});

} // namespace tolvane
