#include "platform/scripting/dbusdescriptor.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>

#include <limits>

namespace {

AppleEventDescriptor listOf(const QVariantList &values)
{
    AppleEventDescriptor list = AppleEventDescriptor::listDescriptor();
    for (const QVariant &value : values)
        list.insertDescriptor(descriptorFromDBus(value), list.numberOfItems() + 1);
    return list;
}

// A record of user fields keeps them as one list of keys and values, one after the other.
AppleEventDescriptor recordOf(const QVariantMap &values)
{
    AppleEventDescriptor fields = AppleEventDescriptor::listDescriptor();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        fields.insertDescriptor(AppleEventDescriptor::descriptorWithString(it.key()),
                                fields.numberOfItems() + 1);
        fields.insertDescriptor(descriptorFromDBus(it.value()), fields.numberOfItems() + 1);
    }
    AppleEventDescriptor record = AppleEventDescriptor::recordDescriptor();
    record.setDescriptorForKeyword(fields, fourCharCode("usrf"));
    return record;
}

AppleEventDescriptor fromArgument(const QDBusArgument &argument)
{
    switch (argument.currentType()) {
    case QDBusArgument::ArrayType: {
        QVariantList values;
        argument.beginArray();
        while (!argument.atEnd())
            values.append(argument.asVariant());
        argument.endArray();
        return listOf(values);
    }
    case QDBusArgument::MapType: {
        QVariantMap values;
        argument.beginMap();
        while (!argument.atEnd()) {
            argument.beginMapEntry();
            const QVariant key = argument.asVariant();
            values.insert(key.toString(), argument.asVariant());
            argument.endMapEntry();
        }
        argument.endMap();
        return recordOf(values);
    }
    case QDBusArgument::StructureType: {
        QVariantList values;
        argument.beginStructure();
        while (!argument.atEnd())
            values.append(argument.asVariant());
        argument.endStructure();
        return listOf(values);
    }
    default:
        return descriptorFromDBus(argument.asVariant());
    }
}

} // namespace

AppleEventDescriptor descriptorFromDBus(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return AppleEventDescriptor::descriptorWithBoolean(value.toBool());
    case QMetaType::QString:
        return AppleEventDescriptor::descriptorWithString(value.toString());
    case QMetaType::Short:
        return {fourCharCode("shor"), bytesOf(std::int16_t(value.toInt()))};
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::Int:
        return AppleEventDescriptor::descriptorWithInt32(value.toInt());
    case QMetaType::UInt:
        return {fourCharCode("magn"), bytesOf(std::uint32_t(value.toUInt()))};
    case QMetaType::LongLong:
        return {fourCharCode("comp"), bytesOf(std::int64_t(value.toLongLong()))};
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<std::int64_t>::max()))
            return {fourCharCode("ucom"), bytesOf(std::uint64_t(value.toULongLong()))};
        return {fourCharCode("comp"), bytesOf(std::int64_t(value.toLongLong()))};
    case QMetaType::Double:
        return {fourCharCode("doub"), bytesOf(value.toDouble())};
    case QMetaType::QByteArray:
        return {fourCharCode("data"), value.toByteArray()};
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
        return listOf(value.toList());
    case QMetaType::QVariantMap:
        return recordOf(value.toMap());
    default:
        break;
    }
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return descriptorFromDBus(value.value<QDBusVariant>().variant());
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return AppleEventDescriptor::descriptorWithString(value.value<QDBusObjectPath>().path());
    if (value.metaType() == QMetaType::fromType<QDBusSignature>())
        return AppleEventDescriptor::descriptorWithString(
            value.value<QDBusSignature>().signature());
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return fromArgument(value.value<QDBusArgument>());
    return {};
}
