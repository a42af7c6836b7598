#pragma once

#include "model/tolvanebase.h"

#include <QStringList>
#include <QVariantMap>

// One row of a small code table: the table's name (type), a code, its display text and a number.
class Support : public TolvaneBase
{
public:
    static QString entityName() { return QStringLiteral("Support"); }

    // The table's texts (or codes), ascending; empty for a null table name or a failed fetch.
    static QStringList allStringValuesForType(const QString &type, ManagedObjectContext &context);
    static QStringList allCodesForType(const QString &type, ManagedObjectContext &context);
    // One {"name": text} row per text, for pop-up menus.
    static QList<QVariantMap> allStringDictionariesForType(const QString &type,
                                                           ManagedObjectContext &context);
    // The texts of the listed codes that exist, ascending by text.
    static QStringList allStringValuesForCodes(const QStringList &codes, const QString &type,
                                               ManagedObjectContext &context);
    // The text of one code: the code itself when the table lacks it, "" for a null table name, a
    // failed fetch or several rows of that code.
    static QString stringValueForCode(const QString &code, const QString &type,
                                      ManagedObjectContext &context);

    QString type() const { return stringValue(QStringLiteral("type")); }
    void setType(const QString &type) { setValue(QStringLiteral("type"), type); }
    QString code() const { return stringValue(QStringLiteral("code")); }
    void setCode(const QString &code) { setValue(QStringLiteral("code"), code); }
    QString stringVal() const { return stringValue(QStringLiteral("stringVal")); }
    void setStringVal(const QString &text) { setValue(QStringLiteral("stringVal"), text); }
    qint64 intVal() const { return integerValue(QStringLiteral("intVal")); }
    void setIntVal(qint64 number) { setValue(QStringLiteral("intVal"), number); }

private:
    static QStringList sortedValues(const QString &templateName, const QVariantMap &variables,
                                    const QString &key, ManagedObjectContext &context);
};
