// The bytes of a photo as Google takes them: JPEG or PNG only, so a picture of any other format
// goes up converted to JPEG, with a log line.
#pragma once

#include <QByteArray>

#include <optional>

namespace peoplephotobytes {

// Nothing when the bytes are no picture Qt can read.
std::optional<QByteArray> uploadable(const QByteArray &data);

} // namespace peoplephotobytes
