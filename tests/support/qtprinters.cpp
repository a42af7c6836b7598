#include "tests/support/qtprinters.h"

#include <QDebug>

void PrintTo(const QString &text, std::ostream *out)
{
    if (text.isNull()) {
        *out << "(null)";
        return;
    }
    QString shown;
    QDebug(&shown) << text; // quoted, with control characters escaped
    *out << shown.trimmed().toStdString();
}

void PrintTo(const QByteArray &data, std::ostream *out)
{
    QString shown;
    QDebug(&shown) << data;
    *out << shown.trimmed().toStdString();
}

void PrintTo(const QVariant &value, std::ostream *out)
{
    QString shown;
    QDebug(&shown) << value;
    *out << shown.trimmed().toStdString();
}
