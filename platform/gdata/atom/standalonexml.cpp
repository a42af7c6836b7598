#include "platform/gdata/atom/standalonexml.h"

#include <algorithm>

namespace {

// Values are escaped as pugixml escapes what it writes, so that the kept XML is what pugixml would
// write of the element: "&", "<" and '"' in attribute values, "&", "<" and ">" in text, and control
// characters other than tab, line feed and carriage return in text (all of them in attribute
// values) as character references.
bool needsEscape(char c, bool attribute)
{
    const auto code = static_cast<unsigned char>(c);
    if (code >= 32)
        return c == '&' || c == '<' || (attribute ? c == '"' : c == '>');
    return attribute || (c != '\t' && c != '\n' && c != '\r');
}

void appendEscaped(std::string &out, const char *text, bool attribute)
{
    // Runs that need nothing are appended whole, so the common value costs one scan and one copy.
    const char *run = text;
    const char *c = text;
    for (; *c; ++c) {
        if (!needsEscape(*c, attribute))
            continue;
        out.append(run, size_t(c - run));
        run = c + 1;
        const auto code = static_cast<unsigned char>(*c);
        if (*c == '&')
            out += "&amp;";
        else if (*c == '<')
            out += "&lt;";
        else if (*c == '>')
            out += "&gt;";
        else if (*c == '"')
            out += "&quot;";
        else
            out.append("&#").append(1, char('0' + code / 10)).append(1, char('0' + code % 10)) +=
                ';';
    }
    out.append(run, size_t(c - run));
}

} // namespace

QByteArray StandaloneXmlWriter::write(const xmlnamespaces::Element &element)
{
    m_xml.clear();
    m_prefixes.clear();
    const pugi::xml_node root = element.node();
    writeStartTag(root);
    // The borrowed declarations go at the end of the root's start tag, once the prefixes of the
    // whole subtree are known.
    const size_t startTagEnd = m_xml.size();
    // Iterative walk: a deeply nested input must not exhaust the stack. The reader's parse keeps
    // elements, text and CDATA sections only.
    pugi::xml_node current = root;
    for (;;) {
        const pugi::xml_node_type type = current.type();
        if (type == pugi::node_element && current != root)
            writeStartTag(current);
        else if (type == pugi::node_pcdata)
            writeText(current.value());
        else if (type == pugi::node_cdata)
            writeCData(current.value());
        if (type == pugi::node_element) {
            if (const pugi::xml_node first = current.first_child()) {
                m_xml += '>';
                current = first;
                continue;
            }
            m_xml += "/>";
        }
        while (current != root && !current.next_sibling()) {
            current = current.parent();
            writeEndTag(current);
        }
        if (current == root)
            break;
        current = current.next_sibling();
    }
    writeDeclarations(element);
    QByteArray xml;
    xml.reserve(qsizetype(m_xml.size() + m_declarations.size()));
    xml.append(m_xml.data(), qsizetype(startTagEnd));
    xml.append(m_declarations.data(), qsizetype(m_declarations.size()));
    xml.append(m_xml.data() + startTagEnd, qsizetype(m_xml.size() - startTagEnd));
    return xml;
}

void StandaloneXmlWriter::writeStartTag(const pugi::xml_node &node)
{
    const std::string_view name = node.name();
    m_xml += '<';
    m_xml += name;
    usePrefix(xmlnamespaces::prefixOf(name));
    for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
        const std::string_view attrName = attr.name();
        const std::string_view prefix = xmlnamespaces::prefixOf(attrName);
        if (!prefix.empty() && prefix != "xmlns")
            usePrefix(prefix);
        m_xml += ' ';
        m_xml += attrName;
        m_xml += "=\"";
        appendEscaped(m_xml, attr.value(), true);
        m_xml += '"';
    }
}

void StandaloneXmlWriter::writeEndTag(const pugi::xml_node &node)
{
    m_xml += "</";
    m_xml += node.name();
    m_xml += '>';
}

void StandaloneXmlWriter::writeText(const char *text)
{
    appendEscaped(m_xml, text, false);
}

void StandaloneXmlWriter::writeCData(const char *text)
{
    // "]]>" would end the section: it is split across two.
    m_xml += "<![CDATA[";
    for (std::string_view rest = text;;) {
        const size_t end = rest.find("]]>");
        if (end == std::string_view::npos) {
            m_xml += rest;
            break;
        }
        m_xml += rest.substr(0, end + 2);
        m_xml += "]]><![CDATA[";
        rest.remove_prefix(end + 2);
    }
    m_xml += "]]>";
}

void StandaloneXmlWriter::usePrefix(std::string_view prefix)
{
    if (std::find(m_prefixes.begin(), m_prefixes.end(), prefix) == m_prefixes.end())
        m_prefixes.push_back(prefix);
}

void StandaloneXmlWriter::writeDeclarations(const xmlnamespaces::Element &element)
{
    m_declarations.clear();
    std::sort(m_prefixes.begin(), m_prefixes.end());
    for (const std::string_view prefix : m_prefixes) {
        if (prefix == "xml" || element.declares(prefix))
            continue;
        const char *uri = element.parent() ? element.parent()->uri(prefix) : "";
        // An unprefixed element without a default namespace in scope says so, as it did where it
        // stood.
        if (!*uri && !prefix.empty())
            continue;
        m_declarations += prefix.empty() ? " xmlns" : " xmlns:";
        m_declarations += prefix;
        m_declarations += "=\"";
        appendEscaped(m_declarations, uri, true);
        m_declarations += '"';
    }
}
