#pragma once

#include <QString>

#include <optional>

// Splits one line that names a person into its parts.
namespace zeltor {

struct NameParts
{
    QString prefix; // a title as the list spells it: "Dr.", "Mrs"
    QString first;  // given names and initials
    QString nick;   // the part between double quotes
    QString last;   // family name, with its particles ("van der Berg")
    QString suffix; // as the list spells it: "Jr", "Ph.D", "RN LCSW"

    friend bool operator==(const NameParts &, const NameParts &) = default;
};

// A title counts only as the first word of the name and a suffix only as its last words (or the
// last words before the comma of "Smith Jr, John"); "Smith, John" is read as "John Smith". Of
// three words the middle one goes to the first name when the preference
// nameParserPesumeDoubleFirst says so, and always when it is an initial. Nothing for an empty
// text; every other text gives all five parts, absent ones "".
std::optional<NameParts> parseName(const QString &text);

} // namespace zeltor
