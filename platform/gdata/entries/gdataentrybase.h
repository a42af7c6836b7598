// What contact and group entries share: identity, title, content, dates, links, ETag, tombstone
// flag, extended properties, batch elements, photo upload fields, and the XML of every element this
// layer does not model, which is written back unchanged so an update never drops a field the server
// holds.
#pragma once

#include "platform/gdata/entries/gdatabatch.h"
#include "platform/gdata/entries/gdataextendedproperty.h"
#include "platform/gdata/entries/gdatalink.h"
#include "platform/gdata/entries/gdatapeoplesource.h"

#include <QAnyStringView>
#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class GDataEntryBase;
using GDataEntryPtr = std::shared_ptr<GDataEntryBase>;

class GDataEntryBase
{
public:
    enum class Kind { Contact, ContactGroup };

    virtual ~GDataEntryBase() = default;
    virtual Kind kind() const = 0;
    // A deep copy: nothing of it is shared with this entry.
    virtual GDataEntryPtr copy() const = 0;
    // Debug text that names the entry; a last resort for a display name.
    virtual QString description() const;

    // Read by reference: the lookups read these of every entry in a pass over the account.
    const QString &identifier() const { return m_identifier; }
    void setIdentifier(const QString &identifier) { m_identifier = identifier; }

    // Absent (no atom:title) differs from an empty title.
    const std::optional<QString> &title() const { return m_title; }
    void setTitle(const std::optional<QString> &title) { m_title = title; }
    std::optional<QString> content() const { return m_content; }
    void setContentWithString(const std::optional<QString> &text) { m_content = text; }

    QDateTime updatedDate() const { return m_updated; }
    void setUpdatedDate(const QDateTime &date) { m_updated = date; }

    std::optional<QString> ETag() const { return m_etag; }
    void setETag(const std::optional<QString> &etag) { m_etag = etag; }

    bool isDeleted() const { return m_deleted; }
    void setIsDeleted(bool deleted) { m_deleted = deleted; }

    const std::vector<GDataLink> &links() const { return m_links; }
    void setLinks(std::vector<GDataLink> links) { m_links = std::move(links); }
    std::optional<GDataLink> linkWithRel(QAnyStringView rel) const;
    // The same link read in place, for passes over every entry; null when there is none.
    const GDataLink *findLinkWithRel(QAnyStringView rel) const;
    std::optional<GDataLink> editLink() const;
    std::optional<GDataLink> selfLink() const;

    const std::vector<GDataExtendedProperty> &extendedProperties() const { return m_properties; }
    void setExtendedProperties(std::vector<GDataExtendedProperty> properties)
    {
        m_properties = std::move(properties);
    }
    void addExtendedProperty(GDataExtendedProperty property);
    // The first property of that name.
    std::optional<GDataExtendedProperty> extendedPropertyForName(const QString &name) const;

    std::optional<QString> batchID() const { return m_batchID; }
    void setBatchID(const std::optional<QString> &batchID) { m_batchID = batchID; }
    std::optional<QString> batchOperation() const { return m_batchOperation; }
    void setBatchOperation(const std::optional<QString> &type) { m_batchOperation = type; }
    std::optional<GDataBatchStatus> batchStatus() const { return m_batchStatus; }
    void setBatchStatus(const std::optional<GDataBatchStatus> &status) { m_batchStatus = status; }
    std::optional<GDataBatchInterrupted> batchInterrupted() const { return m_batchInterrupted; }
    void setBatchInterrupted(const std::optional<GDataBatchInterrupted> &interrupted)
    {
        m_batchInterrupted = interrupted;
    }

    // Elements not modelled here, each a standalone XML fragment declaring its own namespaces.
    const std::vector<QByteArray> &unknownElements() const { return m_unknownElements; }
    void setUnknownElements(std::vector<QByteArray> elements)
    {
        m_unknownElements = std::move(elements);
    }
    void addUnknownElement(QByteArray xml) { m_unknownElements.push_back(std::move(xml)); }

    // The Person or ContactGroup the entry was read from on the People protocol.
    const GDataPeopleSource &peopleSource() const { return m_peopleSource; }
    GDataPeopleSource &peopleSource() { return m_peopleSource; }

    // Photo upload: the bytes, their type, the Slug header, and whether to send the bytes alone
    // rather than an entry with the bytes as a second part.
    QByteArray uploadData() const { return m_uploadData; }
    void setUploadData(const QByteArray &data) { m_uploadData = data; }
    QString uploadMIMEType() const { return m_uploadMIMEType; }
    void setUploadMIMEType(const QString &type) { m_uploadMIMEType = type; }
    QString uploadSlug() const { return m_uploadSlug; }
    void setUploadSlug(const QString &slug) { m_uploadSlug = slug; }
    bool shouldUploadDataOnly() const { return m_uploadDataOnly; }
    void setShouldUploadDataOnly(bool only) { m_uploadDataOnly = only; }

    // The MIME type of a file by its name, or defaultType when the name says nothing.
    static QString MIMETypeForFileAtPath(const QString &path, const QString &defaultType);

protected:
    GDataEntryBase() = default;
    GDataEntryBase(const GDataEntryBase &) = default;
    GDataEntryBase &operator=(const GDataEntryBase &) = default;

private:
    QString m_identifier;
    std::optional<QString> m_title;
    std::optional<QString> m_content;
    QDateTime m_updated;
    std::optional<QString> m_etag;
    bool m_deleted = false;
    std::vector<GDataLink> m_links;
    std::vector<GDataExtendedProperty> m_properties;
    std::optional<QString> m_batchID;
    std::optional<QString> m_batchOperation;
    std::optional<GDataBatchStatus> m_batchStatus;
    std::optional<GDataBatchInterrupted> m_batchInterrupted;
    std::vector<QByteArray> m_unknownElements;
    QByteArray m_uploadData;
    QString m_uploadMIMEType;
    QString m_uploadSlug;
    bool m_uploadDataOnly = false;
    GDataPeopleSource m_peopleSource;
};
