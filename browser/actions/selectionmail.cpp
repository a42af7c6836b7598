#include "browser/actions/selectionmail.h"

#include <QStringList>

namespace selectionmail {

namespace {

QString text(const QVariantMap &row, const char *key)
{
    return row.value(QString::fromLatin1(key)).toString();
}

// Every row's work address, else its home address, unless it is the primary address. A row whose
// work address is the primary address adds nothing, even when it has a home address.
QStringList otherAddresses(const QString &primary, const QList<QVariantMap> &selected)
{
    QStringList others;
    for (const QVariantMap &row : selected) {
        const QString work = text(row, "workEmail");
        const QString home = text(row, "homeEmail");
        if (!work.isEmpty()) {
            if (work != primary)
                others.append(work);
        } else if (!home.isEmpty() && home != primary) {
            others.append(home);
        }
    }
    return others;
}

} // namespace

QString primaryAddress(const QVariantMap &current)
{
    const QString work = text(current, "workEmail");
    return work.isEmpty() ? text(current, "homeEmail") : work;
}

std::optional<Recipients> recipients(const QVariantMap &current, const QList<QVariantMap> &selected,
                                     int addressMode)
{
    QString primary = primaryAddress(current);
    QStringList otherList = selected.size() > 1 ? otherAddresses(primary, selected) : QStringList();
    // Without the current contact's address the first other address takes its place: an empty To
    // would become the mail program's default recipient.
    if (primary.isEmpty() && !otherList.isEmpty())
        primary = otherList.takeFirst();
    const QString others = otherList.join(u',');
    if (others.isEmpty()) {
        // A message to nobody would go to the mail program's default recipient.
        if (primary.isEmpty())
            return std::nullopt;
        return Recipients{primary, {}, {}};
    }
    switch (addressMode) {
    case 0:
        return Recipients{primary + u',' + others, {}, {}};
    case 1:
        return Recipients{primary, others, {}};
    case 2:
        return Recipients{primary, {}, others};
    default:
        return std::nullopt;
    }
}

} // namespace selectionmail
