#include "tools/gdata-server/entryrenderer.h"

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"

namespace {

GDataEntryPtr tombstone(const GDataEntryBase &entry)
{
    GDataEntryPtr dead;
    if (entry.kind() == GDataEntryBase::Kind::Contact)
        dead = std::make_shared<GDataEntryContact>();
    else
        dead = std::make_shared<GDataEntryContactGroup>();
    dead->setUpdatedDate(entry.updatedDate());
    dead->setETag(entry.ETag());
    dead->setIsDeleted(true);
    return dead;
}

bool isSystemGroup(const GDataEntryBase &entry)
{
    return entry.kind() == GDataEntryBase::Kind::ContactGroup &&
           static_cast<const GDataEntryContactGroup &>(entry).systemGroup().has_value();
}

} // namespace

GDataEntryPtr renderEntry(const ServerUrls &urls, const Account &account,
                          Account::Collection collection, const Projection &projection,
                          const StoredEntry &stored)
{
    const Projection shown = projection.kind == Projection::Kind::Base
                                 ? Projection{Projection::Kind::Full, {}}
                                 : projection;
    GDataEntryPtr entry =
        stored.entry->isDeleted() ? tombstone(*stored.entry) : stored.entry->copy();
    entry->setIdentifier(urls.identifier(account.email(), collection, stored.localId));
    if (entry->isDeleted())
        return entry;
    const QString href = urls.entry(account.email(), collection, shown, stored.localId);
    std::vector<GDataLink> links;
    if (collection == Account::Collection::Contacts) {
        GDataLink photo{QLatin1String(kGDataLinkRelPhoto), QStringLiteral("image/*"),
                        urls.photo(account.email(), stored.localId), std::nullopt};
        if (!stored.photo.data.isEmpty())
            photo.etag = stored.photo.etag;
        links.push_back(photo);
    }
    links.push_back({QLatin1String(kGDataLinkRelSelf), QLatin1String(kGDataAtomType), href, {}});
    if (!isSystemGroup(*entry))
        links.push_back(
            {QLatin1String(kGDataLinkRelEdit), QLatin1String(kGDataAtomType), href, {}});
    entry->setLinks(links);
    std::vector<GDataExtendedProperty> properties;
    for (const GDataExtendedProperty &property : entry->extendedProperties()) {
        if (shown.shows(property.name()))
            properties.push_back(property);
    }
    entry->setExtendedProperties(properties);
    return entry;
}
