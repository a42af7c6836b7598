#pragma once

#include <QByteArray>

class PropertyValues;
class Record;

// The stored form of a record's properties (and of a group's members, subgroups and smart-group
// criteria): a versioned binary stream that keeps every value exactly, dates to the millisecond
// and multi-value identifiers included.
class RecordCodec
{
public:
    static QByteArray encode(const Record &record);
    // Replaces the record's properties with the stored ones; false, leaving the record as it
    // was, when the data is not a stored record.
    static bool decodeInto(Record &record, const QByteArray &data);
    // The same check, with a person's properties read only when they are first looked at; a
    // group is read at once.
    static bool decodeLaterInto(Record &record, const QByteArray &data);
    // A person's values give way to data, encode()'s of them at this moment (or a stored form
    // isReadable accepted), and are read again from it when next looked at: the stored form
    // takes a fraction of their memory.
    static void keepEncoded(Record &record, const QByteArray &data);
    // A person's properties from data that decodeLaterInto accepted.
    static void decodeValues(const QByteArray &data, PropertyValues &values);
    // Whether decodeInto would read the data into a person (isGroup false) or a group.
    static bool isReadable(const QByteArray &data, bool isGroup);
};
