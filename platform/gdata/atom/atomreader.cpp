#include "platform/gdata/atom/atomreader.h"

#include "platform/gdata/atom/standalonexml.h"
#include "platform/gdata/atom/xmlnamespaces.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"

#include <pugixml.hpp>

#include <array>
#include <cstring>
#include <string_view>

namespace atomreader {

namespace {

using xmlnamespaces::Element;

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Values that come back in entry after entry (relations, types, labels, protocols, property
// names) are made once per feed and shared by every entry that holds them.
class SharedTexts
{
public:
    QString text(const char *utf8)
    {
        const std::string_view bytes(utf8 ? utf8 : "");
        Known &known = m_known[slotOf(bytes)];
        if (!known.made || known.bytes != bytes)
            known = {bytes, QString::fromUtf8(bytes.data(), qsizetype(bytes.size())), true};
        return known.text;
    }

    std::optional<QString> optional(const char *utf8)
    {
        return utf8 ? std::optional<QString>(text(utf8)) : std::nullopt;
    }

private:
    static constexpr size_t kSlots = 64;

    // Values of one kind differ at their ends ("...#home", "...#work"); a value that meets
    // another in its slot replaces it.
    static size_t slotOf(std::string_view bytes)
    {
        size_t hash = bytes.size();
        for (size_t i = bytes.size() > 8 ? bytes.size() - 8 : 0; i < bytes.size(); ++i)
            hash = hash * 31 + static_cast<unsigned char>(bytes[i]);
        return hash % kSlots;
    }

    struct Known
    {
        std::string_view bytes; // in the document being read
        QString text;
        bool made = false;
    };
    std::array<Known, kSlots> m_known;
};

// A list that is filled for one entry after another: it keeps its room, and each entry gets a
// list of exactly its own size.
template <typename T> class Gathered
{
public:
    void add(T value) { m_items.push_back(std::move(value)); }
    std::vector<T> take()
    {
        std::vector<T> taken(std::make_move_iterator(m_items.begin()),
                             std::make_move_iterator(m_items.end()));
        m_items.clear();
        return taken;
    }

private:
    std::vector<T> m_items;
};

// The lists of an entry, gathered while its elements are read and handed over once at the end.
struct EntryLists
{
    Gathered<GDataLink> links;
    Gathered<GDataExtendedProperty> properties;
    Gathered<QByteArray> unknownElements;
    Gathered<GDataEmail> emails;
    Gathered<GDataPhoneNumber> phones;
    Gathered<GDataPostalAddress> addresses;
    Gathered<GDataIM> ims;
    Gathered<GDataOrganization> organizations;
    Gathered<GDataGroupMembershipInfo> memberships;

    void moveInto(GDataEntryBase &entry, GDataEntryContact *contact)
    {
        entry.setLinks(links.take());
        entry.setExtendedProperties(properties.take());
        entry.setUnknownElements(unknownElements.take());
        if (!contact)
            return;
        contact->setEmailAddresses(emails.take());
        contact->setPhoneNumbers(phones.take());
        contact->setPostalAddresses(addresses.take());
        contact->setIMAddresses(ims.take());
        contact->setOrganizations(organizations.take());
        contact->setGroupMembershipInfos(memberships.take());
    }
};

// What one parse carries from element to element.
struct Reading
{
    SharedTexts shared;
    EntryLists lists;
    StandaloneXmlWriter kept;
};

bool isTrue(const char *value)
{
    return value && std::strcmp(value, "true") == 0;
}

const char *orEmpty(const char *value)
{
    return value ? value : "";
}

std::optional<QString> gdETag(const Element &element)
{
    const char *value = element.attribute(kGDataNamespaceGData, "etag");
    if (!value)
        return std::nullopt;
    return text(value);
}

const char *elementText(const Element &element)
{
    return element.node().text().get();
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
    const int number = text(orEmpty(value)).trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

// Unprefixed attributes read together, in one pass over the element's attributes.
template <size_t N> struct PlainAttributes
{
    PlainAttributes(const Element &element, const std::array<std::string_view, N> &names)
    {
        element.plainAttributes(names.data(), values.data(), N);
    }
    const char *operator[](size_t i) const { return values[i]; }
    std::array<const char *, N> values;
};

GDataLink linkValue(const Element &element, Reading &reading)
{
    const PlainAttributes<3> attrs(element, {"rel", "type", "href"});
    return {reading.shared.text(attrs[0]), reading.shared.text(attrs[1]), text(orEmpty(attrs[2])),
            gdETag(element)};
}

// Whether an extended property's XML holds more than its name, value, text and plain child
// elements, which the writer makes again from the property itself: anything else (another
// attribute, a declaration, a prefixed or attributed child, nested or mixed content, CDATA) is only
// written back as it came when its XML is kept.
bool isAsciiName(const char *name)
{
    const auto letter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    if (!letter(*name) && *name != '_')
        return false;
    for (; *name; ++name) {
        const char c = *name;
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '_' && c != '-' && c != '.')
            return false;
    }
    return true;
}

bool isPlainValueChild(const Element &parent, pugi::xml_node child)
{
    if (child.first_attribute() || !isAsciiName(child.name()))
        return false;
    const pugi::xml_node text = child.first_child();
    if (text && (text.type() != pugi::node_pcdata || text.next_sibling()))
        return false;
    // The writer puts an unprefixed child in the Atom namespace of the entry it writes.
    return std::string_view(parent.uri({})) == kGDataNamespaceAtom;
}

bool needsSourceXML(const Element &element)
{
    bool hasName = false, hasValue = false;
    for (pugi::xml_attribute attr = element.node().first_attribute(); attr;
         attr = attr.next_attribute()) {
        const std::string_view name = attr.name();
        if (name == "name" && !hasName)
            hasName = true;
        else if (name == "value" && !hasValue)
            hasValue = true;
        else
            return true;
    }
    if (!hasName)
        return true;
    const pugi::xml_node first = element.node().first_child();
    if (!first)
        return false;
    if (first.type() == pugi::node_pcdata && !first.next_sibling()) {
        // Text becomes the value only when nothing else is; white space alone is not.
        const std::string_view text = first.value();
        return hasValue || text.find_first_not_of(" \t\r\n") == std::string_view::npos;
    }
    for (pugi::xml_node child = first; child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element || !isPlainValueChild(element, child))
            return true;
    }
    return false;
}

GDataExtendedProperty extendedProperty(const Element &element, Reading &reading)
{
    const char *value = element.attribute({}, "value");
    GDataExtendedProperty property = GDataExtendedProperty::propertyWithName(
        reading.shared.text(element.attribute({}, "name")),
        value ? std::optional<QString>(text(value)) : std::nullopt);
    std::vector<GDataExtendedProperty::XMLValue> values;
    QString ownText;
    for (pugi::xml_node child = element.node().first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            const char *name = child.name();
            const char *colon = std::strchr(name, ':');
            values.emplace_back(reading.shared.text(colon ? colon + 1 : name),
                                text(child.text().get()));
        } else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            ownText += text(child.value());
        }
    }
    property.setXMLValues(std::move(values));
    // <gd:extendedProperty name="CALURI">http://example.com/</gd:extendedProperty>: the text is
    // the value when there is no value attribute (white space between child elements is none).
    if (!property.value() && property.XMLValues().empty() && !ownText.trimmed().isEmpty()) {
        property.setValue(ownText);
        property.setValueIsText(true);
    }
    if (needsSourceXML(element))
        property.setSourceXML(reading.kept.write(element));
    return property;
}

