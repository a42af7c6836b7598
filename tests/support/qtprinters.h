#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <ostream>

// Lets GoogleTest show Qt values as text in failure messages. Found by argument-dependent lookup,
// so a test includes this header before it compares such values.
void PrintTo(const QString &text, std::ostream *out);
void PrintTo(const QByteArray &data, std::ostream *out);
void PrintTo(const QVariant &value, std::ostream *out);
