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

// Declares on target, a copy of node's subtree, each prefix the subtree uses that node's ancestors
// declared, so the copy reads the same on its own.
void declareUsedNamespaces(const pugi::xml_node &node, pugi::xml_node target);

} // namespace xmlnamespaces