GDataBatchStatus batchStatus(const Element &element)
{
    return {static_cast<unsigned>(intValue(element.attribute({}, "code")).value_or(0)),
            text(orEmpty(element.attribute({}, "reason"))), text(elementText(element))};
}

GDataBatchInterrupted batchInterrupted(const Element &element)
{
    return {text(orEmpty(element.attribute({}, "reason"))),
            intValue(element.attribute({}, "success")).value_or(0),
            intValue(element.attribute({}, "failures")).value_or(0),
            intValue(element.attribute({}, "parsed")).value_or(0)};
}

// Reads the elements every entry has; false when the element is not one of them.
bool readCommonElement(const Element &child, GDataEntryBase &entry, Reading &reading)
{
    const std::string_view ns = child.namespaceURI();
    const std::string_view local = child.localName();
    if (ns == kGDataNamespaceAtom) {
        if (local == "id")
            entry.setIdentifier(text(elementText(child)).trimmed());
        else if (local == "title")
            entry.setTitle(text(elementText(child)));
        else if (local == "content")
            entry.setContentWithString(text(elementText(child)));
        else if (local == "updated")
            entry.setUpdatedDate(dateValue(elementText(child)));
        else if (local == "link")
            reading.lists.links.add(linkValue(child, reading));
        else
            return local == "category"; // the kind is read before, and written back from it
        return true;
    }
    if (ns == kGDataNamespaceGData) {
        if (local == "extendedProperty")
            reading.lists.properties.add(extendedProperty(child, reading));
        else if (local == "deleted")
            entry.setIsDeleted(true);
        else
            return false;
        return true;
    }
    if (ns == kGDataNamespaceBatch) {
        if (local == "id")
            entry.setBatchID(text(elementText(child)));
        else if (local == "operation")
            entry.setBatchOperation(text(orEmpty(child.attribute({}, "type"))));
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

GDataOrganization organization(const Element &element, Reading &reading)
{
    const PlainAttributes<3> attrs(element, {"rel", "label", "primary"});
    GDataOrganization org{std::nullopt, std::nullopt, reading.shared.optional(attrs[0]),
                          reading.shared.optional(attrs[1]), isTrue(attrs[2])};
    for (pugi::xml_node node = element.node().first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element)
            continue;
        const Element part(node, &element);
        const bool isName = part.is(kGDataNamespaceGData, "orgName");
        const bool isTitle = !isName && part.is(kGDataNamespaceGData, "orgTitle");
        std::optional<QString> &field = isName ? org.orgName : org.orgTitle;
        if (!isName && !isTitle)
            org.otherElements.push_back(reading.kept.write(part));
        else if (!field) // the first of each counts
            field = text(elementText(part));
    }
    return org;
}

bool readContactElement(const Element &child, Reading &reading)
{
    const std::string_view ns = child.namespaceURI();
    const std::string_view local = child.localName();
    if (ns == kGDataNamespaceContact && local == "groupMembershipInfo") {
        reading.lists.memberships.add({reading.shared.text(child.attribute({}, "href")),
                                       isTrue(child.attribute({}, "deleted"))});
        return true;
    }
    if (ns != kGDataNamespaceGData)
        return false;
    // rel, label and primary, then the value's own attributes where it has them.
    const PlainAttributes<5> attrs(child, {"rel", "label", "primary", "address", "protocol"});
    const auto rel = [&] {
        return reading.shared.optional(attrs[0]);
    };
    const auto label = [&] {
        return reading.shared.optional(attrs[1]);
    };
    const auto primary = [&] {
        return isTrue(attrs[2]);
    };
    if (local == "email") {
        reading.lists.emails.add({text(orEmpty(attrs[3])), rel(), label(), primary()});
    } else if (local == "phoneNumber") {
        reading.lists.phones.add({text(elementText(child)), rel(), label(), primary()});
    } else if (local == "postalAddress") {
        reading.lists.addresses.add({text(elementText(child)), rel(), label(), primary()});
    } else if (local == "im") {
        reading.lists.ims.add({text(orEmpty(attrs[3])), reading.shared.optional(attrs[4]), rel(),
                               label(), primary()});
    } else if (local == "organization") {
        reading.lists.organizations.add(organization(child, reading));
    } else {
        return false;
    }
    return true;
}

bool readGroupElement(const Element &child, GDataEntryContactGroup &group)
{
    if (!child.is(kGDataNamespaceContact, "systemGroup"))
        return false;
    group.setSystemGroup(text(orEmpty(child.attribute({}, "id"))));
    return true;
}

GDataEntryBase::Kind kindOf(const Element &entry, GDataEntryBase::Kind defaultKind)
{
    for (pugi::xml_node node = entry.node().first_child(); node; node = node.next_sibling()) {
        // Only a category element is looked at closely.
        const char *name = node.name();
        const char *colon = std::strchr(name, ':');
        if (node.type() != pugi::node_element ||
            std::strcmp(colon ? colon + 1 : name, "category") != 0)
            continue;
        const Element child(node, &entry);
        if (!child.is(kGDataNamespaceAtom, "category") ||
            std::string_view(orEmpty(child.attribute({}, "scheme"))) != kGDataCategoryScheme)
            continue;
        const std::string_view term = orEmpty(child.attribute({}, "term"));
        if (term == kGDataCategoryContact)
            return GDataEntryBase::Kind::Contact;
        if (term == kGDataCategoryContactGroup)
            return GDataEntryBase::Kind::ContactGroup;
    }
    return defaultKind;
}

GDataEntryPtr readEntry(const Element &element, GDataEntryBase::Kind defaultKind, Reading &reading)
{
    GDataEntryPtr entry;
    std::shared_ptr<GDataEntryContact> contact;
    std::shared_ptr<GDataEntryContactGroup> group;
    if (kindOf(element, defaultKind) == GDataEntryBase::Kind::Contact)
        entry = contact = std::make_shared<GDataEntryContact>();
    else
        entry = group = std::make_shared<GDataEntryContactGroup>();
    entry->setETag(gdETag(element));
    for (pugi::xml_node node = element.node().first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element)
            continue;
        const Element child(node, &element);
        const bool known = readCommonElement(child, *entry, reading) ||
                           (contact && readContactElement(child, reading)) ||
                           (group && readGroupElement(child, *group));
        if (!known)
            reading.lists.unknownElements.add(reading.kept.write(child));
    }
    reading.lists.moveInto(*entry, contact.get());
    return entry;
}

