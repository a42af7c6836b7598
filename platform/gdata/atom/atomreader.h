// Atom XML to feed and entry objects. Namespace prefixes are mapped through the xmlns declarations
// in scope; elements not modelled are kept with their XML. Any input is safe: malformed text gives
// an error, never a crash.
#pragma once

#include "platform/gdata/entries/gdatafeed.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace atomreader {

struct ParseError
{
    QString message;
};

// The feed's entries are contacts or groups by their kind category; without one, by defaultKind.
std::optional<GDataFeedPtr> parseFeed(const QByteArray &xml, GDataEntryBase::Kind defaultKind,
                                      ParseError *error = nullptr);
std::optional<GDataEntryPtr> parseEntry(const QByteArray &xml, GDataEntryBase::Kind defaultKind,
                                        ParseError *error = nullptr);

} // namespace atomreader
