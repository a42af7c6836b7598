#include "addressbook/records/recordsorting.h"

namespace AddressBookTool {

bool precedesByProperties(const Record &left, const Record &right, const QStringList &properties)
{
    for (const QString &property : properties) {
        const int order = QString::compare(left.valueForProperty(property).toString(),
                                           right.valueForProperty(property).toString());
        if (order != 0)
            return order < 0;
    }
    return false;
}

} // namespace AddressBookTool
