#include "platform/addressbook/record.h"

#include <QUuid>

Record::Record(QString uniqueId)
    : m_uniqueId(std::move(uniqueId))
{}

Record::~Record() = default;

QString Record::newUniqueId(const QString &recordType)
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + u':' + recordType;
}
