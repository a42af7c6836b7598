#include "platform/addressbook/searchelement.h"

#include "platform/addressbook/properties/multivalue.h"
#include "platform/addressbook/record.h"

#include <QDate>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using Comparison = SearchElement::Comparison;

struct SearchElement::Node
{
    RecordClass recordClass = RecordClass::Person;
    bool isConjunction = false;
    Conjunction conjunction = Conjunction::And;
    QList<SearchElement> children;
    QString property;
    QString label;
    QString key;
    QVariant value;
    Comparison comparison = Comparison::Equal;
};

namespace {

const struct
{
    Comparison comparison;
    const char *name;
} kComparisonNames[] = {
    {Comparison::Equal, "Equal"},
    {Comparison::NotEqual, "NotEqual"},
    {Comparison::LessThan, "LessThan"},
    {Comparison::LessThanOrEqual, "LessThanOrEqual"},
    {Comparison::GreaterThan, "GreaterThan"},
    {Comparison::GreaterThanOrEqual, "GreaterThanOrEqual"},
    {Comparison::EqualCaseInsensitive, "EqualCaseInsensitive"},
    {Comparison::ContainsSubString, "ContainsSubString"},
    {Comparison::ContainsSubStringCaseInsensitive, "ContainsSubStringCaseInsensitive"},
    {Comparison::PrefixMatch, "PrefixMatch"},
    {Comparison::PrefixMatchCaseInsensitive, "PrefixMatchCaseInsensitive"},
    {Comparison::BitsInBitFieldMatch, "BitsInBitFieldMatch"},
};

bool isString(const QVariant &value)
{
    return value.metaType().id() == QMetaType::QString;
}

bool isDateLike(const QVariant &value)
{
    const int id = value.metaType().id();
    return id == QMetaType::QDate || id == QMetaType::QDateTime;
}

// Strings order by Unicode code points, so text beyond the basic plane sorts after all of it.
int compareCodePoints(const QString &lhs, const QString &rhs)
{
    const QList<uint> left = lhs.toUcs4();
    const QList<uint> right = rhs.toUcs4();
    if (left == right)
        return 0;
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end()) ? -1
                                                                                              : 1;
}

// A date without a time compares by day; a date-time compared with one counts as its local day.
std::optional<int> compareDates(const QVariant &lhs, const QVariant &rhs)
{
    if (lhs.metaType().id() == QMetaType::QDateTime &&
        rhs.metaType().id() == QMetaType::QDateTime) {
        const qint64 a = lhs.toDateTime().toMSecsSinceEpoch();
        const qint64 b = rhs.toDateTime().toMSecsSinceEpoch();
        return a < b ? -1 : (a > b ? 1 : 0);
    }
    const QDate a = lhs.metaType().id() == QMetaType::QDate ? lhs.toDate()
                                                            : lhs.toDateTime().toLocalTime().date();
    const QDate b = rhs.metaType().id() == QMetaType::QDate ? rhs.toDate()
                                                            : rhs.toDateTime().toLocalTime().date();
    return a < b ? -1 : (a > b ? 1 : 0);
}

std::optional<int> orderOf(const QVariant &recordValue, const QVariant &wanted)
{
    if (isString(recordValue) && isString(wanted))
        return compareCodePoints(recordValue.toString(), wanted.toString());
    if (isDateLike(recordValue) && isDateLike(wanted))
        return compareDates(recordValue, wanted);
    bool recordIsNumber = false;
    bool wantedIsNumber = false;
    const double a = recordValue.toDouble(&recordIsNumber);
    const double b = wanted.toDouble(&wantedIsNumber);
    if (isString(recordValue) || isString(wanted) || !recordIsNumber || !wantedIsNumber)
        return std::nullopt;
    return a < b ? -1 : (a > b ? 1 : 0);
}

bool matchesText(const QVariant &recordValue, const QVariant &wanted, Comparison comparison)
{
    if (!isString(recordValue))
        return false;
    const QString text = recordValue.toString();
    const QString pattern = wanted.toString();
    switch (comparison) {
    case Comparison::EqualCaseInsensitive:
        return text.compare(pattern, Qt::CaseInsensitive) == 0;
    case Comparison::ContainsSubString:
        return text.contains(pattern, Qt::CaseSensitive);
    case Comparison::ContainsSubStringCaseInsensitive:
        return text.contains(pattern, Qt::CaseInsensitive);
    case Comparison::PrefixMatch:
        return text.startsWith(pattern, Qt::CaseSensitive);
    case Comparison::PrefixMatchCaseInsensitive:
        return text.startsWith(pattern, Qt::CaseInsensitive);
    default:
        return false;
    }
}

