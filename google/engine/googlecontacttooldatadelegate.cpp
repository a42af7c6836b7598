#include "google/engine/googlecontacttooldatadelegate.h"

BatchActionQueue GoogleContactToolDataDelegate::batchActionContactArray()
{
    return {};
}

void GoogleContactToolDataDelegate::loadPending() {}

void GoogleContactToolDataDelegate::refreshContactData() {}

void GoogleContactToolDataDelegate::refreshGroupData() {}

void GoogleContactToolDataDelegate::listenForNotifications() {}

bool GoogleContactToolDataDelegate::offersRefreshView() const
{
    return false;
}

void GoogleContactToolDataDelegate::refreshView() {}

void GoogleContactToolDataDelegate::batchSendAnswered(bool, const std::vector<GDataEntryPtr> &,
                                                      bool)
{
}
