// Atom text to entry objects and back: namespaces by declaration, absent versus empty values,
// elements this layer does not model, and input that is not Atom at all.

#include "platform/gdata/atom/atomreader.h"
#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/atom/xmlnamespaces.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Kind = GDataEntryBase::Kind;

void replaceProperty(GDataEntryBase &entry, const GDataExtendedProperty &property)
{
    std::vector<GDataExtendedProperty> properties = entry.extendedProperties();
    for (GDataExtendedProperty &old : properties) {
        if (old.name() == property.name())
            old = property;
    }
    entry.setExtendedProperties(properties);
}

GDataEntryContactPtr contactFrom(const QByteArray &xml)
{
    const auto entry = atomreader::parseEntry(xml, Kind::Contact);
    EXPECT_TRUE(entry.has_value());
    return entry ? std::dynamic_pointer_cast<GDataEntryContact>(*entry) : nullptr;
}

TEST(AtomReaderTest, Prefixes_AreMappedThroughTheirDeclarations)
{
    // Other letters for the same namespaces, a default namespace that is not Atom's, and a
    // prefix that means Atom: only the declarations count.
    const QByteArray xml =
        R"(<a:entry xmlns:a="http://www.w3.org/2005/Atom" xmlns="urn:other"
                    xmlns:x="http://schemas.google.com/g/2005" x:etag="&quot;E1.&quot;">
             <a:id>http://h/m8/feeds/contacts/u%40e/base/1</a:id>
             <a:title>Anna</a:title>
             <x:email address="anna@example.org" rel="http://schemas.google.com/g/2005#home"/>
             <email address="not-gd@example.org"/>
             <g:phoneNumber xmlns:g="http://schemas.google.com/g/2005" label="Main">+1 555</g:phoneNumber>
           </a:entry>)";
    const auto contact = contactFrom(xml);
    ASSERT_TRUE(contact);
    EXPECT_EQ(contact->identifier(), QStringLiteral("http://h/m8/feeds/contacts/u%40e/base/1"));
    EXPECT_EQ(contact->title(), QStringLiteral("Anna"));
    EXPECT_EQ(contact->ETag(), QStringLiteral("\"E1.\""));
    ASSERT_EQ(contact->emailAddresses().size(), 1u);
    EXPECT_EQ(contact->emailAddresses()[0].address, QStringLiteral("anna@example.org"));
    ASSERT_EQ(contact->phoneNumbers().size(), 1u);
    EXPECT_EQ(contact->phoneNumbers()[0].label, QStringLiteral("Main"));
    EXPECT_FALSE(contact->phoneNumbers()[0].rel.has_value());
    EXPECT_EQ(contact->unknownElements().size(), 1u); // the urn:other email
}

