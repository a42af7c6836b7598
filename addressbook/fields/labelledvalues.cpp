#include "addressbook/fields/labelledvalues.h"

#include "platform/addressbook/person.h"

namespace labelledvalues {

MultiValue valuesOf(const PersonPtr &person, const QString &property)
{
    return person ? person->multiValueForProperty(property) : MultiValue();
}

int primaryIndex(const MultiValue &values)
{
    if (values.isEmpty())
        return -1;
    const int primary = values.indexForIdentifier(values.primaryIdentifier());
    return primary >= 0 ? primary : 0;
}

int firstIndexWhere(const MultiValue &values, const LabelTest &test)
{
    for (int index = 0; index < values.count(); ++index) {
        if (test(values.labelAt(index)))
            return index;
    }
    return -1;
}

int lastIndexWhere(const MultiValue &values, const LabelTest &test)
{
    for (int index = values.count() - 1; index >= 0; --index) {
        if (test(values.labelAt(index)))
            return index;
    }
    return -1;
}

int firstIndexOfLabel(const MultiValue &values, const QString &label)
{
    return firstIndexWhere(values, [&label](const QString &entry) { return entry == label; });
}

int lastIndexOfLabel(const MultiValue &values, const QString &label)
{
    return lastIndexWhere(values, [&label](const QString &entry) { return entry == label; });
}

QString textAt(const MultiValue &values, int index)
{
    if (index < 0 || index >= values.count())
        return QStringLiteral("");
    const QString text = values.valueAt(index).toString();
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace labelledvalues
