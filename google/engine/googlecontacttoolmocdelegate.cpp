#include "google/engine/googlecontacttoolmocdelegate.h"

bool GoogleContactToolMocDelegate::offersFormatAsPhoneNumber() const
{
    return false;
}

QString GoogleContactToolMocDelegate::formatAsPhoneNumber(const QString &phoneNumber)
{
    return phoneNumber;
}

void GoogleContactToolMocDelegate::loadPending() {}

bool GoogleContactToolMocDelegate::offersRefreshView() const
{
    return false;
}

void GoogleContactToolMocDelegate::refreshView() {}
