#pragma once

#include "platform/addressbook/recordclass.h"

#include <QHash>
#include <QString>
#include <QStringList>

class Record;

// The records whose text under one property (a single value or any entry of a multi-value)
// equals a key, case ignored or not. Lookups by e-mail address, name or link property run once
// per record of a whole transfer; the index answers each without testing every record. The book
// keeps it current as records enter, change and leave.
class RecordIndex
{
public:
    RecordIndex(RecordClass recordClass, QString property, bool caseInsensitive);

    // Records of another class are left out.
    void add(const Record &record);
    void remove(const QString &uniqueId);
    // Unique identifiers of the records that may match, in no particular order.
    QStringList candidates(const QString &value) const;
    const QString &property() const { return m_property; }

private:
    QString keyOf(const QString &text) const;

    RecordClass m_recordClass;
    QString m_property;
    bool m_caseInsensitive;
    QMultiHash<QString, QString> m_idsByKey;
    QHash<QString, QStringList> m_keysById;
};
