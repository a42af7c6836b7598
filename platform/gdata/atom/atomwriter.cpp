#include "platform/gdata/atom/atomwriter.h"

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"

#include <pugixml.hpp>

#include <algorithm>
#include <string_view>

namespace atomwriter {

namespace {

// The prefixes this writer uses; a kept element declares its own.
void declareNamespaces(pugi::xml_node node)
{
    node.append_attribute("xmlns").set_value(kGDataNamespaceAtom);
    node.append_attribute("xmlns:gd").set_value(kGDataNamespaceGData);
    node.append_attribute("xmlns:gContact").set_value(kGDataNamespaceContact);
    node.append_attribute("xmlns:batch").set_value(kGDataNamespaceBatch);
}

void setAttribute(pugi::xml_node node, const char *name, const QString &value)
{
    node.append_attribute(name).set_value(value.toUtf8().constData());
}

void setOptionalAttribute(pugi::xml_node node, const char *name,
                          const std::optional<QString> &value)
{
    if (value)
        setAttribute(node, name, *value);
}

pugi::xml_node appendText(pugi::xml_node parent, const char *name, const QString &value)
{
    pugi::xml_node node = parent.append_child(name);
    if (!value.isEmpty())
        node.text().set(value.toUtf8().constData());
    return node;
}

void appendLink(pugi::xml_node parent, const GDataLink &link)
{
    pugi::xml_node node = parent.append_child("link");
    setAttribute(node, "rel", link.rel);
    if (!link.type.isEmpty())
        setAttribute(node, "type", link.type);
    setAttribute(node, "href", link.href);
    setOptionalAttribute(node, "gd:etag", link.etag);
}

// rel, label and primary, as the element classes carry them.
template <typename T> void appendKind(pugi::xml_node node, const T &value)
{
    setOptionalAttribute(node, "rel", value.rel);
    setOptionalAttribute(node, "label", value.label);
    if (value.primary)
        node.append_attribute("primary").set_value("true");
}

bool isElementName(const QString &name)
{
    if (name.isEmpty() || !(name.front().isLetter() || name.front() == u'_'))
        return false;
    return std::all_of(name.begin(), name.end(), [](QChar c) {
        return c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.';
    });
}

void appendUnknownElements(pugi::xml_node node, const std::vector<QByteArray> &elements)
{
    for (const QByteArray &xml : elements) {
        pugi::xml_document fragment;
        if (fragment.load_buffer(xml.constData(), size_t(xml.size()),
                                 pugi::parse_default | pugi::parse_ws_pcdata_single,
                                 pugi::encoding_utf8))
            node.append_copy(fragment.document_element());
    }
}

// The namespace declarations a copied element carries that its new ancestors already make the
// same way go, so the element reads as it stood in the feed it came from.
void dropInheritedDeclarations(pugi::xml_node node)
{
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute;) {
        const pugi::xml_attribute next = attribute.next_attribute();
        const std::string_view name = attribute.name();
        if (name == "xmlns" || name.substr(0, 6) == "xmlns:") {
            for (pugi::xml_node up = node.parent(); up; up = up.parent()) {
                const pugi::xml_attribute declared = up.attribute(attribute.name());
                if (!declared)
                    continue;
                if (std::string_view(declared.value()) == attribute.value())
                    node.remove_attribute(attribute);
                break;
            }
        }
        attribute = next;
    }
}

void appendExtendedProperty(pugi::xml_node parent, const GDataExtendedProperty &property)
{
    if (!property.sourceXML().isEmpty()) {
        appendUnknownElements(parent, {property.sourceXML()});
        dropInheritedDeclarations(parent.last_child());
        return;
    }
    pugi::xml_node node = parent.append_child("gd:extendedProperty");
    setAttribute(node, "name", property.name());
    if (property.isValueText() && property.value())
        node.text().set(property.value()->toUtf8().constData());
    else
        setOptionalAttribute(node, "value", property.value());
    for (const auto &[key, value] : property.XMLValues()) {
        // Readers match local names, so a child read from another namespace goes back without it;
        // a key that is no element name cannot be written at all.
        if (isElementName(key))
            appendText(node, key.toUtf8().constData(), value);
    }
}

void appendBatchElements(pugi::xml_node node, const GDataEntryBase &entry)
{
    if (const auto id = entry.batchID())
        appendText(node, "batch:id", *id);
    if (const auto operation = entry.batchOperation())
        setAttribute(node.append_child("batch:operation"), "type", *operation);
    if (const auto status = entry.batchStatus()) {
        pugi::xml_node child = appendText(node, "batch:status", status->stringValue);
        child.append_attribute("code").set_value(status->code);
        setAttribute(child, "reason", status->reason);
    }
    if (const auto interrupted = entry.batchInterrupted()) {
        pugi::xml_node child = node.append_child("batch:interrupted");
        setAttribute(child, "reason", interrupted->reason);
        child.append_attribute("success").set_value(interrupted->success);
        child.append_attribute("failures").set_value(interrupted->failures);
        child.append_attribute("parsed").set_value(interrupted->parsed);
    }
}

void appendContactElements(pugi::xml_node node, const GDataEntryContact &contact)
{
    for (const GDataOrganization &org : contact.organizations()) {
        pugi::xml_node child = node.append_child("gd:organization");
        appendKind(child, org);
        if (org.orgName)
            appendText(child, "gd:orgName", *org.orgName);
        if (org.orgTitle)
            appendText(child, "gd:orgTitle", *org.orgTitle);
        appendUnknownElements(child, org.otherElements);
    }
    for (const GDataEmail &email : contact.emailAddresses()) {
        pugi::xml_node child = node.append_child("gd:email");
        appendKind(child, email);
        setAttribute(child, "address", email.address);
    }
    for (const GDataPhoneNumber &phone : contact.phoneNumbers())
        appendKind(appendText(node, "gd:phoneNumber", phone.stringValue), phone);
    for (const GDataPostalAddress &address : contact.postalAddresses())
        appendKind(appendText(node, "gd:postalAddress", address.stringValue), address);
    for (const GDataIM &im : contact.IMAddresses()) {
        pugi::xml_node child = node.append_child("gd:im");
        setAttribute(child, "address", im.address);
        setOptionalAttribute(child, "protocol", im.protocol);
        appendKind(child, im);
    }
    for (const GDataGroupMembershipInfo &info : contact.groupMembershipInfos()) {
        pugi::xml_node child = node.append_child("gContact:groupMembershipInfo");
        child.append_attribute("deleted").set_value(info.deleted ? "true" : "false");
        setAttribute(child, "href", info.href);
    }
}

void appendEntry(pugi::xml_node node, const GDataEntryBase &entry)
{
    setOptionalAttribute(node, "gd:etag", entry.ETag());
    appendBatchElements(node, entry);
    if (!entry.identifier().isEmpty())
        appendText(node, "id", entry.identifier());
    if (entry.updatedDate().isValid())
        appendText(node, "updated", entry.updatedDate().toUTC().toString(Qt::ISODateWithMs));
    pugi::xml_node category = node.append_child("category");
    category.append_attribute("scheme").set_value(kGDataCategoryScheme);
    category.append_attribute("term").set_value(entry.kind() == GDataEntryBase::Kind::Contact
                                                    ? kGDataCategoryContact
                                                    : kGDataCategoryContactGroup);
    if (entry.isDeleted())
        node.append_child("gd:deleted");
    if (const auto title = entry.title())
        appendText(node, "title", *title);
    if (const auto content = entry.content())
        appendText(node, "content", *content).prepend_attribute("type").set_value("text");
    for (const GDataLink &link : entry.links())
        appendLink(node, link);
    if (entry.kind() == GDataEntryBase::Kind::Contact)
        appendContactElements(node, static_cast<const GDataEntryContact &>(entry));
    else if (const auto id = static_cast<const GDataEntryContactGroup &>(entry).systemGroup())
        setAttribute(node.append_child("gContact:systemGroup"), "id", *id);
    for (const GDataExtendedProperty &property : entry.extendedProperties())
        appendExtendedProperty(node, property);
    appendUnknownElements(node, entry.unknownElements());
}

// Collects the document's text straight into the body that is sent: a batch feed is hundreds of
// kilobytes, and a stream's buffer would be grown and then copied out twice more.
class BodyWriter : public pugi::xml_writer
{
public:
    void write(const void *data, size_t size) override
    {
        body.append(static_cast<const char *>(data), qsizetype(size));
    }
    QByteArray body;
};

QByteArray serialise(const pugi::xml_document &doc)
{
    BodyWriter writer;
    doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return std::move(writer.body);
}

} // namespace

