#include "tests/support/google/elementdescriptions.h"

#include <optional>

namespace {

QString shortRel(const QString &rel)
{
    const qsizetype hash = rel.lastIndexOf(QLatin1Char('#'));
    return hash < 0 ? rel : rel.mid(hash + 1);
}

QString line(const QString &value, const std::optional<QString> &rel,
             const std::optional<QString> &label, bool primary)
{
    QString text = value;
    if (rel)
        text += QStringLiteral(" rel=") + shortRel(*rel);
    if (label)
        text += QStringLiteral(" label=") + *label;
    if (primary)
        text += QStringLiteral(" primary");
    return text;
}

template <typename Element, typename Describe>
QStringList lines(const std::vector<Element> &elements, Describe describeOne)
{
    QStringList result;
    for (const Element &element : elements)
        result.append(describeOne(element));
    return result;
}

} // namespace

QStringList describe(const std::vector<GDataEmail> &elements)
{
    return lines(elements,
                 [](const GDataEmail &e) { return line(e.address, e.rel, e.label, e.primary); });
}

QStringList describe(const std::vector<GDataPhoneNumber> &elements)
{
    return lines(elements, [](const GDataPhoneNumber &e) {
        return line(e.stringValue, e.rel, e.label, e.primary);
    });
}

QStringList describe(const std::vector<GDataPostalAddress> &elements)
{
    return lines(elements, [](const GDataPostalAddress &e) {
        return line(e.stringValue, e.rel, e.label, e.primary);
    });
}

QStringList describe(const std::vector<GDataIM> &elements)
{
    return lines(elements, [](const GDataIM &e) {
        return line(e.address + QStringLiteral(" ") + shortRel(e.protocol.value_or(QString())),
                    e.rel, e.label, e.primary);
    });
}

QStringList describe(const std::vector<GDataOrganization> &elements)
{
    return lines(elements, [](const GDataOrganization &e) {
        QString text = QStringLiteral("name=") + e.orgName.value_or(QStringLiteral("(none)")) +
                       QStringLiteral(" title=") + e.orgTitle.value_or(QStringLiteral("(none)"));
        return line(text, e.rel, e.label, e.primary);
    });
}

QStringList describe(const std::vector<GDataGroupMembershipInfo> &elements)
{
    return lines(elements, [](const GDataGroupMembershipInfo &e) { return e.href; });
}
