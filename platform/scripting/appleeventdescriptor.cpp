#include "platform/scripting/appleeventdescriptor.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr FourCharCode kAddressAttribute = fourCharCode("addr");

} // namespace

bool AppleEventDescriptor::isTextType(FourCharCode type)
{
    static constexpr FourCharCode kText[] = {fourCharCode("TEXT"), fourCharCode("STXT"),
                                             fourCharCode("itxt"), fourCharCode("utxt"),
                                             fourCharCode("utf8"), fourCharCode("ut16")};
    return std::find(std::begin(kText), std::end(kText), type) != std::end(kText);
}

AppleEventDescriptor::AppleEventDescriptor(FourCharCode type, QByteArray data)
    : m_type(type)
    , m_data(std::move(data))
{}

AppleEventDescriptor AppleEventDescriptor::nullDescriptor()
{
    return {fourCharCode("null"), {}};
}

AppleEventDescriptor AppleEventDescriptor::listDescriptor()
{
    return {fourCharCode("list"), {}};
}

AppleEventDescriptor AppleEventDescriptor::recordDescriptor()
{
    return {fourCharCode("reco"), {}};
}

AppleEventDescriptor AppleEventDescriptor::descriptorWithString(const QString &text)
{
    return {fourCharCode("utxt"),
            QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2)};
}

AppleEventDescriptor AppleEventDescriptor::descriptorWithBoolean(bool value)
{
    return {fourCharCode("bool"), bytesOf<std::uint8_t>(value ? 1 : 0)};
}

AppleEventDescriptor AppleEventDescriptor::descriptorWithInt32(std::int32_t value)
{
    return {fourCharCode("long"), bytesOf(value)};
}

AppleEventDescriptor AppleEventDescriptor::descriptorWithTypeCode(FourCharCode code)
{
    return {fourCharCode("type"), bytesOf(code)};
}

AppleEventDescriptor AppleEventDescriptor::descriptorWithEnumCode(FourCharCode code)
{
    return {fourCharCode("enum"), bytesOf(code)};
}

AppleEventDescriptor AppleEventDescriptor::appleEvent(FourCharCode eventClass, FourCharCode eventID,
                                                      const AppleEventDescriptor &target,
                                                      std::int16_t returnID,
                                                      std::int32_t transactionID)
{
    AppleEventDescriptor event(fourCharCode("aevt"), {});
    event.m_eventClass = eventClass;
    event.m_eventID = eventID;
    event.m_returnID = returnID;
    event.m_transactionID = transactionID;
    event.setDescriptorForKeyword(target, kAddressAttribute);
    return event;
}

QString AppleEventDescriptor::stringValue() const
{
    if (!isTextType(m_type))
        return {};
    if (m_type == fourCharCode("utxt") || m_type == fourCharCode("ut16"))
        return QString(reinterpret_cast<const QChar *>(m_data.constData()), m_data.size() / 2);
    return QString::fromUtf8(m_data);
}

bool AppleEventDescriptor::booleanValue() const
{
    if (m_type == fourCharCode("true"))
        return true;
    std::uint8_t value = 0;
    return readValue(m_data, &value) && value != 0;
}

std::int32_t AppleEventDescriptor::int32Value() const
{
    std::int32_t value = 0;
    readValue(m_data, &value);
    return value;
}

FourCharCode AppleEventDescriptor::typeCodeValue() const
{
    FourCharCode value = 0;
    readValue(m_data, &value);
    return value;
}

FourCharCode AppleEventDescriptor::enumCodeValue() const
{
    return typeCodeValue();
}

AppleEventDescriptor AppleEventDescriptor::descriptorAtIndex(int index) const
{
    if (index < 1 || index > m_items.size())
        return {};
    return m_items.at(index - 1);
}

void AppleEventDescriptor::insertDescriptor(const AppleEventDescriptor &item, int index)
{
    const qsizetype at = std::clamp<qsizetype>(index - 1, 0, m_items.size());
    m_items.insert(at, item);
    if (!m_keywords.isEmpty())
        m_keywords.insert(at, 0);
}

void AppleEventDescriptor::setDescriptorForKeyword(const AppleEventDescriptor &item,
                                                   FourCharCode keyword)
{
    m_keywords.resize(m_items.size());
    const qsizetype at = m_keywords.indexOf(keyword);
    if (at >= 0) {
        m_items[at] = item;
        return;
    }
    m_items.append(item);
    m_keywords.append(keyword);
}

AppleEventDescriptor AppleEventDescriptor::descriptorForKeyword(FourCharCode keyword) const
{
    const qsizetype at = m_keywords.indexOf(keyword);
    return at >= 0 ? m_items.at(at) : AppleEventDescriptor();
}

QString AppleEventDescriptor::description() const
{
    const QString type = QStringLiteral("'") + fourCharCodeText(m_type) + u'\'';
    if (isTextType(m_type))
        return QStringLiteral("<AppleEventDescriptor: %1(\"%2\")>").arg(type, stringValue());
    if (!m_items.isEmpty())
        return QStringLiteral("<AppleEventDescriptor: %1, %2 items>").arg(type).arg(m_items.size());
    return QStringLiteral("<AppleEventDescriptor: %1, %2 bytes>").arg(type).arg(m_data.size());
}
