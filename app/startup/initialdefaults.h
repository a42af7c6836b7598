#pragma once
#include <QVariantMap>
namespace initialdefaults {
QVariantMap values();
}
