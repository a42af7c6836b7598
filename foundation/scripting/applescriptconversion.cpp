#include "foundation/scripting/applescriptconversion.h"

#include "foundation/log.h"

#include <QTimeZone>

#include <limits>

namespace AppleScriptTool {
namespace {

const QString kClass = QStringLiteral("AppleScriptTool");

template <typename T> QVariant numberFrom(const AppleEventDescriptor &descriptor)
{
    T value{};
    return readValue(descriptor.data(), &value) ? QVariant::fromValue(value) : QVariant();
}

// Seconds since the start of 1904 in local time, as the long date-time counts them.
QDateTime dateFromLongDateTime(const AppleEventDescriptor &descriptor)
{
    std::int64_t seconds = 0;
    if (!readValue(descriptor.data(), &seconds))
        return {};
    const QDateTime epoch(QDate(1904, 1, 1), QTime(0, 0), QTimeZone::systemTimeZone());
    const QDateTime date = epoch.addSecs(seconds);
    return date.isValid() ? date : QDateTime();
}

QVariant doubleFromLongDouble(const AppleEventDescriptor &descriptor)
{
    long double value = 0;
    return readValue(descriptor.data(), &value) ? QVariant(double(value)) : QVariant();
}

void logMismatch(const QString &op, const QString &label, const AppleEventDescriptor &descriptor)
{
    tlog::labelled(kClass, op, label, descriptor.description());
}

} // namespace

QVariant objectFromAppleEventDescriptor(const AppleEventDescriptor &descriptor)
{
    const FourCharCode type = descriptor.descriptorType();
    if (type == 0)
        return {};
    if (AppleEventDescriptor::isTextType(type))
        return descriptor.stringValue();
    switch (type) {
    case fourCharCode("list"):
        return arrayFromAppleEventDescriptor(descriptor);
    case fourCharCode("reco"): {
        const std::optional<QVariantMap> fields = dictionaryFromAppleEventDescriptor(descriptor);
        return fields ? QVariant(*fields) : QVariant();
    }
    case fourCharCode("bool"):
        return descriptor.booleanValue();
    case fourCharCode("true"):
        return true;
    case fourCharCode("fals"):
        return false;
    case fourCharCode("type"):
    case fourCharCode("enum"):
        return numberFrom<std::uint32_t>(descriptor);
    case fourCharCode("null"):
        return QVariant::fromValue(nullptr);
    case fourCharCode("shor"):
        return numberFrom<std::int16_t>(descriptor);
    case fourCharCode("long"):
        return descriptor.int32Value();
    case fourCharCode("magn"):
        return numberFrom<std::uint32_t>(descriptor);
    case fourCharCode("comp"):
        return numberFrom<qint64>(descriptor);
    case fourCharCode("sing"): {
        const QVariant single = numberFrom<float>(descriptor);
        return single.isValid() ? QVariant(single.toDouble()) : QVariant();
    }
    case fourCharCode("doub"):
        return numberFrom<double>(descriptor);
    case fourCharCode("ldbl"):
        return doubleFromLongDouble(descriptor);
    case fourCharCode("ldt "): {
        const QDateTime date = dateFromLongDateTime(descriptor);
        return date.isValid() ? QVariant(date) : QVariant();
    }
    default:
        return descriptor.data();
    }
}

QVariantList arrayFromAppleEventDescriptor(const AppleEventDescriptor &descriptor)
{
    QVariantList items;
    for (int index = 1; index <= descriptor.numberOfItems(); ++index) {
        const QVariant item = objectFromAppleEventDescriptor(descriptor.descriptorAtIndex(index));
        if (item.isValid())
            items.append(item);
    }
    return items;
}

std::optional<QVariantMap>
dictionaryFromAppleEventDescriptor(const AppleEventDescriptor &descriptor)
{
    if (descriptor.numberOfItems() == 0)
        return std::nullopt;
    // The record's user fields: one list of keys and values, one after the other.
    const AppleEventDescriptor fields = descriptor.descriptorAtIndex(1);
    QVariantMap dictionary;
    for (int index = 1; index <= fields.numberOfItems(); index += 2) {
        const QString key = fields.descriptorAtIndex(index).stringValue();
        const QVariant value = objectFromAppleEventDescriptor(fields.descriptorAtIndex(index + 1));
        if (!key.isNull() && value.isValid())
            dictionary.insert(key, value);
    }
    return dictionary;
}

QString stringFromAppleEventDescriptor(const AppleEventDescriptor &descriptor)
{
    if (AppleEventDescriptor::isTextType(descriptor.descriptorType()))
        return descriptor.stringValue();
    logMismatch(QStringLiteral("stringFromAppleEventDescriptor:"),
                QStringLiteral("ERROR: String data NOT recevied from AppleScript"), descriptor);
    return QStringLiteral("");
}

bool booleanFromAppleEventDescriptor(const AppleEventDescriptor &descriptor)
{
    switch (descriptor.descriptorType()) {
    case fourCharCode("fals"):
        return false;
    case fourCharCode("true"):
        return true;
    case fourCharCode("bool"):
        return descriptor.booleanValue();
    default:
        logMismatch(QStringLiteral("booleanFromAppleEventDescriptor:"),
                    QStringLiteral("ERROR: Boolean data recevied from AppleScript"), descriptor);
        return false;
    }
}

std::int32_t integerFromAppleEventDescriptor(const AppleEventDescriptor &descriptor)
{
    const QString op = QStringLiteral("integerFromAppleEventDescriptor:");
    std::int64_t value = 0;
    switch (descriptor.descriptorType()) {
    case fourCharCode("long"):
        return descriptor.int32Value();
    case fourCharCode("shor"):
        return numberFrom<std::int16_t>(descriptor).toInt();
    case fourCharCode("magn"):
        value = numberFrom<std::uint32_t>(descriptor).toLongLong();
        break;
    case fourCharCode("comp"):
        value = numberFrom<qint64>(descriptor).toLongLong();
        break;
    default:
        logMismatch(op, QStringLiteral("ERROR: Integer data NOT recevied from AppleScript"),
                    descriptor);
        return -1;
    }
    // A value that does not fit would come back as a different number.
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        logMismatch(op, QStringLiteral("ERROR: Integer data out of range from AppleScript"),
                    descriptor);
        return -1;
    }
    return std::int32_t(value);
}

QDateTime dateFromAppleEventDescriptor(const AppleEventDescriptor &descriptor)
{
    if (descriptor.descriptorType() == fourCharCode("ldt "))
        return dateFromLongDateTime(descriptor);
    logMismatch(QStringLiteral("dateFromAppleEventDescriptor:"),
                QStringLiteral("ERROR: A Date value was NOT recevied from AppleScript"),
                descriptor);
    return {};
}

} // namespace AppleScriptTool
