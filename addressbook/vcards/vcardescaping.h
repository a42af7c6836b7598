#pragma once

#include <QString>
#include <QStringList>

// Text values and line length of vCard 3.0 (RFC 2426): what the export writes must read back as
// the same value in any reader, and no value may turn into a property of its own.
namespace vcard {

// Backslash, line breaks (CR LF, LF or CR, each as "\n"), commas and semicolons escaped.
QString escapeText(const QString &text);

// "\n" and "\N" become a line feed; "\\", "\,", "\;" and "\:" their character; any other
// backslash stays as written.
QString unescapeText(const QString &text);

// The physical lines of one content line, each at most 75 octets of UTF-8, every line after the
// first beginning with one space. A character is never cut in two.
QStringList foldLine(const QString &line);

} // namespace vcard
