#include "tools/gdata-server/savedentryjson.h"

#include "platform/gdata/atom/atomwriter.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject storedToJson(const StoredEntry &stored)
{
    QJsonObject object{{"localId", stored.localId},
                       {"xml", QString::fromUtf8(atomwriter::entryXML(*stored.entry))}};
    if (!stored.photo.data.isEmpty())
        object.insert("photo",
                      QJsonObject{{"data", QString::fromLatin1(stored.photo.data.toBase64())},
                                  {"type", QString::fromLatin1(stored.photo.type)},
                                  {"etag", stored.photo.etag}});
    if (!stored.people.isEmpty())
        object.insert("people", stored.people);
    return object;
}

} // namespace

bool SavedEntryJson::Kept::isCurrentFor(const StoredEntry &other) const
{
    // A write replaces the stored entry and a new photo brings a new ETag; the entry's ETag guards
    // against one changed in place.
    return stored.entry == other.entry && etag == other.entry->ETag() &&
           stored.localId == other.localId && stored.photo.etag == other.photo.etag &&
           stored.photo.type == other.photo.type &&
           stored.photo.data.size() == other.photo.data.size() && stored.people == other.people;
}

QByteArray SavedEntryJson::jsonOf(const StoredEntry &stored)
{
    const auto found = m_previous.find(stored.entry.get());
    if (found != m_previous.end() && found->isCurrentFor(stored)) {
        const QByteArray json = found->json;
        m_current.insert(stored.entry.get(), std::move(*found));
        m_previous.erase(found);
        return json;
    }
    const QByteArray json = QJsonDocument(storedToJson(stored)).toJson(QJsonDocument::Compact);
    m_current.insert(stored.entry.get(), {stored, stored.entry->ETag(), json});
    return json;
}

void SavedEntryJson::writeDone()
{
    m_previous = std::move(m_current);
    m_current.clear();
}
