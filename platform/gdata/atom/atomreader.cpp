#include "platform/gdata/atom/atomreader.h"

#include "platform/gdata/atom/xmlnamespaces.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"

#include <pugixml.hpp>

#include <sstream>
#include <string_view>

namespace atomreader {

namespace {

using xmlnamespaces::attribute;
using xmlnamespaces::isElement;

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The attribute's text, or nothing when it is absent.
std::optional<QString> optionalAttribute(const pugi::xml_node &node, const char *name)
{
    const pugi::xml_attribute attr = attribute(node, {}, name);
    if (!attr)
        return std::nullopt;
    return text(attr.value());
}

bool boolAttribute(const pugi::xml_node &node, const char *name)
{
    return std::string_view(attribute(node, {}, name).value()) == "true";
}

std::optional<QString> gdETag(const pugi::xml_node &node)
{
    const pugi::xml_attribute attr = attribute(node, kGDataNamespaceGData, "etag");
    if (!attr)
        return std::nullopt;
    return text(attr.value());
}

std::optional<QString> childText(const pugi::xml_node &node, std::string_view ns,
                                 std::string_view local)
{
    for (const pugi::xml_node &child : node.children()) {
        if (isElement(child, ns, local))
            return text(child.text().get());
    }
    return std::nullopt;
}

// The service writes "yyyy-MM-ddTHH:mm:ss.zzzZ"; that form is read here directly (Qt's general
// reader costs more than the rest of an entry), any other through Qt.
std::optional<QDateTime> fixedFormDate(std::string_view value)
{
    constexpr std::string_view shape = "0000-00-00T00:00:00.000Z";
    if (value.size() != shape.size())
        return std::nullopt;
    for (size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == '0' ? (value[i] < '0' || value[i] > '9') : value[i] != shape[i])
            return std::nullopt;
    }
    const auto number = [&](size_t at, size_t length) {
        int result = 0;
        for (size_t i = at; i < at + length; ++i)
            result = result * 10 + (value[i] - '0');
        return result;
    };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2), number(20, 3));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

QDateTime dateValue(const char *value)
{
    if (const auto date = fixedFormDate(value))
        return *date;
    QDateTime date = QDateTime::fromString(text(value).trimmed(), Qt::ISODateWithMs);
    return date.isValid() ? date.toUTC() : QDateTime();
}

std::optional<int> intValue(const char *value)
{
    bool ok = false;
    const int number = text(value).trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

GDataLink linkValue(const pugi::xml_node &node)
{
    return {text(attribute(node, {}, "rel").value()), text(attribute(node, {}, "type").value()),
            text(attribute(node, {}, "href").value()), gdETag(node)};
}

// The element with the namespaces in scope declared on it, to be written back as it came.
QByteArray standaloneXML(const pugi::xml_node &node)
{
    pugi::xml_document fragment;
    pugi::xml_node copy = fragment.append_copy(node);
    xmlnamespaces::declareUsedNamespaces(node, copy);
    std::ostringstream out;
    fragment.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return QByteArray::fromStdString(out.str());
}

GDataExtendedProperty extendedProperty(const pugi::xml_node &node)
{
    GDataExtendedProperty property = GDataExtendedProperty::propertyWithName(
        text(attribute(node, {}, "name").value()), optionalAttribute(node, "value"));
    std::vector<GDataExtendedProperty::XMLValue> values;
    QString ownText;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element)
            values.emplace_back(text(xmlnamespaces::localName(child.name()).data()),
                                text(child.text().get()));
        else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            ownText += text(child.value());
    }
    property.setXMLValues(values);
    // <gd:extendedProperty name="CALURI">http://example.com/</gd:extendedProperty>: the text is
    // the value when there is no value attribute (white space between child elements is none).
    if (!property.value() && values.empty() && !ownText.trimmed().isEmpty()) {
        property.setValue(ownText);
        property.setValueIsText(true);
    }
    property.setSourceXML(standaloneXML(node));
    return property;
}

GDataBatchStatus batchStatus(const pugi::xml_node &node)
{
    return {static_cast<unsigned>(intValue(attribute(node, {}, "code").value()).value_or(0)),
            text(attribute(node, {}, "reason").value()), text(node.text().get())};
}

GDataBatchInterrupted batchInterrupted(const pugi::xml_node &node)
{
    return {text(attribute(node, {}, "reason").value()),
            intValue(attribute(node, {}, "success").value()).value_or(0),
            intValue(attribute(node, {}, "failures").value()).value_or(0),
            intValue(attribute(node, {}, "parsed").value()).value_or(0)};
}

