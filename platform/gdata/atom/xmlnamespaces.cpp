#include "platform/gdata/atom/xmlnamespaces.h"

#include <cstring>
#include <set>
#include <string>

namespace xmlnamespaces {

namespace {

constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";

std::string_view prefixOf(const char *qualifiedName)
{
    const char *colon = std::strchr(qualifiedName, ':');
    return colon ? std::string_view(qualifiedName, colon - qualifiedName) : std::string_view();
}

// The URI bound to prefix at node (empty prefix: the default namespace).
std::string_view lookup(pugi::xml_node node, std::string_view prefix)
{
    if (prefix == "xml")
        return kXmlNamespace;
    for (; node && node.type() == pugi::node_element; node = node.parent()) {
        for (const pugi::xml_attribute &attr : node.attributes()) {
            const std::string_view name = attr.name();
            if (prefix.empty() ? name == "xmlns"
                               : (name.size() == prefix.size() + 6 && name.starts_with("xmlns:") &&
                                  name.substr(6) == prefix))
                return attr.value();
        }
    }
    return {};
}

bool isDeclaration(std::string_view name)
{
    return name == "xmlns" || name.starts_with("xmlns:");
}

} // namespace

std::string_view namespaceOfElement(const pugi::xml_node &node)
{
    return lookup(node, prefixOf(node.name()));
}

std::string_view localName(const char *qualifiedName)
{
    const char *colon = std::strchr(qualifiedName, ':');
    return colon ? std::string_view(colon + 1) : std::string_view(qualifiedName);
}

bool isElement(const pugi::xml_node &node, std::string_view ns, std::string_view local)
{
    return node.type() == pugi::node_element && localName(node.name()) == local &&
           namespaceOfElement(node) == ns;
}

pugi::xml_attribute attribute(const pugi::xml_node &node, std::string_view ns,
                              std::string_view local)
{
    for (const pugi::xml_attribute &attr : node.attributes()) {
        if (isDeclaration(attr.name()) || localName(attr.name()) != local)
            continue;
        const std::string_view prefix = prefixOf(attr.name());
        if (prefix.empty() ? ns.empty() : lookup(node, prefix) == ns)
            return attr;
    }
    return {};
}

void declareUsedNamespaces(const pugi::xml_node &node, pugi::xml_node target)
{
    std::set<std::string, std::less<>> prefixes;
    // Iterative walk: a deeply nested input must not exhaust the stack.
    for (pugi::xml_node current = target; current;) {
        if (current.type() == pugi::node_element) {
            prefixes.emplace(prefixOf(current.name()));
            for (const pugi::xml_attribute &attr : current.attributes()) {
                const std::string_view prefix = prefixOf(attr.name());
                if (!prefix.empty() && prefix != "xmlns")
                    prefixes.emplace(prefix);
            }
        }
        if (current.first_child()) {
            current = current.first_child();
            continue;
        }
        while (current && current != target && !current.next_sibling())
            current = current.parent();
        current = current == target ? pugi::xml_node() : current.next_sibling();
    }
    for (const std::string &prefix : prefixes) {
        const std::string name = prefix.empty() ? "xmlns" : "xmlns:" + prefix;
        if (prefix == "xml" || target.attribute(name.c_str()))
            continue;
        const std::string_view uri = lookup(node, prefix);
        if (!uri.empty() || prefix.empty())
            target.append_attribute(name.c_str()).set_value(std::string(uri).c_str());
    }
}

} // namespace xmlnamespaces
