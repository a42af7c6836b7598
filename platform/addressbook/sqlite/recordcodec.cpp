#include "platform/addressbook/sqlite/recordcodec.h"

#include "platform/addressbook/group.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/addressbook/record.h"

#include <QDate>
#include <QDateTime>

#include <cstring>
#include <optional>

namespace {

constexpr quint32 kFormat = 0x41420002; // "AB" and the format version

// Tags of the stored value kinds. Texts are UTF-8: the whole book is read at every start, and
// most of it is ASCII.
enum class Tag : quint8 {
    Invalid = 0,
    String = 1,
    Integer = 2,
    LongLong = 3,
    Real = 4,
    Date = 5,
    DateTime = 6,
    Data = 7,
    Dictionary = 8,
    Array = 9,
    Boolean = 10,
    MultiValue = 11,
};

class Writer
{
public:
    void integer(qint64 value) { raw(&value, sizeof value); }
    void count(qsizetype value) { integer(qint64(value)); }
    void tag(Tag value) { m_data.append(char(value)); }
    void bytes(const QByteArray &value)
    {
        count(value.size());
        m_data.append(value);
    }
    void text(const QString &value) { bytes(value.toUtf8()); }
    void real(double value) { raw(&value, sizeof value); }

    void value(const QVariant &value)
    {
        switch (value.metaType().id()) {
        case QMetaType::QString:
            tag(Tag::String);
            text(value.toString());
            break;
        case QMetaType::Int:
            tag(Tag::Integer);
            integer(value.toInt());
            break;
        case QMetaType::LongLong:
            tag(Tag::LongLong);
            integer(value.toLongLong());
            break;
        case QMetaType::Double:
            tag(Tag::Real);
            real(value.toDouble());
            break;
        case QMetaType::Bool:
            tag(Tag::Boolean);
            integer(value.toBool() ? 1 : 0);
            break;
        case QMetaType::QDate:
            tag(Tag::Date);
            integer(value.toDate().toJulianDay());
            break;
        case QMetaType::QDateTime:
            tag(Tag::DateTime);
            integer(value.toDateTime().toMSecsSinceEpoch());
            break;
        case QMetaType::QByteArray:
            tag(Tag::Data);
            bytes(value.toByteArray());
            break;
        case QMetaType::QVariantMap: {
            const QVariantMap map = value.toMap();
            tag(Tag::Dictionary);
            count(map.size());
            for (auto it = map.cbegin(); it != map.cend(); ++it) {
                text(it.key());
                this->value(it.value());
            }
            break;
        }
        case QMetaType::QVariantList: {
            const QVariantList list = value.toList();
            tag(Tag::Array);
            count(list.size());
            for (const QVariant &item : list)
                this->value(item);
            break;
        }
        default:
            if (variantHoldsMultiValue(value))
                multiValue(multiValueFromVariant(value));
            else
                tag(Tag::Invalid);
        }
    }

    void multiValue(const MultiValue &value)
    {
        tag(Tag::MultiValue);
        integer(qint64(value.propertyType()));
        text(value.primaryIdentifier());
        count(value.count());
        for (const MultiValueEntry &entry : value.entries()) {
            text(entry.identifier);
            text(entry.label);
            this->value(entry.value);
        }
    }

    // A count and the texts, written through the form the set keeps of its first identifiers.
    void ids(const OrderedIdSet &ids)
    {
        OrderedIdSet::StoredForm &form = ids.storedForm();
        const QStringList &list = ids.list();
        if (form.ids > list.size())
            form = {};
        if (form.ids < list.size()) {
            Writer rest;
            for (qsizetype i = form.ids; i < list.size(); ++i)
                rest.text(list.at(i));
            form.bytes.append(rest.m_data);
            form.ids = list.size();
        }
        count(form.ids);
        m_data.append(form.bytes);
    }

    QByteArray result() const { return m_data; }

private:
    void raw(const void *data, std::size_t size)
    {
        m_data.append(static_cast<const char *>(data), qsizetype(size));
    }

    QByteArray m_data;
};

// Reads what Writer wrote; any read past the end or of an unknown tag marks the whole record
// unreadable rather than guessing.
class Reader
{
public:
    explicit Reader(const QByteArray &data)
        : m_data(data)
    {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_position == m_data.size(); }

    qint64 integer()
    {
        qint64 value = 0;
        raw(&value, sizeof value);
        return value;
    }

