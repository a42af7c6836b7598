#pragma once

#include <QString>

// The file in which the service hands selected text to the agent: three fields joined by
// "##$$##" (the text, the front document's data, the identifier of the program it came from).
namespace handoverfile {

inline const QString kSeparator = QStringLiteral("##$$##");
// A hand-over file is small text: anything larger is not one.
inline constexpr qint64 kMaxSize = 1024 * 1024;

struct Fields
{
    QString text;
    QString documentData;
    QString sourceBID;
};

// The fields of a file's text. The text may hold the separator itself, so a file of three or
// more fields is read from its end: the last field is the identifier, the one before it the
// document data, and the rest, joined again, the text.
Fields parse(const QString &content);
QString format(const Fields &fields);

// Whether the path names a hand-over file the agent may read and remove: a regular file, not a
// link, directly in the tmp folder, of at most kMaxSize bytes. Says why not.
bool isAcceptable(const QString &path, const QString &tmpFolder, QString *why);

// A program identifier the agent may act on: letters, digits, ".", "-" and "_", not starting
// with ".".
bool isPlainIdentifier(const QString &identifier);

} // namespace handoverfile
