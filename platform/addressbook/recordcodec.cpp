#include "platform/addressbook/recordcodec.h"

#include "platform/addressbook/group.h"
#include "platform/addressbook/multivalue.h"
#include "platform/addressbook/record.h"

#include <QDataStream>
#include <QIODevice>

namespace {

constexpr quint32 kFormat = 0x41420001; // "AB" and the format version
constexpr auto kStreamVersion = QDataStream::Qt_6_4;

enum class ValueKind : quint8 { Single = 0, Multi = 1 };

void writeMultiValue(QDataStream &out, const MultiValue &value)
{
    out << qint32(value.propertyType()) << value.primaryIdentifier() << qint32(value.count());
    for (const MultiValueEntry &entry : value.entries())
        out << entry.identifier << entry.label << entry.value;
}

bool readMultiValue(QDataStream &in, MultiValue &value)
{
    qint32 type = 0;
    qint32 count = 0;
    QString primary;
    in >> type >> primary >> count;
    if (in.status() != QDataStream::Ok || count < 0)
        return false;
    QList<MultiValueEntry> entries;
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        MultiValueEntry entry;
        in >> entry.identifier >> entry.label >> entry.value;
        entries.append(entry);
    }
    value = MultiValue::fromEntries(static_cast<PropertyType>(type), entries, primary);
    return in.status() == QDataStream::Ok;
}

} // namespace

QByteArray RecordCodec::encode(const Record &record)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << kFormat << qint32(record.m_values.size());
    for (auto it = record.m_values.cbegin(); it != record.m_values.cend(); ++it) {
        out << it.key();
        if (variantHoldsMultiValue(it.value())) {
            out << quint8(ValueKind::Multi);
            writeMultiValue(out, multiValueFromVariant(it.value()));
        } else {
            out << quint8(ValueKind::Single) << it.value();
        }
    }
    if (const auto *group = dynamic_cast<const Group *>(&record)) {
        out << group->m_memberIds << group->m_subgroupIds
            << (group->m_criteria ? group->m_criteria->toJson() : QByteArray());
    }
    return data;
}

bool RecordCodec::decodeInto(Record &record, const QByteArray &data)
{
    QDataStream in(data);
    in.setVersion(kStreamVersion);
    quint32 format = 0;
    qint32 count = 0;
    in >> format >> count;
    if (format != kFormat || count < 0)
        return false;
    QHash<QString, QVariant> values;
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString name;
        quint8 kind = 0;
        in >> name >> kind;
        if (kind == quint8(ValueKind::Multi)) {
            MultiValue value;
            if (!readMultiValue(in, value))
                return false;
            values.insert(name, QVariant::fromValue(value));
        } else {
            QVariant value;
            in >> value;
            values.insert(name, value);
        }
    }
    if (in.status() != QDataStream::Ok)
        return false;
    if (auto *group = dynamic_cast<Group *>(&record)) {
        QStringList members;
        QStringList subgroups;
        QByteArray criteria;
        in >> members >> subgroups >> criteria;
        if (in.status() != QDataStream::Ok)
            return false;
        group->m_memberIds = members;
        group->m_subgroupIds = subgroups;
        group->m_criteria = criteria.isEmpty() ? std::nullopt : SearchElement::fromJson(criteria);
    }
    record.m_values = values;
    return true;
}
