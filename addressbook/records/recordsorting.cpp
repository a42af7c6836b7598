#include "addressbook/records/recordsorting.h"

#include <algorithm>
#include <numeric>

namespace AddressBookTool {

std::vector<int> orderByProperties(const std::vector<const Record *> &records,
                                   const QStringList &properties)
{
    const size_t width = size_t(properties.size());
    std::vector<QString> texts;
    texts.reserve(records.size() * width);
    for (const Record *record : records) {
        for (const QString &property : properties)
            texts.push_back(record->valueForProperty(property).toString());
    }
    std::vector<int> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (size_t i = 0; i < width; ++i) {
            const int byText =
                QString::compare(texts[size_t(a) * width + i], texts[size_t(b) * width + i]);
            if (byText != 0)
                return byText < 0;
        }
        return false;
    });
    return order;
}

} // namespace AddressBookTool
