#pragma once

#include <QString>

// Notes come back from Google and from vCards with their carriage returns turned into line
// feeds, while the program writes carriage returns: texts are compared with line feeds only.
namespace lineends {

QString lineFeedsOnly(QString text);

} // namespace lineends
