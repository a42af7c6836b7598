#include "model/refdata/support.h"

#include "foundation/log.h"

#include <algorithm>

namespace {

const QString kType = QStringLiteral("type");

void logTableError(const QString &type, const StoreError &error)
{
    tlog::write(QStringLiteral("%1  -- error: %2").arg(type, error.description));
}

} // namespace

QStringList Support::sortedValues(const QString &templateName, const QVariantMap &variables,
                                  const QString &key, ManagedObjectContext &context)
{
    StoreError error;
    const auto rows = context.executeFetchTemplate(templateName, variables, &error);
    if (!rows) {
        if (tlog::tracing())
            logTableError(variables.value(kType).toString(), error);
        return {};
    }
    QStringList values;
    for (ManagedObject *row : *rows)
        values.append(row->stringValue(key));
    std::sort(values.begin(), values.end());
    return values;
}

QStringList Support::allStringValuesForType(const QString &type, ManagedObjectContext &context)
{
    if (type.isNull())
        return {};
    return sortedValues(QStringLiteral("allStringValuesForType"), {{kType, type}},
                        QStringLiteral("stringVal"), context);
}

QStringList Support::allCodesForType(const QString &type, ManagedObjectContext &context)
{
    if (type.isNull())
        return {};
    return sortedValues(QStringLiteral("allCodeValuesForType"), {{kType, type}},
                        QStringLiteral("code"), context);
}

QList<QVariantMap> Support::allStringDictionariesForType(const QString &type,
                                                         ManagedObjectContext &context)
{
    QList<QVariantMap> rows;
    for (const QString &text : allStringValuesForType(type, context))
        rows.append({{QStringLiteral("name"), text}});
    return rows;
}

QStringList Support::allStringValuesForCodes(const QStringList &codes, const QString &type,
                                             ManagedObjectContext &context)
{
    if (type.isNull())
        return {};
    return sortedValues(QStringLiteral("inCodeArrayForType"),
                        {{kType, type}, {QStringLiteral("codes"), codes}},
                        QStringLiteral("stringVal"), context);
}

QString Support::stringValueForCode(const QString &code, const QString &type,
                                    ManagedObjectContext &context)
{
    if (type.isNull())
        return QStringLiteral("");
    StoreError error;
    const auto rows =
        context.executeFetchTemplate(QStringLiteral("stringForCodeUsingType"),
                                     {{kType, type}, {QStringLiteral("code"), code}}, &error);
    if (!rows) {
        logTableError(type, error);
        return QStringLiteral("");
    }
    if (rows->isEmpty())
        return code;
    if (rows->size() == 1)
        return static_cast<Support *>(rows->first())->stringVal();
    tlog::labelled(entityName(), QStringLiteral("stringValueForCode:usingType:inContext:"),
                   QStringLiteral("Unexpected: >1 results for Support Code"), code);
    return QStringLiteral("");
}
