#include "app/startup/initialdefaults.h"

#include "foundation/log.h"
#include "foundation/propertylist.h"

// The resource is part of this static library, which Qt registers only when asked.
static void registerInitialDefaultsResource()
{
    Q_INIT_RESOURCE(initialdefaults);
}

namespace initialdefaults {
namespace {
const QString kNotRead = QStringLiteral("ERROR -- the factory defaults were not read: %1");
}

QVariantMap values()
{
    registerInitialDefaultsResource();
    QString error;
    const std::optional<QVariant> value = propertylist::readFile(kResourcePath, &error);
    if (!value || value->typeId() != QMetaType::QVariantMap) {
        tlog::write(kNotRead.arg(value ? QStringLiteral("not a dictionary") : error));
        return {};
    }
    return value->toMap();
}

} // namespace initialdefaults
