#include "foundation/applicationdelegate.h"

#include <cstdlib>
#include <ctime>

namespace {

ApplicationDelegate *s_shared = nullptr;

} // namespace

ApplicationDelegate::~ApplicationDelegate()
{
    if (s_shared == this)
        s_shared = nullptr;
}

bool ApplicationDelegate::offersFormatAsPhoneNumber() const
{
    return false;
}

QString ApplicationDelegate::formatAsPhoneNumber(const QString &phoneNumber)
{
    return phoneNumber;
}

bool ApplicationDelegate::offersUpdateCoreData() const
{
    return false;
}

void ApplicationDelegate::updateCoreData() {}

ApplicationDelegate *ApplicationDelegate::shared()
{
    return s_shared;
}

void ApplicationDelegate::setShared(ApplicationDelegate *delegate)
{
    s_shared = delegate;
}

QString ApplicationDelegate::formatAsPhoneNumberIfOffered(const QString &phoneNumber)
{
    if (s_shared && s_shared->offersFormatAsPhoneNumber())
        return s_shared->formatAsPhoneNumber(phoneNumber);
    return phoneNumber;
}

void ApplicationDelegate::updateCoreDataIfOffered()
{
    if (s_shared && s_shared->offersUpdateCoreData())
        s_shared->updateCoreData();
}

void ApplicationDelegate::seedPseudoRandomGenerator()
{
    ::srandom(static_cast<unsigned>(std::time(nullptr)));
}
