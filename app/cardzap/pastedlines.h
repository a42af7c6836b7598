#pragma once

#include <QString>
#include <QStringList>

namespace ZeltorCardzap {

// Pasted contact text as lines: the first line and the lines after it, each tidied of white
// space. Line ends of any platform (CR LF, CR, LF) split alike; text without a line end is a
// first line alone.
struct PastedLines
{
    QString first;
    QStringList others;
};

PastedLines splitPastedText(const QString &text);

} // namespace ZeltorCardzap
