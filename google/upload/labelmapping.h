#pragma once

#include <QString>

#include <optional>

// Address book labels as Google's relation values: a standard pair becomes its relation, any other
// label (a custom one, or a standard label of another kind) travels as label text unchanged.
namespace labelmapping {

struct RelOrLabel
{
    std::optional<QString> rel;
    std::optional<QString> label;

    friend bool operator==(const RelOrLabel &, const RelOrLabel &) = default;
};

// E-mail addresses and postal addresses: work, home and other.
RelOrLabel googleRelForLabel(const QString &abLabel);
// Phone numbers: work, home, mobile (also any label that says "cell"), the two faxes, pager, main
// (as the label "Main") and other.
RelOrLabel googlePhoneRelForLabel(const QString &abLabel);

// Instant-messaging handles by the service's own work and home labels: those give their relation
// with an empty label; an empty label gives "other" without label; any other label travels as text.
RelOrLabel googleIMRelForLabel(const QString &abLabel, const QString &workLabel,
                               const QString &homeLabel);

} // namespace labelmapping
