#include "loader/window/datamoverwindowcontroller.h"

#include <QAction>

namespace {

// The title of the menu item that sent a command: the group it names.
QString senderTitle(const QVariant &sender)
{
    const auto *const item = qobject_cast<const QAction *>(sender.value<QObject *>());
    return item ? item->text() : QString();
}

} // namespace

void DataMoverWindowController::registerMenuCommands()
{
    using Plain = void (DataMoverWindowController::*)();
    using Named = void (DataMoverWindowController::*)(const QString &);
    const std::pair<const char *, Plain> plain[] = {
        {"setABBackingData", &DataMoverWindowController::setABBackingData},
        {"removeABAllSmartGroups:", &DataMoverWindowController::removeABAllSmartGroups},
        {"removeABAllManualGroups:", &DataMoverWindowController::removeABAllManualGroups},
        {"removeABAllGoogleGroups:", &DataMoverWindowController::removeABAllGoogleGroups},
        {"removeABAllCompanies:", &DataMoverWindowController::removeABAllCompanies},
        {"removeABAllPeople:", &DataMoverWindowController::removeABAllPeople},
        {"removeABAllGoogleContacts:", &DataMoverWindowController::removeABAllGoogleContacts},
        {"removeABGoogleOnlyEmailContacts:",
         &DataMoverWindowController::removeABGoogleOnlyEmailContacts},
        {"removeABGoogleNoGroupContacts:",
         &DataMoverWindowController::removeABGoogleNoGroupContacts},
        {"downloadFromGoogleNoGroupContacts:",
         &DataMoverWindowController::downloadFromGoogleNoGroupContacts},
        {"downloadFromGoogleOnlyEmailContacts:",
         &DataMoverWindowController::downloadFromGoogleOnlyEmailContacts},
        {"downloadFromGoogleAllGoogleContacts:",
         &DataMoverWindowController::downloadFromGoogleAllGoogleContacts},
        {"downloadFromGoogleCompanies:", &DataMoverWindowController::downloadFromGoogleCompanies},
        {"downloadFromGooglePeople:", &DataMoverWindowController::downloadFromGooglePeople},
        {"downloadFromGoogleAllGroups:", &DataMoverWindowController::downloadFromGoogleAllGroups},
        {"uploadFromABAllManualGroups:", &DataMoverWindowController::uploadFromABAllManualGroups},
        {"uploadFromABAllSmartGroups:", &DataMoverWindowController::uploadFromABAllSmartGroups},
        {"uploadFromABAllGoogleContacts:",
         &DataMoverWindowController::uploadFromABAllGoogleContacts},
        {"uploadFromABAllCompanies:", &DataMoverWindowController::uploadFromABAllCompanies},
        {"uploadFromABAllPeople:", &DataMoverWindowController::uploadFromABAllPeople},
        {"removeGoogleAllGoogleGroups:", &DataMoverWindowController::removeGoogleAllGoogleGroups},
        {"removeGoogleAllGoogleContacts:",
         &DataMoverWindowController::removeGoogleAllGoogleContacts},
        {"removeGoogleGoogleOnlyEmailContacts:",
         &DataMoverWindowController::removeGoogleGoogleOnlyEmailContacts},
        {"removeGoogleGoogleNoGroupContacts:",
         &DataMoverWindowController::removeGoogleGoogleNoGroupContacts},
        {"removeGoogleAllPeople:", &DataMoverWindowController::removeGoogleAllPeople},
        {"removeGoogleAllCompanies:", &DataMoverWindowController::removeGoogleAllCompanies},
    };
    for (const auto &[name, command] : plain)
        registerCommand(QString::fromLatin1(name),
                        [this, command](const QVariant &) { (this->*command)(); });
    const std::pair<const char *, Named> named[] = {
        {"removeABGroup:", &DataMoverWindowController::removeABGroup},
        {"removeABGoogleGroup:", &DataMoverWindowController::removeABGoogleGroup},
        {"removeABGroupMembers:", &DataMoverWindowController::removeABGroupMembers},
        {"removeABGoogleGroupMembers:", &DataMoverWindowController::removeABGoogleGroupMembers},
        {"downloadFromGoogleGoogleGroupMembers:",
         &DataMoverWindowController::downloadFromGoogleGoogleGroupMembers},
        {"downloadFromGoogleABGroupMembers:",
         &DataMoverWindowController::downloadFromGoogleABGroupMembers},
        {"downloadFromGoogleGoogleGroup:",
         &DataMoverWindowController::downloadFromGoogleGoogleGroup},
        {"uploadFromABABGroup:", &DataMoverWindowController::uploadFromABABGroup},
        {"uploadFromABGoogleGroupMembers:",
         &DataMoverWindowController::uploadFromABGoogleGroupMembers},
        {"uploadFromABABGroupMembers:", &DataMoverWindowController::uploadFromABABGroupMembers},
        {"removeGoogleGoogleGroup:", &DataMoverWindowController::removeGoogleGoogleGroup},
        {"removeGoogleGoogleGroupMembers:",
         &DataMoverWindowController::removeGoogleGoogleGroupMembers},
        {"removeGoogleABGroupMembers:", &DataMoverWindowController::removeGoogleABGroupMembers},
    };
    for (const auto &[name, command] : named)
        registerCommand(QString::fromLatin1(name), [this, command](const QVariant &sender) {
            (this->*command)(senderTitle(sender));
        });
}