void readFeedElement(const Element &child, GDataFeed &feed, std::vector<GDataLink> &links,
                     Reading &reading)
{
    const std::string_view ns = child.namespaceURI();
    const std::string_view local = child.localName();
    if (ns == kGDataNamespaceAtom) {
        if (local == "entry") {
            feed.addEntry(readEntry(child, feed.entryKind(), reading));
        } else if (local == "link") {
            links.push_back(linkValue(child, reading));
        } else if (local == "id") {
            feed.setIdentifier(text(elementText(child)).trimmed());
        } else if (local == "title") {
            feed.setTitle(text(elementText(child)));
        } else if (local == "updated") {
            feed.setUpdatedDate(dateValue(elementText(child)));
        }
    } else if (ns == kGDataNamespaceOpenSearch) {
        if (local == "totalResults")
            feed.setTotalResults(intValue(elementText(child)));
        else if (local == "startIndex")
            feed.setStartIndex(intValue(elementText(child)));
        else if (local == "itemsPerPage")
            feed.setItemsPerPage(intValue(elementText(child)));
    } else if (ns == kGDataNamespaceBatch && local == "operation") {
        feed.setBatchOperation(text(orEmpty(child.attribute({}, "type"))));
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
    if (!xmlnamespaces::isElement(root, kGDataNamespaceAtom, rootName)) {
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
    const pugi::xml_node rootNode = loadRoot(doc, xml, "feed", error);
    if (!rootNode)
        return std::nullopt;
    const Element root(rootNode, nullptr);
    Reading reading;
    auto feed = std::make_shared<GDataFeed>(defaultKind);
    feed->setETag(gdETag(root));
    std::vector<GDataLink> links;
    for (pugi::xml_node node = rootNode.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element)
            readFeedElement(Element(node, &root), *feed, links, reading);
    }
    feed->setLinks(std::move(links));
    return feed;
}

std::optional<GDataEntryPtr> parseEntry(const QByteArray &xml, GDataEntryBase::Kind defaultKind,
                                        ParseError *error)
{
    pugi::xml_document doc;
    const pugi::xml_node rootNode = loadRoot(doc, xml, "entry", error);
    if (!rootNode)
        return std::nullopt;
    const Element root(rootNode, nullptr);
    Reading reading;
    return readEntry(root, defaultKind, reading);
}

} // namespace atomreader
