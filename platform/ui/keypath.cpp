#include "platform/ui/keypath.h"

namespace keypath {

QVariant value(const QVariantMap &map, const QString &path)
{
    const qsizetype dot = path.indexOf(u'.');
    if (dot < 0)
        return map.value(path);
    const QVariant inner = map.value(path.left(dot));
    if (inner.typeId() != QMetaType::QVariantMap)
        return {};
    return value(inner.toMap(), path.mid(dot + 1));
}

void setValue(QVariantMap &map, const QString &path, const QVariant &value)
{
    const qsizetype dot = path.indexOf(u'.');
    if (dot < 0) {
        map.insert(path, value);
        return;
    }
    const QString head = path.left(dot);
    QVariantMap inner = map.value(head).toMap();
    setValue(inner, path.mid(dot + 1), value);
    map.insert(head, inner);
}

} // namespace keypath
