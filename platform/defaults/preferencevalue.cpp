#include "platform/defaults/preferencevalue.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace preferencevalue {
namespace {

const QString kDateKey = QStringLiteral("@date");
const QString kDataKey = QStringLiteral("@data");

QJsonValue toJson(const QVariant &value);
QVariant fromJson(const QJsonValue &value);

QJsonValue dateToJson(const QDateTime &date)
{
    const QDateTime fixed = date.toOffsetFromUtc(date.offsetFromUtc());
    return QJsonObject{{kDateKey, fixed.toString(Qt::ISODateWithMs)}};
}

QJsonValue toJson(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
        return value.toLongLong();
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    case QMetaType::QDateTime:
        return dateToJson(value.toDateTime());
    case QMetaType::QByteArray:
        return QJsonObject{{kDataKey, QString::fromLatin1(value.toByteArray().toBase64())}};
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        QJsonArray array;
        for (const QVariant &item : value.toList())
            array.append(toJson(item));
        return array;
    }
    case QMetaType::QVariantMap: {
        QJsonObject object;
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            object.insert(it.key(), toJson(it.value()));
        return object;
    }
    default:
        return value.toString();
    }
}

QVariant fromJson(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return value.toBool();
    case QJsonValue::Double: {
        const QVariant number = value.toVariant();
        if (number.typeId() == QMetaType::LongLong) {
            const qlonglong whole = number.toLongLong();
            if (whole >= INT_MIN && whole <= INT_MAX)
                return int(whole);
            return whole;
        }
        return value.toDouble();
    }
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Array: {
        QVariantList list;
        for (const QJsonValue &item : value.toArray())
            list.append(fromJson(item));
        return list;
    }
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        if (object.size() == 1 && object.contains(kDateKey))
            return QDateTime::fromString(object.value(kDateKey).toString(), Qt::ISODateWithMs);
        if (object.size() == 1 && object.contains(kDataKey))
            return QByteArray::fromBase64(object.value(kDataKey).toString().toLatin1());
        QVariantMap map;
        for (auto it = object.begin(); it != object.end(); ++it)
            map.insert(it.key(), fromJson(it.value()));
        return map;
    }
    default:
        return {};
    }
}

} // namespace

QString encode(const QVariant &value)
{
    // Wrapped in an array so that scalars are valid JSON documents too.
    const QJsonDocument document(QJsonArray{toJson(value)});
    return QString::fromUtf8(document.toJson(QJsonDocument::Compact));
}

QVariant decode(const QString &text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray() ||
        document.array().size() != 1)
        return {};
    return fromJson(document.array().at(0));
}

} // namespace preferencevalue
