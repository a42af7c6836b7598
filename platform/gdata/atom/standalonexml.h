// The XML of an element that the reader does not model, kept so that an update writes it back as it
// came: the element as pugixml writes it, with the namespace declarations it borrowed from its
// ancestors added after its own attributes, so that it reads the same on its own.
#pragma once

#include "platform/gdata/atom/xmlnamespaces.h"

#include <QByteArray>

#include <string>
#include <string_view>
#include <vector>

class StandaloneXmlWriter
{
public:
    // The element and everything below it. One writer serves a whole parse: its working room is
    // kept from element to element.
    QByteArray write(const xmlnamespaces::Element &element);

private:
    void writeStartTag(const pugi::xml_node &node);
    void writeEndTag(const pugi::xml_node &node);
    void writeText(const char *text);
    void writeCData(const char *text);
    void usePrefix(std::string_view prefix);
    void writeDeclarations(const xmlnamespaces::Element &element);

    std::string m_xml;
    std::string m_declarations;
    std::vector<std::string_view> m_prefixes;
};
