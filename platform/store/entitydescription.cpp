#include "platform/store/entitydescription.h"

#include "platform/store/managedobject.h"

EntityDescription::EntityDescription(QString name, Factory factory)
    : m_name(std::move(name))
    , m_factory(std::move(factory))
{}

void EntityDescription::addAttribute(AttributeDescription attribute)
{
    m_attributeIndex.insert(attribute.name, int(m_attributes.size()));
    m_attributes.append(std::move(attribute));
}

void EntityDescription::addRelationship(RelationshipDescription relationship)
{
    m_relationshipIndex.insert(relationship.name, int(m_relationships.size()));
    m_relationships.append(std::move(relationship));
}

const AttributeDescription *EntityDescription::attribute(const QString &name) const
{
    const int index = attributeIndex(name);
    return index < 0 ? nullptr : &m_attributes[index];
}

const RelationshipDescription *EntityDescription::relationship(const QString &name) const
{
    const int index = relationshipIndex(name);
    return index < 0 ? nullptr : &m_relationships[index];
}

std::unique_ptr<ManagedObject> EntityDescription::makeObject() const
{
    if (m_factory)
        return m_factory();
    return std::make_unique<ManagedObject>();
}