TEST(AtomReaderTest, AbsentAndEmptyValues_StayApart)
{
    const auto untitled = contactFrom(R"(<entry xmlns="http://www.w3.org/2005/Atom"/>)");
    EXPECT_FALSE(untitled->title().has_value());
    EXPECT_FALSE(untitled->content().has_value());
    const auto empty = contactFrom(
        R"(<entry xmlns="http://www.w3.org/2005/Atom"><title></title><content type="text"/></entry>)");
    EXPECT_EQ(empty->title(), QString());
    EXPECT_EQ(empty->content(), QString());

    const auto reread = contactFrom(atomwriter::entryXML(*empty));
    EXPECT_EQ(reread->title(), QString());
    EXPECT_FALSE(contactFrom(atomwriter::entryXML(*untitled))->title().has_value());
}

TEST(AtomReaderTest, UnknownElements_AreWrittenBackWithTheirNamespaces)
{
    const QByteArray xml =
        R"(<entry xmlns="http://www.w3.org/2005/Atom" xmlns:gContact="http://schemas.google.com/contact/2008"
                  xmlns:gd="http://schemas.google.com/g/2005">
             <title>Anna</title>
             <gContact:birthday when="1970-03-14"/>
             <gContact:website href="http://example.org/" rel="home-page"/>
             <gd:structuredPostalAddress><gd:city>Springfield</gd:city></gd:structuredPostalAddress>
             <gd:organization><gd:orgName>Acme</gd:orgName><gd:orgDepartment>R&amp;D</gd:orgDepartment></gd:organization>
           </entry>)";
    const auto contact = contactFrom(xml);
    ASSERT_EQ(contact->unknownElements().size(), 3u);
    contact->setTitle(QStringLiteral("Anna Smith"));
    const auto reread = contactFrom(atomwriter::entryXML(*contact));
    EXPECT_EQ(reread->title(), QStringLiteral("Anna Smith"));
    EXPECT_EQ(reread->unknownElements(), contact->unknownElements());
    EXPECT_TRUE(atomwriter::entryXML(*reread).contains("Springfield"));
    ASSERT_EQ(reread->organizations().size(), 1u);
    EXPECT_EQ(reread->organizations()[0].orgName, QStringLiteral("Acme"));
    EXPECT_TRUE(
        atomwriter::entryXML(*reread).contains(">R&amp;D</gd:orgDepartment></gd:organization>"));
}

TEST(AtomReaderTest, UnknownElements_KeepEscapedTextAndBorrowedNamespacesThroughAWriteBack)
{
    // Markup characters, a tab and a line break in values, a CDATA section that holds "]]>", and
    // a prefix that only an ancestor declares.
    const QByteArray xml =
        R"(<entry xmlns="http://www.w3.org/2005/Atom" xmlns:x="urn:x&amp;y">
             <x:note a="1 &amp; 2 &lt; 3 &gt; 0 &quot;q&quot; &#9;tab&#10;line">a &amp; b &lt; c &gt; d<![CDATA[raw ]]]]><![CDATA[> <end>]]></x:note>
           </entry>)";
    const auto contact = contactFrom(xml);
    ASSERT_TRUE(contact);
    ASSERT_EQ(contact->unknownElements().size(), 1u);
    const auto reread = contactFrom(atomwriter::entryXML(*contact));
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->unknownElements(), contact->unknownElements());

    pugi::xml_document kept;
    const QByteArray &fragment = contact->unknownElements()[0];
    ASSERT_TRUE(kept.load_buffer(fragment.constData(), size_t(fragment.size())))
        << fragment.constData();
    const pugi::xml_node note = kept.document_element();
    EXPECT_STREQ(note.attribute("xmlns:x").value(), "urn:x&y");
    EXPECT_STREQ(note.attribute("a").value(), "1 & 2 < 3 > 0 \"q\" \ttab\nline");
    std::string text;
    for (const pugi::xml_node &part : note.children())
        text += part.value();
    EXPECT_EQ(text, "a & b < c > draw ]]> <end>");
}

TEST(AtomReaderTest, ExtendedPropertyText_IsEscapedOnceByTheWriter)
{
    auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("A & B"));
    auto property = GDataExtendedProperty::propertyWithName(QStringLiteral("PROPNAME"));
    property.setXMLValues({{QStringLiteral("aID"), QStringLiteral("x:ABPerson")},
                           {QStringLiteral("note"), QStringLiteral("&amp; <b>")}});
    contact->addExtendedProperty(property);
    const QByteArray xml = atomwriter::entryXML(*contact);
    EXPECT_TRUE(xml.contains("&amp;amp; &lt;b&gt;"));
    const auto reread = contactFrom(xml);
    const auto readProperty = reread->extendedPropertyForName(QStringLiteral("PROPNAME"));
    ASSERT_TRUE(readProperty.has_value());
    EXPECT_EQ(readProperty->XMLValueForKey(QStringLiteral("note")), QStringLiteral("&amp; <b>"));
    EXPECT_EQ(readProperty->XMLValues(), property.XMLValues());
    EXPECT_EQ(reread->title(), QStringLiteral("A & B"));
}

