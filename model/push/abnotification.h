#pragma once

#include "model/tolvanemanagedobject.h"

#include <QDateTime>

// One address book change as the store can keep it.
class ABNotification : public TolvaneManagedObject
{
public:
    static QString entityName() { return QStringLiteral("ABNotification"); }

    void awakeFromInsert() override;

    QString ABUID() const { return stringValue(QStringLiteral("ABUID")); }
    void setABUID(const QString &uid) { setValue(QStringLiteral("ABUID"), uid); }
    bool isInsert() const { return boolValue(QStringLiteral("isInsert")); }
    void setIsInsert(bool flag) { setValue(QStringLiteral("isInsert"), flag); }
    bool isUpdate() const { return boolValue(QStringLiteral("isUpdate")); }
    void setIsUpdate(bool flag) { setValue(QStringLiteral("isUpdate"), flag); }
    bool isDelete() const { return boolValue(QStringLiteral("isDelete")); }
    void setIsDelete(bool flag) { setValue(QStringLiteral("isDelete"), flag); }
    bool isCompleted() const { return boolValue(QStringLiteral("isCompleted")); }
    void setIsCompleted(bool flag) { setValue(QStringLiteral("isCompleted"), flag); }
    QDateTime dateCompleted() const { return dateValue(QStringLiteral("dateCompleted")); }
    void setDateCompleted(const QDateTime &date)
    {
        setValue(QStringLiteral("dateCompleted"), date);
    }
    QDateTime dateCreated() const { return dateValue(QStringLiteral("dateCreated")); }
    void setDateCreated(const QDateTime &date) { setValue(QStringLiteral("dateCreated"), date); }
};
