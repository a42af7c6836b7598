// Who a message to the selected contacts goes to: the current contact's address first, then every
// other address of the selection once, by the message pane's addressing mode.
#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace selectionmail {

struct Recipients
{
    QString to;
    QString cc;
    QString bcc;
    bool operator==(const Recipients &) const = default;
};

// The current contact's address: its "workEmail", else its "homeEmail".
QString primaryAddress(const QVariantMap &current);

// The recipients for the selected rows (in table order) with the current contact; none when the
// mode is none of 0, 1 and 2 while there is more than one address, or when there is no address at
// all, so that nothing opens. To is never empty.
std::optional<Recipients> recipients(const QVariantMap &current, const QList<QVariantMap> &selected,
                                     int addressMode);

} // namespace selectionmail
