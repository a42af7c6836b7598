#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <optional>

class ManagedObject;

// A fetch predicate: comparisons that must all hold. A comparison tests an attribute or a to-one
// relationship against a constant or a substitution variable ("$name"), filled in when a fetch
// template is used. An empty predicate matches every object.
class Predicate
{
public:
    enum class Operator {
        Equal,
        EqualIgnoringCase, // texts compared without regard to case
        In,                // the value is one of a list
    };

    struct Comparison
    {
        QString key;
        Operator op = Operator::Equal;
        QVariant value;
        QString variable; // when set, the value comes from this substitution variable
    };

    Predicate() = default;

    // "key op value" and "key op $variable".
    static Predicate compare(const QString &key, Operator op, const QVariant &value);
    static Predicate compareVariable(const QString &key, Operator op, const QString &variable);

    // Both predicates must hold.
    Predicate operator&&(const Predicate &other) const;

    bool isEmpty() const { return m_comparisons.isEmpty(); }
    const QList<Comparison> &comparisons() const { return m_comparisons; }

    // The predicate with every variable replaced by its value; nullopt (and the variable's name in
    // missing) when a variable has no value.
    std::optional<Predicate> substituted(const QVariantMap &variables, QString *missing) const;

    bool matches(ManagedObject &object) const;

private:
    QList<Comparison> m_comparisons;
};
