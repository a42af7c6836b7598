#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The lexical layer of the reference data files: lines of tab-separated fields.
namespace tabbedtext {

// The text split into lines at CR LF, CR or LF (whichever the file was written with), each line
// split at tabs; empty lines are left out. Fields are taken as they stand.
QList<QStringList> rows(const QString &text);

// The field at the column; "" for a line that ends before it.
QString field(const QStringList &row, int column);

// The leading decimal integer of the text (blanks, a sign, then digits); 0 when there is none.
qint64 leadingInteger(const QString &text);

} // namespace tabbedtext
