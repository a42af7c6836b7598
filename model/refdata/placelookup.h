#pragma once

#include <QString>
#include <QVariantMap>

class ManagedObject;
class ManagedObjectContext;

// The lookup that states and area codes share: run the template, log at trace level what went
// wrong or matched more than once, and answer the first row or nullptr.
ManagedObject *lookupPlace(ManagedObjectContext &context, const QString &templateName,
                           const QVariantMap &variables, const QString &text,
                           const QString &severalFormat);
