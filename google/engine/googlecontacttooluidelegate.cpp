#include "google/engine/googlecontacttooluidelegate.h"

void GoogleContactToolUIDelegate::cleanupGUIforProcess(const QString &, const QString &,
                                                       const std::optional<GDataError> &)
{}

void GoogleContactToolUIDelegate::setLastAction(const QString &) {}

void GoogleContactToolUIDelegate::setContactArray(const QList<QVariantMap> &) {}

bool GoogleContactToolUIDelegate::showsContactBrowserRows() const
{
    return true;
}

void GoogleContactToolUIDelegate::contactBrowserRowReplaced(const QString &) {}

void GoogleContactToolUIDelegate::setGroupArray(const std::vector<GDataEntryContactGroupPtr> &) {}

void GoogleContactToolUIDelegate::determineGoogleGroupCounts() {}

void GoogleContactToolUIDelegate::openBrowserView(GoogleContactTool *) {}

void GoogleContactToolUIDelegate::openDataMover(GoogleContactTool *) {}
void GoogleContactToolUIDelegate::beginBulkAddressBookChange() {}
void GoogleContactToolUIDelegate::endBulkAddressBookChange() {}
