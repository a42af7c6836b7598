#include "app/startup/initialdefaults.h"
namespace initialdefaults {
QVariantMap values()
{
    return {};
}
} // namespace initialdefaults
