#include "foundation/propertylist.h"
namespace propertylist {
std::optional<QVariant> read(const QByteArray &, QString *) { return std::nullopt; }
std::optional<QVariant> readFile(const QString &, QString *) { return std::nullopt; }
std::optional<QByteArray> xmlData(const QVariant &, QString *) { return std::nullopt; }
bool writeFile(const QString &, const QVariant &, QString *) { return false; }
}
