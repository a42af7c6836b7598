#include "model/refdata/tabbedtext.h"

#include <QRegularExpression>

namespace tabbedtext {

QList<QStringList> rows(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QList<QStringList> result;
    for (const QString &line : text.split(lineBreak)) {
        if (!line.isEmpty())
            result.append(line.split(u'\t'));
    }
    return result;
}

QString field(const QStringList &row, int column)
{
    return row.value(column, QStringLiteral(""));
}

qint64 leadingInteger(const QString &text)
{
    static const QRegularExpression integer(QStringLiteral("^[ \\t]*([+-]?\\d+)"));
    const QRegularExpressionMatch match = integer.match(text);
    if (!match.hasMatch())
        return 0;
    bool ok = false;
    const qint64 value = match.captured(1).toLongLong(&ok);
    return ok ? value : 0;
}

} // namespace tabbedtext
