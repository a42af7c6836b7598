#include "google/restore/restorerecords.h"

#include "foundation/propertylist.h"
#include "google/backup/backuptexts.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/dictionaryelements.h"
#include "google/lookups/grouplookups.h"
#include "google/restore/restoretexts.h"

#include <QRegularExpression>

namespace restorerecords {

namespace {

constexpr int kPropertiesPerEntry = 10;
const QString kIdentifier = QStringLiteral("identifier");
const QString kName = QStringLiteral("name");
const QString kGID = QStringLiteral("gID");
const QString kAID = QStringLiteral("aID");
const QString kExtendedProperties = QStringLiteral("extendedProperties");

bool isText(const QVariant &value)
{
    return value.typeId() == QMetaType::QString;
}

std::optional<QVariantList> readList(const QByteArray &data, const QStringList &textKeys,
                                     QString *error)
{
    QString why;
    const std::optional<QVariant> value = propertylist::read(data, &why);
    const auto refuse = [error](const QString &reason) -> std::optional<QVariantList> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (!value)
        return refuse(why);
    if (value->typeId() != QMetaType::QVariantList)
        return refuse(QStringLiteral("not an array"));
    const QVariantList list = value->toList();
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).typeId() != QMetaType::QVariantMap)
            return refuse(QStringLiteral("record %1 is not a dictionary").arg(i + 1));
        const QVariantMap record = list.at(i).toMap();
        for (const QString &key : textKeys) {
            if (!isText(record.value(key)))
                return refuse(QStringLiteral("record %1 has no %2").arg(i + 1).arg(key));
        }
        if (record.value(kIdentifier).toString().isEmpty())
            return refuse(QStringLiteral("record %1 has no %2").arg(i + 1).arg(kIdentifier));
    }
    return list;
}

// The XML values of an archived property: groups keep them under "XMLArray", contacts under
// "XMLValue".
QVariantMap xmlValuesOf(const QVariantMap &property)
{
    const QVariant values = property.contains(QStringLiteral("XMLValue"))
                                ? property.value(QStringLiteral("XMLValue"))
                                : property.value(QStringLiteral("XMLArray"));
    return values.toMap();
}

GDataExtendedProperty propertyFrom(const QString &name, const QString &value,
                                   const std::vector<GDataExtendedProperty::XMLValue> &elements)
{
    GDataExtendedProperty property = GDataExtendedProperty::propertyWithName(
        name, value.isEmpty() && !elements.empty() ? std::nullopt : std::optional<QString>(value));
    property.setXMLValues(elements);
    return property;
}

bool isDataMask(const QString &element)
{
    static const QRegularExpression mask(QStringLiteral("^dm[0-9]+$"));
    return mask.match(element).hasMatch();
}

template <typename Element>
void setItems(const QVariantMap &record, const QString &key,
              std::vector<Element> (*convert)(const QVariantList &),
              const std::function<void(std::vector<Element>)> &set)
{
    const QVariantList items = record.value(key).toList();
    if (!items.isEmpty())
        set(convert(items));
}

} // namespace

std::optional<QVariantList> readGroupList(const QByteArray &data, QString *error)
{
    return readList(data, {kIdentifier}, error);
}

std::optional<QVariantList> readContactList(const QByteArray &data, QString *error)
{
    return readList(data, {kIdentifier, kName}, error);
}

QString batchIDFor(const QString &aID, const QString &identifier)
{
    if (!aID.isEmpty())
        return aID;
    const QString base = QStringLiteral("/base/");
    const qsizetype at = identifier.indexOf(base);
    return at < 0 ? identifier : identifier.mid(at + base.size());
}

std::vector<GDataExtendedProperty> restoredProperties(const QVariantList &archived,
                                                      const QString &ownName,
                                                      const std::optional<QString> &linkGID,
                                                      bool *ownKept)
{
    std::vector<GDataExtendedProperty> others;
    std::optional<GDataExtendedProperty> own;
    for (const QVariant &item : archived) {
        const QVariantMap property = item.toMap();
        const QString name = property.value(kName).toString();
        if (name.isEmpty())
            continue;
        const QVariantMap values = xmlValuesOf(property);
        std::vector<GDataExtendedProperty::XMLValue> elements;
        const bool isOwn = name == ownName && !own;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (isOwn && (isDataMask(it.key()) || it.key() == u"asOf" || it.key() == kGID))
                continue;
            elements.emplace_back(it.key(), it.value().toString());
        }
        if (isOwn) {
            if (linkGID)
                elements.emplace_back(kGID, *linkGID);
            else if (values.contains(kGID))
                elements.emplace_back(kGID, values.value(kGID).toString());
            own = propertyFrom(name, property.value(QStringLiteral("value")).toString(), elements);
        } else if (int(others.size()) < kPropertiesPerEntry) {
            others.push_back(
                propertyFrom(name, property.value(QStringLiteral("value")).toString(), elements));
        }
    }
    if (!own && linkGID)
        own = propertyFrom(ownName, QString(), {{kGID, *linkGID}});
    const bool room = int(others.size()) < kPropertiesPerEntry;
    if (ownKept)
        *ownKept = !own || room;
    if (own && room)
        others.insert(others.begin(), *own);
    return others;
}

