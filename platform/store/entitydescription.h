#pragma once

#include "platform/store/attributedescription.h"
#include "platform/store/relationshipdescription.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class ManagedObject;

// An entity of the model: its attributes and relationships in the order they were added, and the
// class its objects are made of (a plain ManagedObject when no factory is given).
class EntityDescription
{
public:
    using Factory = std::function<std::unique_ptr<ManagedObject>()>;

    explicit EntityDescription(QString name, Factory factory = {});

    const QString &name() const { return m_name; }

    void addAttribute(AttributeDescription attribute);
    void addRelationship(RelationshipDescription relationship);

    const QList<AttributeDescription> &attributes() const { return m_attributes; }
    const QList<RelationshipDescription> &relationships() const { return m_relationships; }

    // -1 (or nullptr) for a name the entity lacks.
    int attributeIndex(const QString &name) const { return m_attributeIndex.value(name, -1); }
    int relationshipIndex(const QString &name) const { return m_relationshipIndex.value(name, -1); }
    const AttributeDescription *attribute(const QString &name) const;
    const RelationshipDescription *relationship(const QString &name) const;

    std::unique_ptr<ManagedObject> makeObject() const;

private:
    QString m_name;
    Factory m_factory;
    QList<AttributeDescription> m_attributes;
    QList<RelationshipDescription> m_relationships;
    QHash<QString, int> m_attributeIndex;
    QHash<QString, int> m_relationshipIndex;
};
