#include "google/browser/browsersearchtext.h"

#include <array>

namespace browsersearch {

namespace {

constexpr QChar kSeparator = QChar(0);

const std::array<QString, 10> kSearchedKeys = {
    QStringLiteral("name"),      QStringLiteral("org"),       QStringLiteral("job"),
    QStringLiteral("workEmail"), QStringLiteral("workPhone"), QStringLiteral("workLocation"),
    QStringLiteral("homeEmail"), QStringLiteral("homePhone"), QStringLiteral("homeLocation"),
    QStringLiteral("notes")};

} // namespace

QString searchText(const QVariantMap &row)
{
    QString text;
    for (size_t i = 0; i < kSearchedKeys.size(); ++i) {
        if (i > 0)
            text += kSeparator;
        text += row.value(kSearchedKeys[i]).toString();
    }
    return text.toCaseFolded();
}

QString foldedSearchString(const QString &search)
{
    return search.toCaseFolded();
}

bool matches(const QString &searchText, const QString &foldedSearch)
{
    // A search string holding the separator would match across two values, which no single value
    // holds.
    if (foldedSearch.contains(kSeparator))
        return false;
    return searchText.contains(foldedSearch);
}

} // namespace browsersearch
