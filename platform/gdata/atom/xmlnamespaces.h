// Namespace resolution over pugixml, which keeps prefixes as written: a prefix means what the xmlns
// declarations in scope say, whatever letters the sender chose.
#pragma once

#include <pugixml.hpp>

#include <string_view>
#include <vector>

namespace xmlnamespaces {

// The namespace URI of an element's prefix, looked up from node outwards; an unprefixed element
// takes the default namespace.
std::string_view namespaceOfElement(const pugi::xml_node &node);
bool isElement(const pugi::xml_node &node, std::string_view ns, std::string_view local);

// The prefix of a name as written ("gd" of "gd:email"); empty when it has none.
std::string_view prefixOf(std::string_view qualifiedName);

// An element as a reader meets it going down the tree: its name and attributes read once, and the
// declarations in scope found through the elements it came through, so that a prefix is resolved
// without walking back to the root for every element and attribute. The parent must outlive it.
class Element
{
public:
    // parent: the element the reader came from; null for the document element.
    Element(const pugi::xml_node &node, const Element *parent);
    Element(const Element &) = delete;
    Element &operator=(const Element &) = delete;

    const pugi::xml_node &node() const { return m_node; }
    const Element *parent() const { return m_parent; }
    std::string_view localName() const { return m_local; }
    std::string_view namespaceURI() const { return m_namespace; }
    bool is(std::string_view ns, std::string_view local) const
    {
        return m_local == local && m_namespace == ns;
    }

    // The value of the attribute with that namespace and local name (ns empty: unprefixed), or
    // null.
    const char *attribute(std::string_view ns, std::string_view local) const;
    // The values of several unprefixed attributes read in one pass: values[i] is that of names[i],
    // or null. The first attribute of a name counts, as with attribute().
    void plainAttributes(const std::string_view *names, const char **values, size_t count) const;
    // The URI bound to prefix here (empty prefix: the default namespace); empty when unbound.
    const char *uri(std::string_view prefix) const;
    // Whether this element itself declares prefix (empty: the default namespace).
    bool declares(std::string_view prefix) const { return ownDeclaration(prefix) != nullptr; }

private:
    struct Attribute
    {
        const char *name;
        const char *value;
    };
    static constexpr int kInlineAttributes = 8;

    const Attribute *attributesBegin() const { return m_more.empty() ? m_inline : m_more.data(); }
    const Attribute *attributesEnd() const { return attributesBegin() + m_attributeCount; }
    const char *ownDeclaration(std::string_view prefix) const;
    const char *inheritedURI(std::string_view prefix) const;

    pugi::xml_node m_node;
    const Element *m_parent;
    std::string_view m_local;
    std::string_view m_namespace;
    bool m_declares = false;
    int m_attributeCount = 0;
    Attribute m_inline[kInlineAttributes];
    std::vector<Attribute> m_more; // every attribute, when there are more than fit inline
    // The last prefixes its children looked up through this element: an entry's children take
    // turns among the default namespace and three or so prefixes.
    static constexpr int kLookedUpSlots = 4;
    mutable std::string_view m_lookedUp[kLookedUpSlots];
    mutable const char *m_found[kLookedUpSlots] = {};
    mutable int m_nextSlot = 0;
};

} // namespace xmlnamespaces