// One value of the record (a single value, or one entry of a multi-value) against the wanted
// value. A missing value matches nothing but a bit field test for no bits.
bool matchesValue(const QVariant &recordValue, const QVariant &wanted, Comparison comparison)
{
    if (comparison == Comparison::BitsInBitFieldMatch) {
        const qlonglong bits = wanted.toLongLong();
        return (recordValue.toLongLong() & bits) == bits;
    }
    if (!recordValue.isValid())
        return false;
    if (comparison == Comparison::NotEqual && !wanted.isValid())
        return true;
    const std::optional<int> order = orderOf(recordValue, wanted);
    switch (comparison) {
    case Comparison::Equal:
        return order == 0;
    case Comparison::NotEqual:
        return order != 0;
    case Comparison::LessThan:
        return order && *order < 0;
    case Comparison::LessThanOrEqual:
        return order && *order <= 0;
    case Comparison::GreaterThan:
        return order && *order > 0;
    case Comparison::GreaterThanOrEqual:
        return order && *order >= 0;
    default:
        return matchesText(recordValue, wanted, comparison);
    }
}

QJsonValue valueToJson(const QVariant &value)
{
    QJsonObject object;
    switch (value.metaType().id()) {
    case QMetaType::QString:
        object.insert(QStringLiteral("string"), value.toString());
        break;
    case QMetaType::QDate:
        object.insert(QStringLiteral("date"), value.toDate().toString(Qt::ISODate));
        break;
    case QMetaType::QDateTime:
        object.insert(QStringLiteral("dateTime"), value.toDateTime().toMSecsSinceEpoch());
        break;
    case QMetaType::Double:
        object.insert(QStringLiteral("real"), value.toDouble());
        break;
    default:
        if (value.isValid())
            object.insert(QStringLiteral("integer"), value.toLongLong());
    }
    return object;
}

QVariant valueFromJson(const QJsonObject &object)
{
    if (object.contains(QStringLiteral("string")))
        return object.value(QStringLiteral("string")).toString();
    if (object.contains(QStringLiteral("date")))
        return QDate::fromString(object.value(QStringLiteral("date")).toString(), Qt::ISODate);
    if (object.contains(QStringLiteral("dateTime")))
        return QDateTime::fromMSecsSinceEpoch(
            qint64(object.value(QStringLiteral("dateTime")).toDouble()), Qt::UTC);
    if (object.contains(QStringLiteral("real")))
        return object.value(QStringLiteral("real")).toDouble();
    if (object.contains(QStringLiteral("integer")))
        return qlonglong(object.value(QStringLiteral("integer")).toDouble());
    return {};
}

} // namespace

SearchElement SearchElement::forProperty(RecordClass recordClass, const QString &property,
                                         const QString &label, const QString &key,
                                         const QVariant &value, Comparison comparison)
{
    auto node = std::make_shared<Node>();
    node->recordClass = recordClass;
    node->property = property;
    node->label = label;
    node->key = key;
    node->value = value;
    node->comparison = comparison;
    return SearchElement(node);
}

SearchElement SearchElement::conjunction(Conjunction conjunction,
                                         const QList<SearchElement> &children)
{
    auto node = std::make_shared<Node>();
    node->isConjunction = true;
    node->conjunction = conjunction;
    node->children = children;
    if (!children.isEmpty())
        node->recordClass = children.first().recordClass();
    return SearchElement(node);
}

RecordClass SearchElement::recordClass() const
{
    return m_node->recordClass;
}

