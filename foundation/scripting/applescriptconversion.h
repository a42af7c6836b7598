#pragma once

#include "platform/scripting/appleeventdescriptor.h"

#include <QDateTime>
#include <QVariant>

#include <cstdint>
#include <optional>

// Scripts and commands answer with typed descriptors; these turn one into an ordinary value, or
// into a value of one wanted type with a neutral value and a log line when the type does not
// match.
namespace AppleScriptTool {

// Text, numbers, booleans, lists, records, dates, the null object (a QVariant holding nullptr) or
// the raw bytes of any other type; an invalid QVariant for no descriptor at all.
QVariant objectFromAppleEventDescriptor(const AppleEventDescriptor &descriptor);
QString stringFromAppleEventDescriptor(const AppleEventDescriptor &descriptor);
bool booleanFromAppleEventDescriptor(const AppleEventDescriptor &descriptor);
// -1 for a descriptor that is not an integer or whose integer does not fit in 32 bits.
std::int32_t integerFromAppleEventDescriptor(const AppleEventDescriptor &descriptor);
QDateTime dateFromAppleEventDescriptor(const AppleEventDescriptor &descriptor);
QVariantList arrayFromAppleEventDescriptor(const AppleEventDescriptor &descriptor);
// None for a record without fields.
std::optional<QVariantMap>
dictionaryFromAppleEventDescriptor(const AppleEventDescriptor &descriptor);

} // namespace AppleScriptTool