TEST(AtomReaderTest, ExtendedPropertyText_IsTheValueAndUnchangedPropertiesGoBackAsTheyCame)
{
    const QByteArray xml =
        R"(<entry xmlns="http://www.w3.org/2005/Atom" xmlns:gd="http://schemas.google.com/g/2005">
             <title>Anna</title>
             <gd:extendedProperty name="CALURI">http://example.com/</gd:extendedProperty>
             <gd:extendedProperty name="DEEP"><a x="1"><b>inner</b></a></gd:extendedProperty>
             <gd:extendedProperty name="MINE"><n>1</n></gd:extendedProperty>
           </entry>)";
    const auto contact = contactFrom(xml);
    ASSERT_TRUE(contact);
    const auto calUri = contact->extendedPropertyForName(QStringLiteral("CALURI"));
    ASSERT_TRUE(calUri.has_value());
    EXPECT_EQ(calUri->value(), QStringLiteral("http://example.com/"));

    auto mine = *contact->extendedPropertyForName(QStringLiteral("MINE"));
    mine.setXMLValue(QStringLiteral("2"), QStringLiteral("n"));
    replaceProperty(*contact, mine);
    const QByteArray written = atomwriter::entryXML(*contact);
    EXPECT_TRUE(written.contains(R"(name="CALURI">http://example.com/</gd:extendedProperty>)"))
        << written.constData();
    EXPECT_TRUE(written.contains(R"(name="DEEP"><a x="1"><b>inner</b></a></gd:extendedProperty>)"))
        << written.constData();
    EXPECT_TRUE(written.contains("<n>2</n>")) << written.constData();

    // A text value that the system changes stays a text value.
    auto changed = *calUri;
    changed.setValue(QStringLiteral("http://example.org/new"));
    replaceProperty(*contact, changed);
    const auto reread = contactFrom(atomwriter::entryXML(*contact));
    EXPECT_EQ(reread->extendedPropertyForName(QStringLiteral("CALURI"))->value(),
              QStringLiteral("http://example.org/new"));
    EXPECT_TRUE(atomwriter::entryXML(*contact).contains(">http://example.org/new</"));
}

// An element as a namespace-aware reader sees it: namespace and local name, attributes other
// than declarations (sorted), text, then the children in order.
std::string described(const pugi::xml_node &node)
{
    if (node.type() != pugi::node_element)
        return std::string(node.type() == pugi::node_cdata ? "cdata:" : "text:") + node.value();
    const std::string_view name = node.name();
    const size_t colon = name.find(':');
    std::string out = "{" + std::string(xmlnamespaces::namespaceOfElement(node)) + "}" +
                      std::string(colon == std::string_view::npos ? name : name.substr(colon + 1));
    std::vector<std::string> attributes;
    for (const pugi::xml_attribute &attr : node.attributes()) {
        const std::string_view attrName = attr.name();
        if (attrName != "xmlns" && attrName.substr(0, 6) != "xmlns:")
            attributes.push_back(std::string(attrName) + "=" + attr.value());
    }
    std::sort(attributes.begin(), attributes.end());
    for (const std::string &attribute : attributes)
        out += " " + attribute;
    out += "[";
    for (const pugi::xml_node &child : node.children())
        out += described(child) + ",";
    return out + "]";
}

std::string describedProperty(const QByteArray &entryXML)
{
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_buffer(entryXML.constData(), size_t(entryXML.size()),
                                pugi::parse_default | pugi::parse_ws_pcdata_single));
    for (const pugi::xml_node &child : doc.document_element().children()) {
        if (xmlnamespaces::isElement(child, kGDataNamespaceGData, "extendedProperty"))
            return described(child);
    }
    return {};
}