QString ownElement(const QVariantList &archived, const QString &ownName, const QString &element)
{
    for (const QVariant &item : archived) {
        const QVariantMap property = item.toMap();
        if (property.value(kName).toString() == ownName)
            return xmlValuesOf(property).value(element).toString();
    }
    return QString();
}

RestoredGroup groupEntry(const QVariantMap &record, const QString &ownName)
{
    auto group = std::make_shared<GDataEntryContactGroup>();
    const QString title = record.value(QStringLiteral("title")).toString();
    group->setTitle(title);
    group->setContentWithString(record.value(QStringLiteral("content")).toString());
    const QVariantList archived = record.value(kExtendedProperties).toList();
    group->setExtendedProperties(restoredProperties(archived, ownName, std::nullopt, nullptr));
    group->setBatchID(
        batchIDFor(ownElement(archived, ownName, kAID), record.value(kIdentifier).toString()));
    return {group, title};
}

RestoredContact contactEntry(const QVariantMap &record, const GoogleContactLists &lists,
                             const QString &ownName)
{
    RestoredContact restored;
    restored.identifier = record.value(kIdentifier).toString();
    auto contact = std::make_shared<GDataEntryContact>();
    const QString name = record.value(kName).toString();
    if (!name.isEmpty())
        contact->setTitle(name);
    if (record.contains(QStringLiteral("notes")))
        contact->setContentWithString(record.value(QStringLiteral("notes")).toString());
    using namespace dictionaryelements;
    setItems<GDataOrganization>(record, QStringLiteral("organizations"),
                                &googleContactOrganizationsForArray,
                                [&](auto items) { contact->setOrganizations(std::move(items)); });
    setItems<GDataEmail>(record, QStringLiteral("emails"), &googleContactEmailsForArray,
                         [&](auto items) { contact->setEmailAddresses(std::move(items)); });
    setItems<GDataPhoneNumber>(record, QStringLiteral("phones"), &googleContactPhonesForArray,
                               [&](auto items) { contact->setPhoneNumbers(std::move(items)); });
    setItems<GDataPostalAddress>(
        record, QStringLiteral("addresses"), &googleContactAddressesForArray,
        [&](auto items) { contact->setPostalAddresses(std::move(items)); });
    setItems<GDataIM>(record, QStringLiteral("IMs"), &googleContactIMsForArray,
                      [&](auto items) { contact->setIMAddresses(std::move(items)); });

    std::vector<GDataGroupMembershipInfo> memberships;
    for (const QVariant &item : record.value(QStringLiteral("memberships")).toList()) {
        const QVariantMap membership = item.toMap();
        GDataEntryContactGroupPtr group =
            grouplookups::groupForID(lists, membership.value(QStringLiteral("hRef")).toString());
        const QString groupName = membership.value(kName).toString();
        if (!group && !groupName.isEmpty())
            group = grouplookups::groupForName(lists, groupName);
        if (group)
            memberships.push_back(
                GDataGroupMembershipInfo::groupMembershipInfoWithHref(group->identifier()));
        else
            restored.lostGroups << groupName;
    }
    if (!memberships.empty())
        contact->setGroupMembershipInfos(std::move(memberships));

    const QVariantList archived = record.value(kExtendedProperties).toList();
    restored.archivedGID = ownElement(archived, ownName, kGID);
    contact->setExtendedProperties(
        restoredProperties(archived, ownName, restored.identifier, &restored.linkKept));
    contact->setBatchID(batchIDFor(ownElement(archived, ownName, kAID), restored.identifier));
    restored.entry = contact;
    return restored;
}

QString photoEntryName(const QVariantMap &record, const GDataEntryContact &contact)
{
    const QString kept = record.value(backuptexts::photoFileKey).toString();
    if (!kept.isEmpty())
        return kept;
    const std::optional<GDataEmail> primary = contact.primaryEmailAddress();
    return backuptexts::photoEntry.arg(
        primary && !primary->address.isEmpty() ? primary->address : tolvane::tolvaneTitle(contact));
}

QString batchReport(const std::vector<GDataEntryPtr> &results, int httpStatus, bool newIdentifiers)
{
    constexpr unsigned kCreated = 201;
    QString report = restoretexts::reportStatus.arg(httpStatus);
    for (const GDataEntryPtr &entry : results) {
        report += entry->batchID().value_or(QString()) + u'\n';
        if (const std::optional<GDataBatchInterrupted> interrupted = entry->batchInterrupted())
            report += interrupted->description() + u'\n';
        if (const std::optional<GDataBatchStatus> status = entry->batchStatus()) {
            report += restoretexts::reportCode.arg(status->code).arg(status->reason);
            if (newIdentifiers && status->code == kCreated)
                report += entry->identifier() + u'\n';
        }
        report += u'\n';
    }
    return report;
}

} // namespace restorerecords
