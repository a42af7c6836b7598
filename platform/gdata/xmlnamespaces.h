// Namespace resolution over pugixml, which keeps prefixes as written: a prefix means what the xmlns
// declarations in scope say, whatever letters the sender chose.
#pragma once

#include <pugixml.hpp>

#include <string_view>

namespace xmlnamespaces {

// The namespace URI of an element's or an attribute's prefix, looked up from node outwards; an
// unprefixed element takes the default namespace, an unprefixed attribute none.
std::string_view namespaceOfElement(const pugi::xml_node &node);
std::string_view localName(const char *qualifiedName);
bool isElement(const pugi::xml_node &node, std::string_view ns, std::string_view local);

// The value of the attribute with that namespace and local name (ns empty: unprefixed), or null.
pugi::xml_attribute attribute(const pugi::xml_node &node, std::string_view ns,
                              std::string_view local);

// Copies every declaration in scope at node (declared on its ancestors) onto target, unless target
// declares that prefix itself, so the copy of a subtree reads the same on its own.
void copyDeclarationsInScope(const pugi::xml_node &node, pugi::xml_node target);

} // namespace xmlnamespaces
