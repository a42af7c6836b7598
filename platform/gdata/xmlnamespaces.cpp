#include "platform/gdata/xmlnamespaces.h"

#include <cstring>

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

void copyDeclarationsInScope(const pugi::xml_node &node, pugi::xml_node target)
{
    for (pugi::xml_node scope = node.parent(); scope && scope.type() == pugi::node_element;
         scope = scope.parent()) {
        for (const pugi::xml_attribute &attr : scope.attributes()) {
            if (isDeclaration(attr.name()) && !target.attribute(attr.name()))
                target.append_attribute(attr.name()).set_value(attr.value());
        }
    }
}

} // namespace xmlnamespaces
