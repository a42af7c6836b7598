#pragma once

#include <QStringList>

// The user's choice of phone number formatting, from the address book's preference domain.
struct PhoneFormatSettings
{
    bool enabled = false;
    QStringList formats;
};