// Reads the elements every entry has; false when the element is not one of them.
bool readCommonElement(const pugi::xml_node &child, GDataEntryBase &entry)
{
    const std::string_view ns = xmlnamespaces::namespaceOfElement(child);
    const std::string_view local = xmlnamespaces::localName(child.name());
    if (ns == kGDataNamespaceAtom) {
        if (local == "id")
            entry.setIdentifier(text(child.text().get()).trimmed());
        else if (local == "title")
            entry.setTitle(text(child.text().get()));
        else if (local == "content")
            entry.setContentWithString(text(child.text().get()));
        else if (local == "updated")
            entry.setUpdatedDate(dateValue(child.text().get()));
        else if (local == "link") {
            std::vector<GDataLink> links = entry.links();
            links.push_back(linkValue(child));
            entry.setLinks(links);
        } else
            return local == "category"; // the kind is read before, and written back from it
        return true;
    }
    if (ns == kGDataNamespaceGData) {
        if (local == "extendedProperty")
            entry.addExtendedProperty(extendedProperty(child));
        else if (local == "deleted")
            entry.setIsDeleted(true);
        else
            return false;
        return true;
    }
    if (ns == kGDataNamespaceBatch) {
        if (local == "id")
            entry.setBatchID(text(child.text().get()));
        else if (local == "operation")
            entry.setBatchOperation(text(attribute(child, {}, "type").value()));
        else if (local == "status")
            entry.setBatchStatus(batchStatus(child));
        else if (local == "interrupted")
            entry.setBatchInterrupted(batchInterrupted(child));
        else
            return false;
        return true;
    }
    return false;
}

bool readContactElement(const pugi::xml_node &child, GDataEntryContact &contact)
{
    const std::string_view ns = xmlnamespaces::namespaceOfElement(child);
    const std::string_view local = xmlnamespaces::localName(child.name());
    if (ns == kGDataNamespaceContact && local == "groupMembershipInfo") {
        auto infos = contact.groupMembershipInfos();
        infos.push_back(
            {text(attribute(child, {}, "href").value()), boolAttribute(child, "deleted")});
        contact.setGroupMembershipInfos(infos);
        return true;
    }
    if (ns != kGDataNamespaceGData)
        return false;
    const auto rel = optionalAttribute(child, "rel");
    const auto label = optionalAttribute(child, "label");
    const bool primary = boolAttribute(child, "primary");
    if (local == "email") {
        auto emails = contact.emailAddresses();
        emails.push_back({text(attribute(child, {}, "address").value()), rel, label, primary});
        contact.setEmailAddresses(emails);
    } else if (local == "phoneNumber") {
        auto phones = contact.phoneNumbers();
        phones.push_back({text(child.text().get()), rel, label, primary});
        contact.setPhoneNumbers(phones);
    } else if (local == "postalAddress") {
        auto addresses = contact.postalAddresses();
        addresses.push_back({text(child.text().get()), rel, label, primary});
        contact.setPostalAddresses(addresses);
    } else if (local == "im") {
        auto ims = contact.IMAddresses();
        ims.push_back({text(attribute(child, {}, "address").value()),
                       optionalAttribute(child, "protocol"), rel, label, primary});
        contact.setIMAddresses(ims);
    } else if (local == "organization") {
        GDataOrganization org{childText(child, kGDataNamespaceGData, "orgName"),
                              childText(child, kGDataNamespaceGData, "orgTitle"), rel, label,
                              primary};
        for (const pugi::xml_node &part : child.children()) {
            if (part.type() == pugi::node_element &&
                !isElement(part, kGDataNamespaceGData, "orgName") &&
                !isElement(part, kGDataNamespaceGData, "orgTitle"))
                org.otherElements.push_back(standaloneXML(part));
        }
        contact.addOrganization(org);
    } else {
        return false;
    }
    return true;
}

bool readGroupElement(const pugi::xml_node &child, GDataEntryContactGroup &group)
{
    if (!isElement(child, kGDataNamespaceContact, "systemGroup"))
        return false;
    group.setSystemGroup(text(attribute(child, {}, "id").value()));
    return true;
}

