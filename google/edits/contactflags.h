#pragma once

#include <QMap>
#include <QString>

// The flags the browser writes into contacts' program property: element name to value, written
// in key order.
namespace contactflags {

using Flags = QMap<QString, QString>;

inline const Flags male = {{QStringLiteral("gender"), QStringLiteral("M")}};
inline const Flags female = {{QStringLiteral("gender"), QStringLiteral("F")}};
inline const Flags person = {{QStringLiteral("isCo"), QStringLiteral("0")}};
inline const Flags company = {{QStringLiteral("isCo"), QStringLiteral("1")}};
// Neither company nor gender.
inline const Flags neither = {{QStringLiteral("gender"), QStringLiteral("")},
                              {QStringLiteral("isCo"), QStringLiteral("0")}};

} // namespace contactflags
