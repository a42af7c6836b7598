#pragma once

#include "platform/addressbook/recordclass.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

class Record;

// A condition on records of one class, or an And/Or of such conditions. Values compare as the
// record holds them: strings by Unicode code points, dates and numbers by value.
class SearchElement
{
public:
    enum class Comparison {
        Equal,
        NotEqual, // the record has a value and it differs; with no value given, any value
        LessThan,
        LessThanOrEqual,
        GreaterThan,
        GreaterThanOrEqual,
        EqualCaseInsensitive,
        ContainsSubString,
        ContainsSubStringCaseInsensitive,
        PrefixMatch,
        PrefixMatchCaseInsensitive,
        BitsInBitFieldMatch, // (record value & value) == value; no record value counts as 0
    };
    enum class Conjunction { And, Or };

    // A condition on one property. On a multi-value, any entry may match; a label limits the
    // entries to those with that label, a key compares that key of dictionary entries.
    static SearchElement forProperty(RecordClass recordClass, const QString &property,
                                     const QString &label, const QString &key,
                                     const QVariant &value, Comparison comparison);
    static SearchElement conjunction(Conjunction conjunction, const QList<SearchElement> &children);

    RecordClass recordClass() const;
    bool matchesRecord(const Record &record) const;

    // A condition that every match must meet: a property's text equal to a value (case ignored
    // or not), with no label or key. A book can then look matches up instead of testing every
    // record. Found in a single condition or among the direct children of an And.
    struct EqualityTerm
    {
        QString property;
        QString value;
        bool caseInsensitive = false;
    };
    std::optional<EqualityTerm> equalityTerm() const;

    // The stored form of a smart group's criteria; nullopt when the text is not one.
    QByteArray toJson() const;
    static std::optional<SearchElement> fromJson(const QByteArray &json);

private:
    struct Node;
    explicit SearchElement(std::shared_ptr<const Node> node)
        : m_node(std::move(node))
    {}

    std::shared_ptr<const Node> m_node;
};