    qsizetype count()
    {
        const qint64 value = integer();
        // A count can never exceed the bytes left; this also stops absurd allocations.
        if (value < 0 || value > m_data.size() - m_position) {
            m_ok = false;
            return 0;
        }
        return qsizetype(value);
    }

    Tag tag()
    {
        if (!need(1))
            return Tag::Invalid;
        return static_cast<Tag>(m_data.at(m_position++));
    }

    QByteArray bytes()
    {
        const qsizetype size = count();
        if (!need(size))
            return {};
        QByteArray value = m_data.mid(m_position, size);
        m_position += size;
        return value;
    }

    QString text()
    {
        const qsizetype size = count();
        if (!need(size))
            return {};
        QString value = QString::fromUtf8(m_data.constData() + m_position, size);
        m_position += size;
        return value;
    }

    double real()
    {
        double value = 0;
        raw(&value, sizeof value);
        return value;
    }

    QVariant value() { return valueOfTag(tag()); }

    QStringList texts()
    {
        QStringList values;
        const qsizetype size = count();
        for (qsizetype i = 0; i < size && m_ok; ++i)
            values.append(text());
        return values;
    }

private:
    QVariant valueOfTag(Tag tag)
    {
        switch (tag) {
        case Tag::Invalid:
            return {};
        case Tag::String:
            return text();
        case Tag::Integer:
            return int(integer());
        case Tag::LongLong:
            return qlonglong(integer());
        case Tag::Real:
            return real();
        case Tag::Boolean:
            return integer() != 0;
        case Tag::Date:
            return QDate::fromJulianDay(integer());
        case Tag::DateTime:
            return QDateTime::fromMSecsSinceEpoch(integer(), Qt::UTC);
        case Tag::Data:
            return bytes();
        case Tag::Dictionary: {
            QVariantMap map;
            const qsizetype size = count();
            for (qsizetype i = 0; i < size && m_ok; ++i) {
                const QString key = text();
                map.insert(key, value());
            }
            return map;
        }
        case Tag::Array: {
            QVariantList list;
            const qsizetype size = count();
            for (qsizetype i = 0; i < size && m_ok; ++i)
                list.append(value());
            return list;
        }
        case Tag::MultiValue:
            return QVariant::fromValue(multiValue());
        }
        m_ok = false;
        return {};
    }

    MultiValue multiValue()
    {
        const auto type = static_cast<PropertyType>(integer());
        const QString primary = text();
        const qsizetype size = count();
        QList<MultiValueEntry> entries;
        entries.reserve(size);
        for (qsizetype i = 0; i < size && m_ok; ++i) {
            MultiValueEntry entry;
            entry.identifier = text();
            entry.label = text();
            entry.value = value();
            entries.append(std::move(entry));
        }
        return MultiValue::fromEntries(type, std::move(entries), primary);
    }

    bool need(qsizetype size)
    {
        if (!m_ok || size < 0 || size > m_data.size() - m_position)
            m_ok = false;
        return m_ok;
    }

    void raw(void *out, std::size_t size)
    {
        if (need(qsizetype(size))) {
            std::memcpy(out, m_data.constData() + m_position, size);
            m_position += qsizetype(size);
        }
    }

    const QByteArray &m_data;
    qsizetype m_position = 0;
    bool m_ok = true;
};

// Walks what Writer wrote as Reader reads it, with the same checks, and makes nothing of it: the
// whole book is checked at open, and its people are decoded only when they are looked at.
class Skimmer
{
public:
    explicit Skimmer(const QByteArray &data)
        : m_at(data.constData())
        , m_end(data.constData() + data.size())
    {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_end; }

    qint64 integer()
    {
        qint64 value = 0;
        if (m_end - m_at < qsizetype(sizeof value)) {
            m_ok = false;
            return 0;
        }
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }

    qsizetype count()
    {
        const qint64 value = integer();
        if (value < 0 || value > m_end - m_at) {
            m_ok = false;
            return 0;
        }
        return qsizetype(value);
    }

    // Texts and data: their bytes are never looked at, as a text decodes whatever its bytes.
    void bytes() { m_at += count(); }

    void texts()
    {
        const qsizetype size = count();
        for (qsizetype i = 0; i < size && m_ok; ++i)
            bytes();
    }

