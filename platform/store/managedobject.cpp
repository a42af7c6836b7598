#include "platform/store/managedobject.h"

#include "platform/store/entitydescription.h"
#include "platform/store/managedobjectcontext.h"

#include <QDebug>

namespace {

bool hasType(AttributeType type, const QVariant &value)
{
    const int id = value.metaType().id();
    switch (type) {
    case AttributeType::String:
        return id == QMetaType::QString;
    case AttributeType::Decimal: {
        bool ok = false;
        value.toString().toDouble(&ok);
        return id == QMetaType::QString && ok;
    }
    case AttributeType::Integer:
        return id == QMetaType::Int || id == QMetaType::LongLong || id == QMetaType::UInt ||
               id == QMetaType::ULongLong || id == QMetaType::Long || id == QMetaType::Short;
    case AttributeType::Double:
        return id == QMetaType::Double || id == QMetaType::Float || id == QMetaType::Int ||
               id == QMetaType::LongLong;
    case AttributeType::Boolean:
        return id == QMetaType::Bool;
    case AttributeType::Date:
        return id == QMetaType::QDateTime;
    case AttributeType::Binary:
        return id == QMetaType::QByteArray;
    }
    return false;
}

} // namespace

ManagedObject::~ManagedObject() = default;

int ManagedObject::attributeIndexOrWarn(const QString &key) const
{
    const int index = m_entity->attributeIndex(key);
    if (index < 0)
        qWarning() << m_entity->name() << "has no attribute" << key;
    return index;
}

QVariant ManagedObject::value(const QString &key) const
{
    const int index = attributeIndexOrWarn(key);
    return index < 0 ? QVariant() : m_values[size_t(index)];
}

void ManagedObject::setValue(const QString &key, const QVariant &value)
{
    if (attributeIndexOrWarn(key) < 0)
        return;
    willChangeValueForKey(key);
    setPrimitiveValue(key, value);
    didChangeValueForKey(key);
}

void ManagedObject::setPrimitiveValue(const QString &key, const QVariant &value)
{
    const int index = attributeIndexOrWarn(key);
    if (index < 0)
        return;
    m_values[size_t(index)] = value;
    markChanged();
}

void ManagedObject::willChangeValueForKey(const QString &key)
{
    announce(key, ChangeNotice::Kind::Setting, true);
}

void ManagedObject::didChangeValueForKey(const QString &key)
{
    announce(key, ChangeNotice::Kind::Setting, false);
}

void ManagedObject::announce(const QString &key, ChangeNotice::Kind kind, bool prior,
                             const QList<ManagedObject *> &members)
{
    if (m_context)
        m_context->notify({this, key, kind, prior, members});
}

bool ManagedObject::validateValues(StoreError *error) const
{
    const QList<AttributeDescription> &attributes = m_entity->attributes();
    for (qsizetype i = 0; i < attributes.size(); ++i) {
        const AttributeDescription &attribute = attributes[i];
        const QVariant &value = m_values[size_t(i)];
        const QVariantMap info{{QStringLiteral("entity"), m_entity->name()},
                               {QStringLiteral("key"), attribute.name}};
        if (value.isNull()) {
            if (attribute.optional || attribute.transient)
                continue;
            setStoreError(error,
                          StoreError::make(StoreError::MissingMandatoryValue,
                                           attribute.name + QStringLiteral(" is a required value."),
                                           info));
            return false;
        }
        if (!hasType(attribute.type, value)) {
            setStoreError(error, StoreError::make(
                                     StoreError::InvalidValueType,
                                     attribute.name + QStringLiteral(" has a wrong type."), info));
            return false;
        }
    }
    return true;
}

QString ManagedObject::description() const
{
    QStringList parts;
    const QList<AttributeDescription> &attributes = m_entity->attributes();
    for (qsizetype i = 0; i < attributes.size(); ++i) {
        const QVariant &value = m_values[size_t(i)];
        if (!value.isNull())
            parts.append(attributes[i].name + QStringLiteral(" = ") + value.toString());
    }
    return u'<' + m_entity->name() + u' ' + m_id.uriRepresentation() + QStringLiteral("> { ") +
           parts.join(QStringLiteral("; ")) + QStringLiteral(" }");
}

int ManagedObject::relationshipIndexOrWarn(const QString &key, bool toMany) const
{
    const int index = m_entity->relationshipIndex(key);
    if (index < 0 || m_entity->relationships()[index].toMany != toMany) {
        qWarning() << m_entity->name() << "has no" << (toMany ? "to-many" : "to-one")
                   << "relationship" << key;
        return -1;
    }
    return index;
}

ManagedObject::Slot &ManagedObject::loadedSlot(int index)
{
    Slot &slot = m_slots[size_t(index)];
    const bool toMany = m_entity->relationships()[index].toMany;
    if (toMany && !slot.loaded) {
        slot.members = m_context->loadMembers(*this, index);
        slot.loaded = true;
    } else if (!toMany && !slot.resolved) {
        slot.target = m_context->objectForKey(m_entity->relationships()[index].destinationEntity,
                                              slot.targetKey);
        slot.resolved = true;
    }
    return slot;
}

