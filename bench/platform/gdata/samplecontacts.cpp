#include "bench/platform/gdata/samplecontacts.h"

#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/gdataconstants.h"

#include <QUrl>

namespace {

QString indexed(const char *format, int index)
{
    return QString::fromLatin1(format).arg(index, 5, 10, QLatin1Char('0'));
}

// A wire constant (relation, type) as text.
QString wire(const char *constant)
{
    return QString::fromLatin1(constant);
}

} // namespace

GDataEntryContactPtr samplecontacts::contact(int index, const QString &groupId)
{
    auto entry = GDataEntryContact::contactEntryWithTitle(indexed("Firstname%1 Lastname", index));
    entry->setContentWithString(
        indexed("Met at the regional meeting (%1).\nPrefers e-mail before noon.", index));
    entry->setEmailAddresses({
        {indexed("person%1@home.example.org", index), wire(kGDataContactHome), std::nullopt, true},
        {indexed("person%1@work.example.com", index), wire(kGDataContactWork), std::nullopt, false},
        {indexed("p%1@other.example.net", index), std::nullopt, QStringLiteral("Club"), false},
    });
    entry->setPhoneNumbers({
        {indexed("+1 555 01%1", index), wire(kGDataPhoneNumberMobile), std::nullopt, true},
        {indexed("+1 555 02%1", index), wire(kGDataPhoneNumberWork), std::nullopt, false},
    });
    entry->setPostalAddresses({
        {indexed("%1 Main Street\nApartment 4B\nSpringfield, IL 62704\nUnited States", index),
         wire(kGDataContactHome), std::nullopt, true},
    });
    entry->setOrganizations(
        {{indexed("Company %1 Incorporated", index), QStringLiteral("Senior Engineer"),
          wire(kGDataContactWork), std::nullopt, true}});
    entry->setGroupMembershipInfos({{groupId, false}});
    auto sync = GDataExtendedProperty::propertyWithName(QStringLiteral("sync"));
    sync.setXMLValue(indexed("{0A1B2C3D-%1-4E5F-8899-AABBCCDDEEFF}:ABPerson", index),
                     QStringLiteral("uid"));
    entry->setExtendedProperties({
        sync,
        GDataExtendedProperty::propertyWithName(QStringLiteral("foreign-app"),
                                                QStringLiteral("kept by another program")),
    });
    entry->setUnknownElements({
        "<gContact:birthday xmlns:gContact=\"http://schemas.google.com/contact/2008\" "
        "when=\"1970-03-14\"/>",
        "<gContact:website xmlns:gContact=\"http://schemas.google.com/contact/2008\" "
        "href=\"http://www.example.org/people/" +
            QByteArray::number(index) + "\" rel=\"home-page\"/>",
    });
    return entry;
}

QByteArray samplecontacts::feedXML(int count, const QString &baseUrl, const QString &email)
{
    const QString user = QString::fromLatin1(QUrl::toPercentEncoding(email));
    const QString feedUrl =
        baseUrl + QStringLiteral("/m8/feeds/contacts/") + user + QStringLiteral("/full");
    const QString groupId =
        baseUrl + QStringLiteral("/m8/feeds/groups/") + user + QStringLiteral("/base/6");
    const QDateTime updated =
        QDateTime::fromString(QStringLiteral("2026-01-05T10:00:00.000Z"), Qt::ISODateWithMs);
    GDataFeed feed(GDataEntryBase::Kind::Contact);
    feed.setIdentifier(baseUrl + QStringLiteral("/m8/feeds/contacts/") + user +
                       QStringLiteral("/base"));
    feed.setTitle(email + QStringLiteral("'s Contacts"));
    feed.setUpdatedDate(updated);
    feed.setETag(QStringLiteral("W/\"feed-etag\""));
    feed.setLinks({
        {wire(kGDataLinkRelFeed), wire(kGDataAtomType), feedUrl, {}},
        {wire(kGDataLinkRelPost), wire(kGDataAtomType), feedUrl, {}},
        {wire(kGDataLinkRelBatch), wire(kGDataAtomType), feedUrl + QStringLiteral("/batch"), {}},
        {wire(kGDataLinkRelSelf),
         wire(kGDataAtomType),
         feedUrl + QStringLiteral("?max-results=2000&showdeleted=true"),
         {}},
    });
    feed.setTotalResults(count);
    feed.setStartIndex(1);
    feed.setItemsPerPage(count);
    for (int i = 0; i < count; ++i) {
        const GDataEntryContactPtr entry = contact(i, groupId);
        const QString localId = QString::number(0x100 + i, 16);
        const QString href = feedUrl + QLatin1Char('/') + localId;
        entry->setIdentifier(baseUrl + QStringLiteral("/m8/feeds/contacts/") + user +
                             QStringLiteral("/base/") + localId);
        entry->setUpdatedDate(updated.addMSecs(i));
        entry->setETag(QStringLiteral("\"%1\"").arg(i, 32, 16, QLatin1Char('0')));
        entry->setLinks({
            {wire(kGDataLinkRelPhoto), QStringLiteral("image/*"),
             baseUrl + QStringLiteral("/m8/feeds/photos/media/") + user + QLatin1Char('/') +
                 localId,
             std::nullopt},
            {wire(kGDataLinkRelSelf), wire(kGDataAtomType), href, {}},
            {wire(kGDataLinkRelEdit), wire(kGDataAtomType), href, {}},
        });
        feed.addEntry(entry);
    }
    return atomwriter::feedXML(feed);
}
