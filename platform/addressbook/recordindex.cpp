#include "platform/addressbook/recordindex.h"

#include "platform/addressbook/properties/multivalue.h"
#include "platform/addressbook/record.h"

namespace {

void appendText(const QVariant &value, QStringList &texts)
{
    if (value.metaType().id() == QMetaType::QString)
        texts.append(value.toString());
}

} // namespace

RecordIndex::RecordIndex(RecordClass recordClass, QString property, bool caseInsensitive)
    : m_recordClass(recordClass)
    , m_property(std::move(property))
    , m_caseInsensitive(caseInsensitive)
{}

void RecordIndex::add(const Record &record)
{
    if (record.recordClass() != m_recordClass)
        return;
    const QVariant value = record.valueForProperty(m_property);
    QStringList texts;
    if (variantHoldsMultiValue(value)) {
        const MultiValue entries = multiValueFromVariant(value);
        for (const MultiValueEntry &entry : entries.entries())
            appendText(entry.value, texts);
    } else {
        appendText(value, texts);
    }
    if (texts.isEmpty())
        return;
    QStringList keys;
    for (const QString &text : std::as_const(texts))
        keys.append(keyOf(text));
    keys.removeDuplicates();
    for (const QString &key : std::as_const(keys))
        m_idsByKey.insert(key, record.uniqueId());
    m_keysById.insert(record.uniqueId(), keys);
}

void RecordIndex::remove(const QString &uniqueId)
{
    for (const QString &key : m_keysById.take(uniqueId))
        m_idsByKey.remove(key, uniqueId);
}

QStringList RecordIndex::candidates(const QString &value) const
{
    return m_idsByKey.values(keyOf(value));
}

QString RecordIndex::keyOf(const QString &text) const
{
    return m_caseInsensitive ? text.toCaseFolded() : text;
}