// Whether a property is written from its fields or from the XML it came in, an unchanged one goes
// back to the server meaning exactly what it meant.
TEST(AtomReaderTest, UnchangedExtendedProperties_GoBackMeaningWhatTheyCameAs)
{
    const QByteArray atomEntry = R"(<entry xmlns="http://www.w3.org/2005/Atom" )"
                                 R"(xmlns:gd="http://schemas.google.com/g/2005">)";
    const QByteArray prefixedEntry = R"(<a:entry xmlns:a="http://www.w3.org/2005/Atom" )"
                                     R"(xmlns:gd="http://schemas.google.com/g/2005">)";
    const struct
    {
        QByteArray open;
        const char *property;
        const char *close;
    } cases[] = {
        {atomEntry, R"(<gd:extendedProperty name="p" value="v"/>)", "</entry>"},
        {atomEntry,
         R"(<gd:extendedProperty name="p"><uid>x:ABPerson</uid><note>a &amp; b</note><e/></gd:extendedProperty>)",
         "</entry>"},
        {atomEntry,
         R"(<gd:extendedProperty name="CALURI"> http://example.com/ </gd:extendedProperty>)",
         "</entry>"},
        {atomEntry, R"(<gd:extendedProperty name="p" realm="other" value="v"/>)", "</entry>"},
        {atomEntry, R"(<gd:extendedProperty value="v"/>)", "</entry>"},
        {atomEntry, R"(<gd:extendedProperty name="p" value="v">text</gd:extendedProperty>)",
         "</entry>"},
        {atomEntry, R"(<gd:extendedProperty name="p"> </gd:extendedProperty>)", "</entry>"},
        {atomEntry, R"(<gd:extendedProperty name="p"><![CDATA[a<b]]></gd:extendedProperty>)",
         "</entry>"},
        {atomEntry,
         R"(<gd:extendedProperty name="p"><x:uid xmlns:x="urn:x">1</x:uid></gd:extendedProperty>)",
         "</entry>"},
        {atomEntry, R"(<gd:extendedProperty name="p"><uid kind="a">1</uid></gd:extendedProperty>)",
         "</entry>"},
        {atomEntry,
         R"(<gd:extendedProperty name="p"><info>1<deep>2</deep></info></gd:extendedProperty>)",
         "</entry>"},
        {atomEntry,
         R"(<gd:extendedProperty name="p" xmlns="urn:y"><uid>1</uid></gd:extendedProperty>)",
         "</entry>"},
        // Without a default namespace an unprefixed child is in none, not Atom's.
        {prefixedEntry, R"(<gd:extendedProperty name="p"><uid>1</uid></gd:extendedProperty>)",
         "</a:entry>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.property);
        const QByteArray source = c.open + c.property + c.close;
        const auto contact = contactFrom(source);
        ASSERT_TRUE(contact);
        ASSERT_EQ(contact->extendedProperties().size(), 1u);
        const QByteArray written = atomwriter::entryXML(*contact);
        EXPECT_EQ(describedProperty(written), describedProperty(source)) << written.constData();
        const auto reread = contactFrom(written);
        ASSERT_EQ(reread->extendedProperties().size(), 1u);
        EXPECT_EQ(reread->extendedProperties()[0], contact->extendedProperties()[0]);
    }
}

TEST(AtomReaderTest, ContactElements_RoundTrip)
{
    auto contact = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Anna"));
    contact->setContentWithString(QStringLiteral("first line\nsecond line"));
    contact->setEmailAddresses({{"a@example.org", QString(kGDataContactHome), std::nullopt, true}});
    contact->setPostalAddresses(
        {{"1 Main St\nSpringfield", std::nullopt, QStringLiteral(""), false}});
    contact->setIMAddresses({{"anna@jabber.org",
                              QString(kGDataIMProtocolJabber),
                              QString(kGDataContactOther),
                              {},
                              false}});
    contact->setOrganizations(
        {{QStringLiteral("Acme"), std::nullopt, QString(kGDataContactWork), {}, true}});
    contact->setGroupMembershipInfos(
        {{QStringLiteral("http://h/m8/feeds/groups/u/base/6"), false}});
    contact->setBatchID(QStringLiteral("id-1"));
    contact->setBatchOperation(QString(kGDataBatchOperationUpdate));
    const auto reread = contactFrom(atomwriter::entryXML(*contact));
    EXPECT_EQ(reread->content(), contact->content());
    EXPECT_EQ(reread->emailAddresses()[0].primary, true);
    EXPECT_EQ(reread->postalAddresses()[0].stringValue, QStringLiteral("1 Main St\nSpringfield"));
    EXPECT_EQ(reread->postalAddresses()[0].label, QStringLiteral(""));
    EXPECT_EQ(reread->IMAddresses()[0].protocol, QString(kGDataIMProtocolJabber));
    EXPECT_EQ(reread->organizations()[0].orgName, QStringLiteral("Acme"));
    EXPECT_FALSE(reread->organizations()[0].orgTitle.has_value());
    EXPECT_EQ(reread->groupMembershipInfos(), contact->groupMembershipInfos());
    EXPECT_EQ(reread->batchID(), QStringLiteral("id-1"));
    EXPECT_EQ(reread->batchOperation(), QString(kGDataBatchOperationUpdate));
}

TEST(AtomReaderTest, FeedEntries_TakeTheirKindFromTheCategory)
{
    const QByteArray xml =
        R"(<feed xmlns="http://www.w3.org/2005/Atom" xmlns:gContact="http://schemas.google.com/contact/2008"
                 xmlns:openSearch="http://a9.com/-/spec/opensearch/1.1/">
             <openSearch:totalResults>2</openSearch:totalResults>
             <link rel="next" href="http://h/next"/>
             <entry><category scheme="http://schemas.google.com/g/2005#kind"
                              term="http://schemas.google.com/contact/2008#group"/>
                    <title>System Group: My Contacts</title><gContact:systemGroup id="Contacts"/></entry>
             <entry><title>Anna</title></entry>
           </feed>)";
    const auto feed = atomreader::parseFeed(xml, Kind::Contact);
    ASSERT_TRUE(feed.has_value());
    EXPECT_EQ((*feed)->totalResults(), 2);
    EXPECT_EQ((*feed)->nextLink()->href, QStringLiteral("http://h/next"));
    ASSERT_EQ((*feed)->entries().size(), 2u);
    const auto group = std::dynamic_pointer_cast<GDataEntryContactGroup>((*feed)->entries()[0]);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->systemGroup(), QStringLiteral("Contacts"));
    EXPECT_EQ((*feed)->entries()[1]->kind(), Kind::Contact);
}