GDataEntryBase::Kind kindOf(const pugi::xml_node &node, GDataEntryBase::Kind defaultKind)
{
    for (const pugi::xml_node &child : node.children()) {
        if (!isElement(child, kGDataNamespaceAtom, "category") ||
            std::string_view(attribute(child, {}, "scheme").value()) != kGDataCategoryScheme)
            continue;
        const std::string_view term = attribute(child, {}, "term").value();
        if (term == kGDataCategoryContact)
            return GDataEntryBase::Kind::Contact;
        if (term == kGDataCategoryContactGroup)
            return GDataEntryBase::Kind::ContactGroup;
    }
    return defaultKind;
}

GDataEntryPtr readEntry(const pugi::xml_node &node, GDataEntryBase::Kind defaultKind)
{
    GDataEntryPtr entry;
    std::shared_ptr<GDataEntryContact> contact;
    std::shared_ptr<GDataEntryContactGroup> group;
    if (kindOf(node, defaultKind) == GDataEntryBase::Kind::Contact)
        entry = contact = std::make_shared<GDataEntryContact>();
    else
        entry = group = std::make_shared<GDataEntryContactGroup>();
    entry->setETag(gdETag(node));
    for (const pugi::xml_node &child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        const bool known = readCommonElement(child, *entry) ||
                           (contact && readContactElement(child, *contact)) ||
                           (group && readGroupElement(child, *group));
        if (!known)
            entry->addUnknownElement(standaloneXML(child));
    }
    return entry;
}

void readFeedElement(const pugi::xml_node &child, GDataFeed &feed)
{
    const std::string_view ns = xmlnamespaces::namespaceOfElement(child);
    const std::string_view local = xmlnamespaces::localName(child.name());
    if (ns == kGDataNamespaceAtom) {
        if (local == "entry") {
            feed.addEntry(readEntry(child, feed.entryKind()));
        } else if (local == "link") {
            auto links = feed.links();
            links.push_back(linkValue(child));
            feed.setLinks(links);
        } else if (local == "id") {
            feed.setIdentifier(text(child.text().get()).trimmed());
        } else if (local == "title") {
            feed.setTitle(text(child.text().get()));
        } else if (local == "updated") {
            feed.setUpdatedDate(dateValue(child.text().get()));
        }
    } else if (ns == kGDataNamespaceOpenSearch) {
        if (local == "totalResults")
            feed.setTotalResults(intValue(child.text().get()));
        else if (local == "startIndex")
            feed.setStartIndex(intValue(child.text().get()));
        else if (local == "itemsPerPage")
            feed.setItemsPerPage(intValue(child.text().get()));
    } else if (ns == kGDataNamespaceBatch && local == "operation") {
        feed.setBatchOperation(text(attribute(child, {}, "type").value()));
    }
}

// The document's root element when it is the expected atom element.
pugi::xml_node loadRoot(pugi::xml_document &doc, const QByteArray &xml, const char *rootName,
                        ParseError *error)
{
    const pugi::xml_parse_result result =
        doc.load_buffer(xml.constData(), size_t(xml.size()), kParseOptions, pugi::encoding_utf8);
    if (!result) {
        if (error)
            error->message = QStringLiteral("malformed XML at offset %1: %2")
                                 .arg(result.offset)
                                 .arg(text(result.description()));
        return {};
    }
    const pugi::xml_node root = doc.document_element();
    if (!isElement(root, kGDataNamespaceAtom, rootName)) {
        if (error)
            error->message = QStringLiteral("not an Atom %1 (root element \"%2\")")
                                 .arg(text(rootName), text(root.name()));
        return {};
    }
    return root;
}

} // namespace

std::optional<GDataFeedPtr> parseFeed(const QByteArray &xml, GDataEntryBase::Kind defaultKind,
                                      ParseError *error)
{
    pugi::xml_document doc;
    const pugi::xml_node root = loadRoot(doc, xml, "feed", error);
    if (!root)
        return std::nullopt;
    auto feed = std::make_shared<GDataFeed>(defaultKind);
    feed->setETag(gdETag(root));
    for (const pugi::xml_node &child : root.children()) {
        if (child.type() == pugi::node_element)
            readFeedElement(child, *feed);
    }
    return feed;
}

std::optional<GDataEntryPtr> parseEntry(const QByteArray &xml, GDataEntryBase::Kind defaultKind,
                                        ParseError *error)
{
    pugi::xml_document doc;
    const pugi::xml_node root = loadRoot(doc, xml, "entry", error);
    if (!root)
        return std::nullopt;
    return readEntry(root, defaultKind);
}

} // namespace atomreader
