#include "google/identifierindex.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/textdate.h"
#include "google/contactaccessors.h"
#include "google/entrybaseaccessors.h"
#include "platform/defaults/userdefaults.h"

namespace {

const QString kAsOf = QStringLiteral("asOf");
const QString kGroupVersion = QStringLiteral("aVer");
const QString kDataMaskPrefix = QStringLiteral("dm");

std::optional<QDateTime> dateFromText(const std::optional<QString> &text)
{
    if (!text)
        return std::nullopt;
    const QDateTime date = textdate::parse(*text);
    return date.isValid() ? std::optional(date) : std::nullopt;
}

// The one element whose name begins with "dm"; nothing unless exactly one does.
std::optional<QString> dataMaskElement(const QHash<QString, QString> &values)
{
    std::optional<QString> found;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!it.key().startsWith(kDataMaskPrefix))
            continue;
        if (found)
            return std::nullopt;
        found = it.key();
    }
    return found;
}

GoogleIDRow rowForGroup(const GDataEntryContactGroup &group, const QString &propertyName)
{
    GoogleIDRow row;
    row.name = group.title().value_or(QStringLiteral(""));
    row.gid = group.identifier();
    row.gModDate = group.updatedDate();
    row.isGroup = true;
    const QHash<QString, QString> values =
        entrybase::programPropertyValues(group, propertyName).value_or(QHash<QString, QString>());
    row.gAsOfDate = values.value(kAsOf, QStringLiteral(""));
    row.abid = values.value(abkeys::extendedRecordIDKey, QStringLiteral(""));
    row.dataMask = QStringLiteral("");
    if (values.contains(kGroupVersion))
        row.abVersion = dateFromText(values.value(kGroupVersion));
    return row;
}

GoogleIDRow rowForContact(const GDataEntryContact &contact, const QString &propertyName)
{
    GoogleIDRow row;
    row.name = tolvane::entryDisplayName(contact);
    row.gid = contact.identifier();
    row.gModDate = contact.updatedDate();
    row.isPerson = true;
    const QHash<QString, QString> values =
        entrybase::programPropertyValues(contact, propertyName).value_or(QHash<QString, QString>());
    row.gAsOfDate = values.value(kAsOf, QStringLiteral(""));
    row.abid = values.value(abkeys::extendedRecordIDKey, QStringLiteral(""));
    const std::optional<QString> mask = dataMaskElement(values);
    row.dataMask = mask.value_or(QStringLiteral(""));
    if (mask)
        row.abVersion = dateFromText(values.value(*mask));
    return row;
}

} // namespace

IdentifierIndex buildIdentifierIndex(const std::vector<GDataEntryContactGroupPtr> &groups,
                                     const std::vector<GDataEntryContactPtr> &contacts)
{
    UserDefaults &defaults = UserDefaults::standard();
    const QString groupProperty = defaults.stringForKey(abkeys::googleGroupExtendedPropertyName);
    const QString contactProperty =
        defaults.stringForKey(abkeys::googleContactExtendedPropertyName);
    IdentifierIndex index;
    index.rows.reserve(groups.size() + contacts.size());
    for (const GDataEntryContactGroupPtr &group : groups)
        index.rows.push_back(rowForGroup(*group, groupProperty));
    for (const GDataEntryContactPtr &contact : contacts) {
        index.rows.push_back(rowForContact(*contact, contactProperty));
        if (contact->title().value_or(QString()).isEmpty())
            ++index.emailOnlyCount;
    }
    return index;
}
