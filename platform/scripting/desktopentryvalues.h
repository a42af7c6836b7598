#pragma once

#include <QString>
#include <QStringList>

// The lexical rules of desktop entry files, written once: the escapes of a string value and the
// quoting of a command line in an "Exec" value. A reader that skips either layer misreads a path
// holding a space, a quote, "$", "%" or a backslash.
namespace desktopentryvalues {

// A string value as it is written after "Key=": backslash, newline, tab and carriage return
// escaped, a leading space written "\s".
QString escapeString(const QString &value);
QString unescapeString(const QString &written);

// An "Exec" value (already string-escaped) for a program and its arguments: an argument holding a
// reserved character is put in double quotes, with '"', '`', '$' and '\' escaped inside them, and
// every '%' is written "%%", so nothing reads as a field code.
QString execValue(const QStringList &command);

// The command of an "Exec" value as written in the file: the string escapes undone, the words
// split and unquoted, "%%" read as '%' and field codes (%f, %U ...) left out. Empty for a value
// that does not parse (an open quote).
QStringList execCommand(const QString &written);

} // namespace desktopentryvalues
