#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Base64 with the standard alphabet (RFC 4648), padded, without line breaks.
namespace zeltor {

QString encodeBase64(const QByteArray &data);

// White space and "=" are skipped wherever they stand. Any other character outside the alphabet,
// or a single symbol left over at the end, gives no data; an empty text gives empty data.
std::optional<QByteArray> decodeBase64(const QString &text);

} // namespace zeltor