QByteArray entryXML(const GDataEntryBase &entry)
{
    pugi::xml_document doc;
    pugi::xml_node node = doc.append_child("entry");
    declareNamespaces(node);
    appendEntry(node, entry);
    return serialise(doc);
}

QByteArray feedXML(const GDataFeed &feed)
{
    pugi::xml_document doc;
    pugi::xml_node node = doc.append_child("feed");
    declareNamespaces(node);
    node.append_attribute("xmlns:openSearch").set_value(kGDataNamespaceOpenSearch);
    setOptionalAttribute(node, "gd:etag", feed.ETag());
    if (const auto id = feed.identifier())
        appendText(node, "id", *id);
    if (feed.updatedDate().isValid())
        appendText(node, "updated", feed.updatedDate().toUTC().toString(Qt::ISODateWithMs));
    if (const auto title = feed.title())
        appendText(node, "title", *title);
    for (const GDataLink &link : feed.links())
        appendLink(node, link);
    if (const auto total = feed.totalResults())
        appendText(node, "openSearch:totalResults", QString::number(*total));
    if (const auto start = feed.startIndex())
        appendText(node, "openSearch:startIndex", QString::number(*start));
    if (const auto items = feed.itemsPerPage())
        appendText(node, "openSearch:itemsPerPage", QString::number(*items));
    if (const auto operation = feed.batchOperation())
        setAttribute(node.append_child("batch:operation"), "type", *operation);
    for (const GDataEntryPtr &entry : feed.entries())
        appendEntry(node.append_child("entry"), *entry);
    return serialise(doc);
}

} // namespace atomwriter