bool SearchElement::matchesRecord(const Record &record) const
{
    const Node &node = *m_node;
    if (record.recordClass() != node.recordClass)
        return false;
    if (node.isConjunction) {
        if (node.children.isEmpty())
            return false;
        const auto matches = [&record](const SearchElement &child) {
            return child.matchesRecord(record);
        };
        return node.conjunction == Conjunction::And
                   ? std::all_of(node.children.begin(), node.children.end(), matches)
                   : std::any_of(node.children.begin(), node.children.end(), matches);
    }
    const QVariant value = record.valueForProperty(node.property);
    if (!variantHoldsMultiValue(value))
        return matchesValue(value, node.value, node.comparison);
    const MultiValue entries = multiValueFromVariant(value);
    for (const MultiValueEntry &entry : entries.entries()) {
        if (!node.label.isEmpty() && entry.label != node.label)
            continue;
        const QVariant entryValue =
            node.key.isEmpty() ? entry.value : entry.value.toMap().value(node.key);
        if (matchesValue(entryValue, node.value, node.comparison))
            return true;
    }
    return false;
}

std::optional<SearchElement::EqualityTerm> SearchElement::equalityTerm() const
{
    const Node &node = *m_node;
    if (node.isConjunction) {
        if (node.conjunction != Conjunction::And)
            return std::nullopt;
        for (const SearchElement &child : node.children) {
            if (!child.m_node->isConjunction) {
                if (const std::optional<EqualityTerm> term = child.equalityTerm())
                    return term;
            }
        }
        return std::nullopt;
    }
    const bool equal = node.comparison == Comparison::Equal;
    if ((!equal && node.comparison != Comparison::EqualCaseInsensitive) || !node.label.isEmpty() ||
        !node.key.isEmpty() || !isString(node.value))
        return std::nullopt;
    return EqualityTerm{node.property, node.value.toString(), !equal};
}

QByteArray SearchElement::toJson() const
{
    const std::function<QJsonObject(const Node &)> encode = [&encode](const Node &node) {
        QJsonObject object;
        if (node.isConjunction) {
            object.insert(QStringLiteral("conjunction"), node.conjunction == Conjunction::And
                                                             ? QStringLiteral("and")
                                                             : QStringLiteral("or"));
            QJsonArray children;
            for (const SearchElement &child : node.children)
                children.append(encode(*child.m_node));
            object.insert(QStringLiteral("children"), children);
            return object;
        }
        object.insert(QStringLiteral("class"), node.recordClass == RecordClass::Person
                                                   ? QStringLiteral("person")
                                                   : QStringLiteral("group"));
        object.insert(QStringLiteral("property"), node.property);
        object.insert(QStringLiteral("label"), node.label);
        object.insert(QStringLiteral("key"), node.key);
        object.insert(QStringLiteral("value"), valueToJson(node.value));
        for (const auto &entry : kComparisonNames) {
            if (entry.comparison == node.comparison)
                object.insert(QStringLiteral("comparison"), QString::fromLatin1(entry.name));
        }
        return object;
    };
    return QJsonDocument(encode(*m_node)).toJson(QJsonDocument::Compact);
}

std::optional<SearchElement> SearchElement::fromJson(const QByteArray &json)
{
    const std::function<std::optional<SearchElement>(const QJsonObject &)> decode =
        [&decode](const QJsonObject &object) -> std::optional<SearchElement> {
        if (object.contains(QStringLiteral("conjunction"))) {
            QList<SearchElement> children;
            for (const QJsonValue &child : object.value(QStringLiteral("children")).toArray()) {
                const std::optional<SearchElement> element = decode(child.toObject());
                if (!element)
                    return std::nullopt;
                children.append(*element);
            }
            const bool isAnd =
                object.value(QStringLiteral("conjunction")).toString() == QStringLiteral("and");
            return conjunction(isAnd ? Conjunction::And : Conjunction::Or, children);
        }
        const QString name = object.value(QStringLiteral("comparison")).toString();
        for (const auto &entry : kComparisonNames) {
            if (name != QLatin1String(entry.name))
                continue;
            const RecordClass recordClass =
                object.value(QStringLiteral("class")).toString() == QStringLiteral("group")
                    ? RecordClass::Group
                    : RecordClass::Person;
            return forProperty(recordClass, object.value(QStringLiteral("property")).toString(),
                               object.value(QStringLiteral("label")).toString(),
                               object.value(QStringLiteral("key")).toString(),
                               valueFromJson(object.value(QStringLiteral("value")).toObject()),
                               entry.comparison);
        }
        return std::nullopt;
    };
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return std::nullopt;
    return decode(document.object());
}
