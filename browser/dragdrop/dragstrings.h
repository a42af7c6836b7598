// The text a drag of browser rows gives other programs: the e-mail list, tab-separated rows or a
// text card, chosen by the modifier keys at the start of the drag.
#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

namespace dragstrings {

// Each row's work address, else its home address, joined by ", "; rows with neither add nothing.
QString emailList(const QList<QVariantMap> &rows);
// One line of 25 tab-separated columns per row, joined by "\n", the header line first when asked.
QString tabSeparatedRows(const QList<QVariantMap> &rows, bool withHeader);
// The card of one contact, each line ended by "\n", only the lines whose values are not empty.
QString textCard(const QVariantMap &row);
// The service name of an instant-messaging type number; "" for -1 and unknown numbers.
QString imServiceName(const QVariant &type);

// The text of a contact drag: Option gives the rows (with Shift the header too); Shift alone on
// one row its text card; otherwise the e-mail list.
QString contactDragString(const QList<QVariantMap> &rows, bool option, bool shift);

} // namespace dragstrings
