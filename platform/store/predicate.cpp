#include "platform/store/predicate.h"

#include "platform/store/entitydescription.h"
#include "platform/store/managedobject.h"

namespace {

bool equalValues(AttributeType type, const QVariant &left, const QVariant &right, bool ignoreCase)
{
    if (left.isNull() || right.isNull())
        return left.isNull() && right.isNull();
    switch (type) {
    case AttributeType::Integer:
    case AttributeType::Boolean:
        return left.toLongLong() == right.toLongLong();
    case AttributeType::Double:
        return left.toDouble() == right.toDouble();
    case AttributeType::Date:
        return left.toDateTime() == right.toDateTime();
    case AttributeType::Binary:
        return left.toByteArray() == right.toByteArray();
    case AttributeType::String:
    case AttributeType::Decimal:
        break;
    }
    return QString::compare(left.toString(), right.toString(),
                            ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
}

QVariantList asList(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QStringList) {
        QVariantList list;
        for (const QString &text : value.toStringList())
            list.append(text);
        return list;
    }
    return value.toList();
}

bool attributeMatches(const AttributeDescription &attribute, const QVariant &actual,
                      const Predicate::Comparison &comparison)
{
    switch (comparison.op) {
    case Predicate::Operator::Equal:
        return equalValues(attribute.type, actual, comparison.value, false);
    case Predicate::Operator::EqualIgnoringCase:
        return equalValues(attribute.type, actual, comparison.value, true);
    case Predicate::Operator::In:
        for (const QVariant &candidate : asList(comparison.value)) {
            if (equalValues(attribute.type, actual, candidate, false))
                return true;
        }
        return false;
    }
    return false;
}

bool relationshipMatches(ManagedObject *actual, const Predicate::Comparison &comparison)
{
    const auto targetOf = [](const QVariant &value) {
        return value.isNull() ? nullptr : value.value<ManagedObject *>();
    };
    if (comparison.op != Predicate::Operator::In)
        return actual == targetOf(comparison.value);
    for (const QVariant &candidate : asList(comparison.value)) {
        if (actual == targetOf(candidate))
            return true;
    }
    return false;
}

} // namespace

Predicate Predicate::compare(const QString &key, Operator op, const QVariant &value)
{
    Predicate predicate;
    predicate.m_comparisons.append({key, op, value, {}});
    return predicate;
}

Predicate Predicate::compareVariable(const QString &key, Operator op, const QString &variable)
{
    Predicate predicate;
    predicate.m_comparisons.append({key, op, {}, variable});
    return predicate;
}

Predicate Predicate::operator&&(const Predicate &other) const
{
    Predicate both = *this;
    both.m_comparisons.append(other.m_comparisons);
    return both;
}

std::optional<Predicate> Predicate::substituted(const QVariantMap &variables,
                                                QString *missing) const
{
    Predicate result = *this;
    for (Comparison &comparison : result.m_comparisons) {
        if (comparison.variable.isEmpty())
            continue;
        const auto found = variables.constFind(comparison.variable);
        if (found == variables.constEnd()) {
            if (missing)
                *missing = comparison.variable;
            return std::nullopt;
        }
        comparison.value = *found;
        comparison.variable.clear();
    }
    return result;
}

bool Predicate::matches(ManagedObject &object) const
{
    const EntityDescription &entity = object.entity();
    for (const Comparison &comparison : m_comparisons) {
        if (const AttributeDescription *attribute = entity.attribute(comparison.key)) {
            if (!attributeMatches(*attribute, object.value(comparison.key), comparison))
                return false;
        } else if (const RelationshipDescription *relationship =
                       entity.relationship(comparison.key);
                   relationship && !relationship->toMany) {
            if (!relationshipMatches(object.toOne(comparison.key), comparison))
                return false;
        } else {
            return false;
        }
    }
    return true;
}
