#pragma once

#include <QString>
#include <QStringList>

// Country names completed as the user types them.
namespace countrycompletion {

// The names that begin with the typed text, ignoring case and diacritics ("fra" and "FRÁ" both
// give "France"), in their order.
QStringList completions(const QStringList &names, const QString &typed);

} // namespace countrycompletion