    void value()
    {
        if (m_at == m_end) {
            m_ok = false;
            return;
        }
        switch (static_cast<Tag>(*m_at++)) {
        case Tag::Invalid:
            return;
        case Tag::String:
        case Tag::Data:
            bytes();
            return;
        case Tag::Integer:
        case Tag::LongLong:
        case Tag::Real:
        case Tag::Boolean:
        case Tag::Date:
        case Tag::DateTime:
            integer();
            return;
        case Tag::Dictionary: {
            const qsizetype size = count();
            for (qsizetype i = 0; i < size && m_ok; ++i) {
                bytes();
                value();
            }
            return;
        }
        case Tag::Array: {
            const qsizetype size = count();
            for (qsizetype i = 0; i < size && m_ok; ++i)
                value();
            return;
        }
        case Tag::MultiValue: {
            integer(); // the property type
            bytes();   // the primary identifier
            const qsizetype size = count();
            for (qsizetype i = 0; i < size && m_ok; ++i) {
                bytes(); // identifier
                bytes(); // label
                value();
            }
            return;
        }
        }
        m_ok = false;
    }

private:
    const char *m_at;
    const char *m_end;
    bool m_ok = true;
};

} // namespace

QByteArray RecordCodec::encode(const Record &record)
{
    Writer out;
    out.integer(kFormat);
    const PropertyValues &values = record.values();
    out.count(values.size());
    for (const auto &[name, value] : values.entries()) {
        out.text(name);
        out.value(value);
    }
    if (const auto *group = dynamic_cast<const Group *>(&record)) {
        out.ids(group->m_memberIds);
        out.ids(group->m_subgroupIds);
        out.bytes(group->m_criteria ? group->m_criteria->toJson() : QByteArray());
    }
    return out.result();
}

namespace {

// A record's stored form, read whole before anything of a record changes.
struct DecodedRecord
{
    PropertyValues values;
    QStringList members;
    QStringList subgroups;
    QByteArray criteria;
};

std::optional<DecodedRecord> decoded(const QByteArray &data, bool isGroup)
{
    Reader in(data);
    if (in.integer() != kFormat)
        return std::nullopt;
    DecodedRecord record;
    const qsizetype count = in.count();
    record.values.reserve(count);
    for (qsizetype i = 0; i < count && in.ok(); ++i) {
        const QString name = in.text();
        record.values.insert(name, in.value());
    }
    if (isGroup && in.ok()) {
        record.members = in.texts();
        record.subgroups = in.texts();
        record.criteria = in.bytes();
    }
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return record;
}

// Whether decoded() would read the data, checked without making any value.
bool readable(const QByteArray &data, bool isGroup)
{
    Skimmer in(data);
    if (in.integer() != kFormat)
        return false;
    const qsizetype count = in.count();
    for (qsizetype i = 0; i < count && in.ok(); ++i) {
        in.bytes(); // the property name
        in.value();
    }
    if (isGroup && in.ok()) {
        in.texts();
        in.texts();
        in.bytes();
    }
    return in.ok() && in.atEnd();
}

} // namespace

bool RecordCodec::decodeInto(Record &record, const QByteArray &data)
{
    auto *group = dynamic_cast<Group *>(&record);
    std::optional<DecodedRecord> stored = decoded(data, group != nullptr);
    if (!stored)
        return false;
    if (group) {
        group->m_memberIds = stored->members;
        group->m_subgroupIds = stored->subgroups;
        group->m_criteria =
            stored->criteria.isEmpty() ? std::nullopt : SearchElement::fromJson(stored->criteria);
    }
    record.m_values = std::move(stored->values);
    record.m_storedValues = QByteArray();
    return true;
}

bool RecordCodec::decodeLaterInto(Record &record, const QByteArray &data)
{
    if (record.recordClass() != RecordClass::Person)
        return decodeInto(record, data);
    if (!readable(data, false))
        return false;
    record.m_values = PropertyValues();
    record.m_storedValues = data;
    return true;
}

void RecordCodec::keepEncoded(Record &record, const QByteArray &data)
{
    if (record.recordClass() != RecordClass::Person)
        return;
    record.m_values = PropertyValues();
    record.m_storedValues = data;
}

void RecordCodec::decodeValues(const QByteArray &data, PropertyValues &values)
{
    if (std::optional<DecodedRecord> stored = decoded(data, false))
        values = std::move(stored->values);
}

bool RecordCodec::isReadable(const QByteArray &data, bool isGroup)
{
    return readable(data, isGroup);
}
