#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <ostream>

// Lets GoogleTest show Qt values as text in failure messages. The test support library puts this
// header in front of every test source (see CMakeLists.txt): GoogleTest instantiates its printers
// once per program, so every source must see the same ones.
void PrintTo(const QString &text, std::ostream *out);
void PrintTo(const QByteArray &data, std::ostream *out);
void PrintTo(const QVariant &value, std::ostream *out);
