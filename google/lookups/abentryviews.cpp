#include "google/lookups/abentryviews.h"

namespace {

QList<QHash<QString, QString>> valuesOfProperties(const GDataEntryBase &entry, const QString &name)
{
    QList<QHash<QString, QString>> values;
    for (const GDataExtendedProperty &property : entry.extendedProperties()) {
        if (property.name() == name)
            values.append(property.XMLValuesDictionary());
    }
    return values;
}

} // namespace

QString ABContactEntryView::identifier() const
{
    return m_contact.identifier();
}

std::optional<QString> ABContactEntryView::title() const
{
    return m_contact.title();
}

QDateTime ABContactEntryView::updatedDate() const
{
    return m_contact.updatedDate();
}

QList<QHash<QString, QString>> ABContactEntryView::extendedPropertyValues(const QString &name) const
{
    return valuesOfProperties(m_contact, name);
}

QString ABContactEntryView::description() const
{
    return m_contact.description();
}

std::optional<QString> ABContactEntryView::primaryEmailAddress() const
{
    const std::optional<GDataEmail> email = m_contact.primaryEmailAddress();
    return email ? std::optional<QString>(email->address) : std::nullopt;
}

QStringList ABContactEntryView::emailAddresses() const
{
    QStringList addresses;
    for (const GDataEmail &email : m_contact.emailAddresses())
        addresses.append(email.address);
    return addresses;
}

QString ABGroupEntryView::identifier() const
{
    return m_group.identifier();
}

std::optional<QString> ABGroupEntryView::title() const
{
    return m_group.title();
}

QDateTime ABGroupEntryView::updatedDate() const
{
    return m_group.updatedDate();
}

QList<QHash<QString, QString>> ABGroupEntryView::extendedPropertyValues(const QString &name) const
{
    return valuesOfProperties(m_group, name);
}

QString ABGroupEntryView::description() const
{
    return m_group.description();
}
