#pragma once

#include <QString>

// The name of the user the program runs as, for the Me record of a new book: the full name
// from the password database, split into first and last name at its last space; the login
// name as the first name when no full name is set.
struct UserAccountName
{
    QString first;
    QString last;
};

UserAccountName userAccountName();
