#include "google/backup/backuprecords.h"

#include "google/engine/googlecontactlists.h"
#include "google/entries/groupaccessors.h"
#include "google/lookups/grouplookups.h"

#include <QVariantList>

namespace backuprecords {

namespace {

QString text(const std::optional<QString> &value)
{
    return value.value_or(QString(QLatin1String("")));
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("YES") : QStringLiteral("NO");
}

QVariantMap xmlDictionary(const QHash<QString, QString> &values)
{
    QVariantMap map;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

template <typename Item, typename Make>
void addItems(QVariantMap &record, const QString &key, const std::vector<Item> &items, Make make)
{
    if (items.empty())
        return;
    QVariantList list;
    for (const Item &item : items)
        list << make(item);
    record.insert(key, list);
}

} // namespace

QVariantMap groupRecord(const GDataEntryContactGroup &group)
{
    QVariantMap record{{QStringLiteral("identifier"), group.identifier()},
                       {QStringLiteral("title"), text(group.title())},
                       {QStringLiteral("content"), text(group.content())}};
    QVariantList properties;
    for (const GDataExtendedProperty &property : group.extendedProperties()) {
        QVariantMap item{{QStringLiteral("name"), property.name()},
                         {QStringLiteral("value"), text(property.value())}};
        if (!property.XMLValues().empty())
            item.insert(QStringLiteral("XMLArray"), xmlDictionary(property.XMLValuesDictionary()));
        properties << item;
    }
    if (!properties.isEmpty())
        record.insert(QStringLiteral("extendedProperties"), properties);
    return record;
}

QVariantMap contactRecord(const GDataEntryContact &contact, const GoogleContactLists &lists,
                          const QString &programPropertyName)
{
    QVariantMap record{{QStringLiteral("identifier"), contact.identifier()},
                       {QStringLiteral("name"), text(contact.title())}};
    if (contact.content())
        record.insert(QStringLiteral("notes"), *contact.content());
    addItems(record, QStringLiteral("organizations"), contact.organizations(),
             [](const GDataOrganization &org) {
                 return QVariantMap{{QStringLiteral("name"), text(org.orgName)},
                                    {QStringLiteral("title"), text(org.orgTitle)},
                                    {QStringLiteral("rel"), text(org.rel)},
                                    {QStringLiteral("label"), text(org.label)},
                                    {QStringLiteral("isPrimary"), yesNo(org.primary)}};
             });
    addItems(record, QStringLiteral("emails"), contact.emailAddresses(), [](const GDataEmail &email) {
        return QVariantMap{{QStringLiteral("address"), email.address},
                           {QStringLiteral("rel"), text(email.rel)},
                           {QStringLiteral("label"), text(email.label)},
                           {QStringLiteral("isPrimary"), yesNo(email.primary)}};
    });
    addItems(record, QStringLiteral("phones"), contact.phoneNumbers(),
             [](const GDataPhoneNumber &phone) {
                 return QVariantMap{{QStringLiteral("address"), phone.stringValue},
                                    {QStringLiteral("rel"), text(phone.rel)},
                                    {QStringLiteral("label"), text(phone.label)},
                                    {QStringLiteral("isPrimary"), yesNo(phone.primary)}};
             });
    addItems(record, QStringLiteral("addresses"), contact.postalAddresses(),
             [](const GDataPostalAddress &address) {
                 return QVariantMap{{QStringLiteral("address"), address.stringValue},
                                    {QStringLiteral("rel"), text(address.rel)},
                                    {QStringLiteral("label"), text(address.label)},
                                    {QStringLiteral("isPrimary"), yesNo(address.primary)}};
             });
    addItems(record, QStringLiteral("IMs"), contact.IMAddresses(), [](const GDataIM &im) {
        return QVariantMap{{QStringLiteral("address"), im.address},
                           {QStringLiteral("rel"), text(im.rel)},
                           {QStringLiteral("label"), text(im.label)},
                           {QStringLiteral("protocol"), text(im.protocol)},
                           {QStringLiteral("isPrimary"), yesNo(im.primary)}};
    });
    addItems(record, QStringLiteral("memberships"), contact.groupMembershipInfos(),
             [&lists](const GDataGroupMembershipInfo &membership) {
                 const GDataEntryContactGroupPtr group =
                     grouplookups::groupForID(lists, membership.href);
                 return QVariantMap{{QStringLiteral("hRef"), membership.href},
                                    {QStringLiteral("name"),
                                     group ? tolvane::tolvaneTitle(*group) : QString(QLatin1String(""))}};
             });
    QVariantList properties;
    for (const GDataExtendedProperty &property : contact.extendedProperties()) {
        QVariantMap item{{QStringLiteral("name"), property.name()},
                         {QStringLiteral("value"), text(property.value())}};
        QHash<QString, QString> values = property.XMLValuesDictionary();
        const bool own = property.name() == programPropertyName;
        if (own && !values.contains(QStringLiteral("gID")))
            values.insert(QStringLiteral("gID"), contact.identifier());
        if (!values.isEmpty())
            item.insert(QStringLiteral("XMLValue"), xmlDictionary(values));
        properties << item;
    }
    if (properties.isEmpty())
        properties << QVariantMap{
            {QStringLiteral("name"), programPropertyName},
            {QStringLiteral("value"), QString(QLatin1String(""))},
            {QStringLiteral("XMLValue"), QVariantMap{{QStringLiteral("gID"), contact.identifier()}}}};
    record.insert(QStringLiteral("extendedProperties"), properties);
    return record;
}

} // namespace backuprecords
