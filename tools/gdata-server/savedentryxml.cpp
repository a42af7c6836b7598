#include "tools/gdata-server/savedentryxml.h"

#include "platform/gdata/atom/atomwriter.h"

QString SavedEntryXml::xmlOf(const GDataEntryPtr &entry)
{
    const auto found = m_previous.find(entry.get());
    // A write replaces the stored entry; the ETag guards against one changed in place.
    if (found != m_previous.end() && found->entry == entry && found->etag == entry->ETag()) {
        const QByteArray xml = found->xml;
        m_current.insert(entry.get(), std::move(*found));
        m_previous.erase(found);
        return QString::fromUtf8(xml);
    }
    const QByteArray xml = atomwriter::entryXML(*entry);
    m_current.insert(entry.get(), {entry, entry->ETag(), xml});
    return QString::fromUtf8(xml);
}

void SavedEntryXml::writeDone()
{
    m_previous = std::move(m_current);
    m_current.clear();
}
