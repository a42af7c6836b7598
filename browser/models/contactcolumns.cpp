#include "browser/models/contactcolumns.h"

namespace contactcolumns {

int columnOf(const QString &identifier)
{
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].identifier == identifier)
            return int(i);
    }
    return -1;
}

} // namespace contactcolumns
