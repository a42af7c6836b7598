#pragma once

#include <QList>
#include <QString>

class ManagedObject;

// Fetched rows as the lookups' log lines show them: "(<row>, <row>)".
QString describeRows(const QList<ManagedObject *> &rows);
