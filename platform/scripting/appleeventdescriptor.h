#pragma once

#include "platform/scripting/fourcharcode.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstring>

// A typed value as scripts and commands between programs answer it: a four-character type code
// with the value's bytes (in the machine's byte order), a list of items, a record of keyword
// fields, or an event with its parameters. A descriptor of type 0 is no value at all.
class AppleEventDescriptor
{
public:
    AppleEventDescriptor() = default;
    AppleEventDescriptor(FourCharCode type, QByteArray data);

    static AppleEventDescriptor nullDescriptor();
    static AppleEventDescriptor listDescriptor();
    static AppleEventDescriptor recordDescriptor();
    static AppleEventDescriptor descriptorWithString(const QString &text); // 'utxt'
    static AppleEventDescriptor descriptorWithBoolean(bool value);         // 'bool'
    static AppleEventDescriptor descriptorWithInt32(std::int32_t value);   // 'long'
    static AppleEventDescriptor descriptorWithTypeCode(FourCharCode code); // 'type'
    static AppleEventDescriptor descriptorWithEnumCode(FourCharCode code); // 'enum'
    // An event of the class and ID, sent to the target, with the return and transaction IDs.
    static AppleEventDescriptor appleEvent(FourCharCode eventClass, FourCharCode eventID,
                                           const AppleEventDescriptor &target,
                                           std::int16_t returnID, std::int32_t transactionID);

    FourCharCode descriptorType() const { return m_type; }
    const QByteArray &data() const { return m_data; }

    // 'TEXT', 'STXT', 'itxt', 'utxt', 'utf8' and 'ut16'.
    static bool isTextType(FourCharCode type);

    // The text of a text descriptor; a null string for any other type.
    QString stringValue() const;
    bool booleanValue() const;
    std::int32_t int32Value() const;
    FourCharCode typeCodeValue() const;
    FourCharCode enumCodeValue() const;

    // Lists and records: items are numbered from 1.
    int numberOfItems() const { return int(m_items.size()); }
    AppleEventDescriptor descriptorAtIndex(int index) const;
    // Inserts at the index (1 is the front); an index past the end appends.
    void insertDescriptor(const AppleEventDescriptor &item, int index);
    // Records and events: a field or parameter under its keyword, replacing an earlier one.
    void setDescriptorForKeyword(const AppleEventDescriptor &item, FourCharCode keyword);
    AppleEventDescriptor descriptorForKeyword(FourCharCode keyword) const;

    // Events only; the target is kept as the attribute 'addr'.
    FourCharCode eventClass() const { return m_eventClass; }
    FourCharCode eventID() const { return m_eventID; }
    std::int16_t returnID() const { return m_returnID; }
    std::int32_t transactionID() const { return m_transactionID; }

    // For log lines: the type code and the text or the size of the value.
    QString description() const;

    bool operator==(const AppleEventDescriptor &) const = default;

private:
    FourCharCode m_type = 0;
    QByteArray m_data;
    QList<AppleEventDescriptor> m_items;
    QList<FourCharCode> m_keywords; // beside m_items, for records and events
    FourCharCode m_eventClass = 0;
    FourCharCode m_eventID = 0;
    std::int16_t m_returnID = 0;
    std::int32_t m_transactionID = 0;
};

// Reads a value of a plain type from the start of a descriptor's bytes, or gives false when the
// bytes are too few.
template <typename T> bool readValue(const QByteArray &data, T *value)
{
    if (data.size() < qsizetype(sizeof(T)))
        return false;
    std::memcpy(value, data.constData(), sizeof(T));
    return true;
}

template <typename T> QByteArray bytesOf(T value)
{
    return QByteArray(reinterpret_cast<const char *>(&value), sizeof(T));
}