qint64 ManagedObject::toOneKey(int index) const
{
    const Slot &slot = m_slots[size_t(index)];
    if (!slot.resolved)
        return slot.targetKey;
    return slot.target ? slot.target->m_id.key : 0;
}

void ManagedObject::markChanged()
{
    if (m_context)
        m_context->objectDidChange(*this);
}

int ManagedObject::inverseIndex(int index, const ManagedObject &target) const
{
    return target.m_entity->relationshipIndex(m_entity->relationships()[index].inverseName);
}

void ManagedObject::changeToOne(int index, ManagedObject *target)
{
    const QString &key = m_entity->relationships()[index].name;
    announce(key, ChangeNotice::Kind::Setting, true);
    Slot &slot = m_slots[size_t(index)];
    slot.target = target;
    slot.targetKey = 0;
    slot.resolved = true;
    markChanged();
    announce(key, ChangeNotice::Kind::Setting, false);
}

void ManagedObject::changeMembers(int index, ManagedObject *target, ChangeNotice::Kind kind)
{
    Slot &slot = loadedSlot(index);
    const bool adding = kind == ChangeNotice::Kind::Union;
    if (slot.members.contains(target) == adding)
        return;
    const QString &key = m_entity->relationships()[index].name;
    announce(key, kind, true, {target});
    if (adding)
        slot.members.append(target);
    else
        slot.members.removeAll(target);
    slot.changed = true;
    markChanged();
    announce(key, kind, false, {target});
}

ManagedObject *ManagedObject::toOne(const QString &key)
{
    const int index = relationshipIndexOrWarn(key, false);
    return index < 0 ? nullptr : loadedSlot(index).target;
}

QList<ManagedObject *> ManagedObject::toMany(const QString &key)
{
    const int index = relationshipIndexOrWarn(key, true);
    return index < 0 ? QList<ManagedObject *>{} : loadedSlot(index).members;
}

namespace {

bool fitsRelationship(const RelationshipDescription &relationship, const ManagedObject *target)
{
    if (!target || target->entity().name() == relationship.destinationEntity)
        return true;
    qWarning() << relationship.name << "takes" << relationship.destinationEntity << "objects, not"
               << target->entity().name();
    return false;
}

} // namespace

void ManagedObject::setToOne(const QString &key, ManagedObject *target)
{
    const int index = relationshipIndexOrWarn(key, false);
    if (index < 0 || !fitsRelationship(m_entity->relationships()[index], target))
        return;
    ManagedObject *old = loadedSlot(index).target;
    if (old == target)
        return;
    changeToOne(index, target);
    if (old) {
        const int inverse = inverseIndex(index, *old);
        if (old->m_entity->relationships()[inverse].toMany)
            old->changeMembers(inverse, this, ChangeNotice::Kind::Minus);
        else
            old->changeToOne(inverse, nullptr);
    }
    if (target) {
        const int inverse = inverseIndex(index, *target);
        if (target->m_entity->relationships()[inverse].toMany) {
            target->changeMembers(inverse, this, ChangeNotice::Kind::Union);
        } else {
            ManagedObject *previous = target->loadedSlot(inverse).target;
            if (previous && previous != this)
                previous->changeToOne(index, nullptr);
            target->changeToOne(inverse, this);
        }
    }
}

void ManagedObject::addToMany(const QString &key, ManagedObject *target)
{
    const int index = relationshipIndexOrWarn(key, true);
    if (index < 0 || !target || !fitsRelationship(m_entity->relationships()[index], target))
        return;
    if (loadedSlot(index).members.contains(target))
        return;
    changeMembers(index, target, ChangeNotice::Kind::Union);
    const int inverse = inverseIndex(index, *target);
    if (target->m_entity->relationships()[inverse].toMany) {
        target->changeMembers(inverse, this, ChangeNotice::Kind::Union);
        return;
    }
    ManagedObject *previous = target->loadedSlot(inverse).target;
    if (previous && previous != this)
        previous->changeMembers(index, target, ChangeNotice::Kind::Minus);
    target->changeToOne(inverse, this);
}

void ManagedObject::removeFromMany(const QString &key, ManagedObject *target)
{
    const int index = relationshipIndexOrWarn(key, true);
    if (index < 0 || !target || !loadedSlot(index).members.contains(target))
        return;
    changeMembers(index, target, ChangeNotice::Kind::Minus);
    const int inverse = inverseIndex(index, *target);
    if (target->m_entity->relationships()[inverse].toMany)
        target->changeMembers(inverse, this, ChangeNotice::Kind::Minus);
    else if (target->loadedSlot(inverse).target == this)
        target->changeToOne(inverse, nullptr);
}
