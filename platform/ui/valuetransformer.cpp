#include "platform/ui/valuetransformer.h"

#include <QHash>

namespace {

QHash<QString, std::shared_ptr<const ValueTransformer>> &registry()
{
    static QHash<QString, std::shared_ptr<const ValueTransformer>> transformers;
    return transformers;
}

} // namespace

ValueTransformer::~ValueTransformer() = default;

void ValueTransformer::setValueTransformer(std::shared_ptr<const ValueTransformer> transformer,
                                           const QString &name)
{
    if (transformer)
        registry().insert(name, std::move(transformer));
    else
        registry().remove(name);
}

std::shared_ptr<const ValueTransformer>
ValueTransformer::valueTransformerForName(const QString &name)
{
    return registry().value(name);
}
