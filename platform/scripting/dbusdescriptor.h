#pragma once

#include "platform/scripting/appleeventdescriptor.h"

#include <QVariant>

// The descriptor of a value that came over D-Bus: strings as 'utxt', booleans 'bool', 16-, 32- and
// 64-bit integers 'shor', 'long' (unsigned 32-bit: 'magn') and 'comp' (unsigned 64-bit beyond
// its range: 'ucom'), doubles 'doub', arrays
// 'list', string-keyed maps a record of user fields, object paths and signatures as text, bytes
// as raw data.
AppleEventDescriptor descriptorFromDBus(const QVariant &value);