TEST(AtomReaderTest, UpdatedDates_ReadInEveryISOFormAsUTC)
{
    const struct
    {
        const char *text;
        qint64 msecs; // -1: no date
    } cases[] = {
        {"2009-03-14T22:09:26.123Z", 1237068566123},
        {"2009-03-14T22:09:26Z", 1237068566000},
        {"2009-03-14T23:09:26.123+01:00", 1237068566123},
        {"2009-13-45T22:09:26.123Z", -1},
        {"yesterday", -1},
    };
    for (const auto &c : cases) {
        const auto contact =
            contactFrom(QByteArray(R"(<entry xmlns="http://www.w3.org/2005/Atom"><updated>)") +
                        c.text + "</updated></entry>");
        const QDateTime date = contact->updatedDate();
        if (c.msecs < 0) {
            EXPECT_FALSE(date.isValid()) << c.text;
        } else {
            EXPECT_EQ(date.toMSecsSinceEpoch(), c.msecs) << c.text;
            EXPECT_EQ(date.timeSpec(), Qt::UTC) << c.text;
        }
    }
}

TEST(AtomReaderTest, NotAtom_IsAnErrorNeverAnEmptyFeed)
{
    const QByteArray cases[] = {
        "",
        "<html><body>502 Bad Gateway</body></html>",
        "<feed xmlns=\"http://www.w3.org/2005/Atom\"><entry><title>cut off",
        "<feed><entry/></feed>", // no Atom namespace
        "Error=BadAuthentication",
        "<entry xmlns=\"http://www.w3.org/2005/Atom\"/>", // an entry where a feed is expected
    };
    for (const QByteArray &text : cases) {
        atomreader::ParseError error;
        EXPECT_FALSE(atomreader::parseFeed(text, Kind::Contact, &error).has_value())
            << text.constData();
        EXPECT_FALSE(error.message.isEmpty());
    }
}

} // namespace
