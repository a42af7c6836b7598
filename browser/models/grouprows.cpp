#include "browser/models/grouprows.h"

#include "browser/models/browserlistkeys.h"
#include "foundation/vozuveva/vozuvevawindows.h"
#include "google/engine/listkeys.h"
#include "google/entries/groupaccessors.h"
#include "google/push/pushkeys.h"
#include "platform/defaults/userdefaults.h"

#include <algorithm>
#include <array>

// The group and contact rows' icons, found on the "images" search path.
static void initRowImages()
{
    Q_INIT_RESOURCE(rowimages);
}

namespace grouprows {

namespace {

constexpr int kIconSize = 15;
constexpr float kIconOffset = 3.0F;

const QString kSystemGroupPrefix = QStringLiteral("System Group: ");

enum Kind { SystemGroups = 0, OwnGroups = 1, GoogleGroups = 2 };

GroupRow makeRow(const QString &title, const QString &identifier, const QString &type, int order,
                 const QString &iconName)
{
    return {
        title, identifier, type, QStringLiteral("%1").arg(order, 2, 10, QChar(u'0')),
        QSharedPointer<QTextDocument>(
            VozuVeva::nameWithImageForTitle(title, iconName, kIconSize, kIconOffset).release())};
}

// Google's system groups shown beside the All row, each by its own preference.
struct ShownSystemGroup
{
    const char *nameHolds;
    const QString &preference;
};
const ShownSystemGroup kShownSystemGroups[] = {
    {"orker", browserlistkeys::showGoogleSystemGroupCoworkers},
    {"amily", browserlistkeys::showGoogleSystemGroupFamily},
    {"riends", browserlistkeys::showGoogleSystemGroupFriends},
};

void appendOwnRows(QList<GroupRow> &rows, const GroupOrders &orders)
{
    UserDefaults &defaults = UserDefaults::standard();
    const bool noGroupBound = defaults.integerForKey(pushkeys::autoPushABChanges) != 0 &&
                              defaults.boolForKey(pushkeys::autoABUsesContactsWithoutGroups);
    const QString own = QStringLiteral("tolvane_32");
    for (const QString *key : {&listkeys::systemGroupRecent, &listkeys::systemGroupNoGroup,
                               &listkeys::systemGroupCompany, &listkeys::systemGroupMale,
                               &listkeys::systemGroupFemale, &listkeys::systemGroupNoGender}) {
        const QString title = defaults.stringForKey(*key);
        const bool bound = key == &listkeys::systemGroupNoGroup && noGroupBound;
        rows.append(makeRow(title, title, QStringLiteral("c"), orders.ownGroups,
                            bound ? QStringLiteral("abBindBlank") : own));
    }
    if (defaults.boolForKey(browserlistkeys::showGoogleSystemGroupSuggested)) {
        const QString title = defaults.stringForKey(listkeys::systemGroupEmailOnly);
        rows.append(
            makeRow(title, title, QStringLiteral("b"), orders.systemGroups, systemGroupIconName));
    }
}

std::optional<GroupRow> systemGroupRow(const GDataEntryContactGroup &group, const QString &name,
                                       const GroupOrders &orders)
{
    const QString title = name.mid(name.indexOf(kSystemGroupPrefix) + kSystemGroupPrefix.size());
    if (name.contains(u"My C"))
        return makeRow(title, group.identifier(), QStringLiteral("a"), 10, systemGroupIconName);
    for (const ShownSystemGroup &shown : kShownSystemGroups) {
        if (name.contains(QLatin1String(shown.nameHolds))) {
            if (!UserDefaults::standard().boolForKey(shown.preference))
                return std::nullopt;
            return makeRow(title, group.identifier(), QStringLiteral("b"), orders.systemGroups,
                           systemGroupIconName);
        }
    }
    return std::nullopt;
}

GroupRow googleGroupRow(const GDataEntryContactGroup &group, const QString &name,
                        const GroupOrders &orders, const QList<AutoABGroup> &pushed)
{
    const auto bound = std::find_if(pushed.begin(), pushed.end(),
                                    [&](const AutoABGroup &row) { return row.groupName == name; });
    if (bound == pushed.end())
        return makeRow(name, group.identifier(), QStringLiteral("f"), orders.googleGroups + 3,
                       QStringLiteral("GoogleGroup3"));
    if (bound->abid.contains(u"ABSmart"))
        return makeRow(name, group.identifier(), QStringLiteral("d"), orders.googleGroups + 1,
                       QStringLiteral("abBindSmart"));
    return makeRow(name, group.identifier(), QStringLiteral("e"), orders.googleGroups + 2,
                   QStringLiteral("abBindBlank"));
}

} // namespace

GroupOrders groupOrders(int first, int second, int third)
{
    // Out of range, each preference stands for its own place's kind.
    const std::array<int, 3> kinds = {first >= 0 && first <= 2 ? first : int(SystemGroups),
                                      second >= 0 && second <= 2 ? second : int(OwnGroups),
                                      third >= 0 && third <= 2 ? third : int(GoogleGroups)};
    // Each kind takes the order of the first place that names it. The preferences should hold a
    // permutation; a kind that none names takes the first place whose kind was named before, so
    // that every kind has an order of its own.
    std::array<int, 3> orderOf = {0, 0, 0};
    std::array<bool, 3> placeTaken = {false, false, false};
    for (int place = 0; place < 3; ++place) {
        if (orderOf[size_t(kinds[size_t(place)])] == 0) {
            orderOf[size_t(kinds[size_t(place)])] = 20 + 10 * place;
            placeTaken[size_t(place)] = true;
        }
    }
    for (int kind = 0; kind < 3; ++kind) {
        if (orderOf[size_t(kind)] != 0)
            continue;
        const auto free = std::find(placeTaken.begin(), placeTaken.end(), false);
        *free = true;
        orderOf[size_t(kind)] = 20 + 10 * int(free - placeTaken.begin());
    }
    return {orderOf[SystemGroups], orderOf[OwnGroups], orderOf[GoogleGroups]};
}

QList<GroupRow> groupRows(const std::vector<GDataEntryContactGroupPtr> &groups,
                          const std::optional<QList<AutoABGroup>> &autoABGroups)
{
    static const bool imagesRegistered = (initRowImages(), true);
    Q_UNUSED(imagesRegistered);
    UserDefaults &defaults = UserDefaults::standard();
    QList<AutoABGroup> pushed;
    if (autoABGroups) {
        std::copy_if(autoABGroups->begin(), autoABGroups->end(), std::back_inserter(pushed),
                     [](const AutoABGroup &row) { return row.doSynch; });
    }
    const GroupOrders orders = groupOrders(defaults.integerForKey(browserlistkeys::groupSortFirst),
                                           defaults.integerForKey(browserlistkeys::groupSortSecond),
                                           defaults.integerForKey(browserlistkeys::groupSortThird));
    QList<GroupRow> rows;
    rows.reserve(qsizetype(groups.size()) + 1);
    appendOwnRows(rows, orders);
    for (const GDataEntryContactGroupPtr &group : groups) {
        const QString name = tolvane::entryDisplayName(*group);
        if (name.contains(kSystemGroupPrefix)) {
            if (std::optional<GroupRow> row = systemGroupRow(*group, name, orders))
                rows.append(std::move(*row));
        } else {
            rows.append(googleGroupRow(*group, name, orders, pushed));
        }
    }
    const Qt::CaseSensitivity names = defaults.boolForKey(browserlistkeys::groupSortNoCase)
                                          ? Qt::CaseInsensitive
                                          : Qt::CaseSensitive;
    std::stable_sort(rows.begin(), rows.end(), [&](const GroupRow &a, const GroupRow &b) {
        if (a.groupOrder != b.groupOrder)
            return a.groupOrder < b.groupOrder;
        return a.groupName.compare(b.groupName, names) < 0;
    });
    return rows;
}

} // namespace grouprows
