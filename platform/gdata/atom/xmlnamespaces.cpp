#include "platform/gdata/atom/xmlnamespaces.h"

#include <algorithm>
#include <cstring>

namespace xmlnamespaces {

namespace {

constexpr const char *kXmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view kDeclarationPrefix = "xmlns:";

std::string_view localPart(std::string_view qualifiedName)
{
    const auto colon = qualifiedName.find(':');
    return colon == std::string_view::npos ? qualifiedName : qualifiedName.substr(colon + 1);
}

// Whether the attribute name is a namespace declaration: "xmlns" or "xmlns:prefix".
bool isDeclaration(const char *name)
{
    return name[0] == 'x' && name[1] == 'm' && name[2] == 'l' && name[3] == 'n' && name[4] == 's' &&
           (name[5] == '\0' || name[5] == ':');
}

// Whether the attribute name declares prefix (empty: the default namespace).
bool declares(const char *name, std::string_view prefix)
{
    if (!isDeclaration(name))
        return false;
    if (prefix.empty())
        return name[5] == '\0';
    return name[5] == ':' && std::string_view(name + kDeclarationPrefix.size()) == prefix;
}

// Whether the name as written is exactly text.
bool isName(const char *name, std::string_view text)
{
    for (const char c : text) {
        if (*name++ != c)
            return false;
    }
    return *name == '\0';
}

// The URI bound to prefix at node (empty prefix: the default namespace).
std::string_view lookup(pugi::xml_node node, std::string_view prefix)
{
    if (prefix == "xml")
        return kXmlNamespace;
    for (; node && node.type() == pugi::node_element; node = node.parent()) {
        for (pugi::xml_attribute attr = node.first_attribute(); attr;
             attr = attr.next_attribute()) {
            if (declares(attr.name(), prefix))
                return attr.value();
        }
    }
    return {};
}

} // namespace

std::string_view prefixOf(std::string_view qualifiedName)
{
    const auto colon = qualifiedName.find(':');
    return colon == std::string_view::npos ? std::string_view() : qualifiedName.substr(0, colon);
}

std::string_view namespaceOfElement(const pugi::xml_node &node)
{
    return lookup(node, prefixOf(node.name()));
}

bool isElement(const pugi::xml_node &node, std::string_view ns, std::string_view local)
{
    return node.type() == pugi::node_element && localPart(node.name()) == local &&
           namespaceOfElement(node) == ns;
}

Element::Element(const pugi::xml_node &node, const Element *parent)
    : m_node(node)
    , m_parent(parent)
{
    for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
        const Attribute read{attr.name(), attr.value()};
        m_declares = m_declares || isDeclaration(read.name);
        if (m_attributeCount < kInlineAttributes) {
            m_inline[m_attributeCount] = read;
        } else {
            if (m_more.empty())
                m_more.assign(m_inline, m_inline + kInlineAttributes);
            m_more.push_back(read);
        }
        ++m_attributeCount;
    }
    const char *name = node.name();
    const char *end = name + std::strlen(name);
    const auto *colon = static_cast<const char *>(std::memchr(name, ':', size_t(end - name)));
    m_local = colon ? std::string_view(colon + 1, size_t(end - colon - 1))
                    : std::string_view(name, size_t(end - name));
    const std::string_view prefix =
        colon ? std::string_view(name, size_t(colon - name)) : std::string_view();
    m_namespace = uri(prefix);
}

const char *Element::ownDeclaration(std::string_view prefix) const
{
    if (!m_declares)
        return nullptr;
    for (const Attribute *attr = attributesBegin(); attr != attributesEnd(); ++attr) {
        if (xmlnamespaces::declares(attr->name, prefix))
            return attr->value;
    }
    return nullptr;
}

const char *Element::uri(std::string_view prefix) const
{
    if (prefix == "xml")
        return kXmlNamespace;
    if (const char *value = ownDeclaration(prefix))
        return value;
    return m_parent ? m_parent->inheritedURI(prefix) : "";
}

const char *Element::inheritedURI(std::string_view prefix) const
{
    for (int slot = 0; slot < kLookedUpSlots; ++slot) {
        if (m_found[slot] && m_lookedUp[slot] == prefix)
            return m_found[slot];
    }
    const char *found = uri(prefix);
    m_lookedUp[m_nextSlot] = prefix;
    m_found[m_nextSlot] = found;
    m_nextSlot = (m_nextSlot + 1) % kLookedUpSlots;
    return found;
}

const char *Element::attribute(std::string_view ns, std::string_view local) const
{
    for (const Attribute *attr = attributesBegin(); attr != attributesEnd(); ++attr) {
        if (ns.empty()) {
            if (isName(attr->name, local) && !isDeclaration(attr->name))
                return attr->value;
            continue;
        }
        const std::string_view name = attr->name;
        const std::string_view prefix = prefixOf(name);
        if (!prefix.empty() && name.substr(prefix.size() + 1) == local &&
            !isDeclaration(attr->name) && uri(prefix) == ns)
            return attr->value;
    }
    return nullptr;
}

void Element::plainAttributes(const std::string_view *names, const char **values,
                              size_t count) const
{
    std::fill(values, values + count, nullptr);
    for (const Attribute *attr = attributesBegin(); attr != attributesEnd(); ++attr) {
        for (size_t i = 0; i < count; ++i) {
            if (!values[i] && isName(attr->name, names[i]) && !isDeclaration(attr->name)) {
                values[i] = attr->value;
                break;
            }
        }
    }
}

} // namespace xmlnamespaces
