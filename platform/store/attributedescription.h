#pragma once

#include <QString>
#include <QVariantMap>

enum class AttributeType { String, Integer, Double, Decimal, Boolean, Date, Binary };

// One attribute of an entity. Transient attributes are kept in memory only and get no column;
// a unique attribute is a unique column, so a second row with the same value fails to save.
struct AttributeDescription
{
    AttributeDescription(QString name, AttributeType type, bool optional = true,
                         bool transient = false, bool unique = false, QVariantMap userInfo = {})
        : name(std::move(name))
        , type(type)
        , optional(optional)
        , transient(transient)
        , unique(unique)
        , userInfo(std::move(userInfo))
    {}

    QString name;
    AttributeType type = AttributeType::String;
    bool optional = true;
    bool transient = false;
    bool unique = false;
    QVariantMap userInfo;
};
