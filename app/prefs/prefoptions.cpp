#include "app/prefs/prefoptions.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/vcards/vcardexportoptions.h"
#include "app/appkeys.h"
#include "app/prefs/prefbinder.h"
#include "app/prefs/prefkeys.h"
#include "google/batch/batchkeys.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlekeys.h"
#include "google/upload/googleelementkeys.h"
#include "google/upload/uploadkeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

namespace prefoptions {

namespace {

using enum Kind;

const QStringList kKinds = {QStringLiteral("All"), QStringLiteral("Home only"),
                            QStringLiteral("Work only")};

const PrefOption kGeneral[] = {
    {QStringLiteral("Run Tolvane as a tray item"), &appkeys::runAsStatusItem, Check, {}},
    {QStringLiteral("Show alerts of Google updates"), &batchkeys::showGoogleAlerts, Check, {}},
    {QStringLiteral("Show reports of Google updates"),
     &batchkeys::showGoogleProcessReports,
     Check,
     {}},
};

const PrefOption kAddressBook[] = {
    {QStringLiteral("Update Address Book contacts"), &prefkeys::abUpdateContacts, Check, {}},
    {QStringLiteral("Update Address Book groups"), &prefkeys::abUpdateGroups, Check, {}},
    {QStringLiteral("Fields"), nullptr, Heading, {}},
    {QStringLiteral("Name"), &googlekeys::abUpdateName, Check, {}},
    {QStringLiteral("Presume a double first name"),
     &googlekeys::abUpdatePresumeDoubleFirst,
     Check,
     {}},
    {QStringLiteral("Company"), &googlekeys::abUpdateCompany, Check, {}},
    {QStringLiteral("Job title"), &googlekeys::abUpdateTitle, Check, {}},
    {QStringLiteral("E-mail"), &googlekeys::abUpdateEmail, Check, {}},
    {QStringLiteral("Phone"), &googlekeys::abUpdatePhone, Check, {}},
    {QStringLiteral("Postal address"), &googlekeys::abUpdatePostal, Check, {}},
    {QStringLiteral("Instant messaging"), &googlekeys::abUpdateIM, Check, {}},
    {QStringLiteral("Instant messaging as home"), &googlekeys::abUpdateIMUseHome, Check, {}},
    {QStringLiteral("Notes"), &googlekeys::abUpdateNotes, Check, {}},
    {QStringLiteral("Append to notes"), &googlekeys::abUpdateAppendNotes, Check, {}},
    {QStringLiteral("Picture"), &googlekeys::abUpdatePicture, Check, {}},
    {QStringLiteral("Group memberships"), &googlekeys::abUpdateMemberships, Check, {}},
    {QStringLiteral("Remove memberships left on Google"),
     &googlekeys::abUpdateRemoveABGroups,
     Check,
     {}},
    {QStringLiteral("Add the creation date to notes"),
     &abkeys::abUpdateIncludeCreateDate,
     Check,
     {}},
    {QStringLiteral("Never remove"), nullptr, Heading, {}},
    {QStringLiteral("Smart groups"), &abkeys::abUpdateNeverRemoveSmartGroups, Check, {}},
    {QStringLiteral("Manual groups"), &abkeys::abUpdateNeverRemoveManualGroups, Check, {}},
    {QStringLiteral("Companies"), &abkeys::abUpdateNeverRemoveCompanies, Check, {}},
    {QStringLiteral("People"), &abkeys::abUpdateNeverRemovePeople, Check, {}},
    {QStringLiteral("Contacts"), &abkeys::abUpdateNeverRemoveContacts, Check, {}},
    {QStringLiteral("Tag created records"), &googlekeys::abDoTagCreatedRecords, Check, {}},
    {QStringLiteral("Tag"), &googlekeys::abTagForCreatedRecords, Text, {}},
};

const PrefOption kGoogle[] = {
    {QStringLiteral("Update people"), &abkeys::gmUpdatePeople, Check, {}},
    {QStringLiteral("Update companies"), &abkeys::gmUpdateCompanies, Check, {}},
    {QStringLiteral("Update smart groups"), &googlekeys::gmUpdateSmartGroups, Check, {}},
    {QStringLiteral("Include nested groups"), &googlekeys::gmRecurseGroups, Check, {}},
    {QStringLiteral("Fields"), nullptr, Heading, {}},
    {QStringLiteral("Name"), &googlekeys::gmUpdateName, Check, {}},
    {QStringLiteral("Name format"),
     &googlekeys::gmUpdateNameFormat,
     Choice,
     {QStringLiteral("First Last"), QStringLiteral("Last, First")}},
    {QStringLiteral("Nickname"),
     &googlekeys::gmUpdateNicknameUsage,
     Choice,
     {QStringLiteral("Ignore"), QStringLiteral("Quoted after the first name"),
      QStringLiteral("Instead of the first name")}},
    {QStringLiteral("Keep company and name apart"), &abkeys::gmUpdateKeepSeperate, Check, {}},
    {QStringLiteral("Company"), &googlekeys::gmUpdateCompany, Check, {}},
    {QStringLiteral("Job title"), &googlekeys::gmUpdateTitle, Check, {}},
    {QStringLiteral("E-mail"), &googlekeys::gmUpdateEmail, Check, {}},
    {QStringLiteral("Phone"), &googlekeys::gmUpdatePhone, Check, {}},
    {QStringLiteral("Postal address"), &googlekeys::gmUpdatePostal, Check, {}},
    {QStringLiteral("Instant messaging"), &googlekeys::gmUpdateIM, Check, {}},
    {QStringLiteral("Notes"), &googlekeys::gmUpdateNotes, Check, {}},
    {QStringLiteral("Append to notes"), &googlekeys::gmUpdateAppendNotes, Check, {}},
    {QStringLiteral("Picture"), &googlekeys::gmUpdatePicture, Check, {}},
    {QStringLiteral("Group memberships"), &googlekeys::gmUpdateMemberships, Check, {}},
    {QStringLiteral("Add the creation date to notes"),
     &googlekeys::gmUpdateIncludeCreateDate,
     Check,
     {}},
    {QStringLiteral("Add web addresses to notes"),
     &googlekeys::gmUpdateIncludeURLsInNotes,
     Check,
     {}},
    {QStringLiteral("Never"), nullptr, Heading, {}},
    {QStringLiteral("Move the Me card"), &googlekeys::gmUpdateNeverMoveMeCard, Check, {}},
    {QStringLiteral("Remove groups"), &googlekeys::gmUpdateNeverRemoveGroups, Check, {}},
    {QStringLiteral("Remove contacts"), &googlekeys::gmUpdateNeverRemoveContacts, Check, {}},
    {QStringLiteral("Tag created contacts"), &googlekeys::gmDoTagCreatedRecords, Check, {}},
    {QStringLiteral("Tag"), &googlekeys::gmTagForCreatedRecords, Text, {}},
};

const PrefOption kVCard[] = {
    {QStringLiteral("Leave out"), nullptr, Heading, {}},
    {QStringLiteral("Picture"), &kVCardNotPicture, Check, {}},
    {QStringLiteral("Notes"), &kVCardNotNotes, Check, {}},
    {QStringLiteral("Birthday"), &kVCardNotBirthday, Check, {}},
    {QStringLiteral("Groups"), &kVCardNotGroup, Check, {}},
    {QStringLiteral("Nickname"), &kVCardNotNickname, Check, {}},
    {QStringLiteral("Company"), &kVCardNotOrgName, Check, {}},
    {QStringLiteral("Job title"), &kVCardNotJobTitle, Check, {}},
    {QStringLiteral("Tag"), &kVCardNotTag, Check, {}},
    {QStringLiteral("Related names"), &kVCardNotRelatedName, Check, {}},
    {QStringLiteral("Related dates"), &kVCardNotRelatedDate, Check, {}},
    {QStringLiteral("Keep"), nullptr, Heading, {}},
    {QStringLiteral("E-mail"), &kVCardEmail, Choice, kKinds},
    {QStringLiteral("No e-mail of those"), &kVCardNotEmail, Check, {}},
    {QStringLiteral("Phones"), &kVCardTelephone, Choice,
     kKinds + QStringList{QStringLiteral("Mobile only")}},
    {QStringLiteral("No phones"), &kVCardNotTelephone, Check, {}},
    {QStringLiteral("Addresses"), &kVCardStreet, Choice, kKinds},
    {QStringLiteral("No address of those"), &kVCardNotStreetl, Check, {}},
    {QStringLiteral("Instant messaging"), &kVCardIM, Choice, kKinds},
    {QStringLiteral("No instant messaging of those"), &kVCardNotIM, Check, {}},
    {QStringLiteral("Web sites"),
     &kVCardWebsites,
     Choice,
     {QStringLiteral("All"), QStringLiteral("Home only"), QStringLiteral("Work only"),
      QStringLiteral("None")}},
};

const PrefOption kConsole[] = {
    {QStringLiteral("Log level"),
     &prefkeys::appLogLevel,
     Choice,
     {QStringLiteral("Normal"), QStringLiteral("Terse"), QStringLiteral("Verbose")}},
};

} // namespace

std::span<const PrefOption> generalOptions()
{
    return kGeneral;
}

std::span<const PrefOption> addressBookOptions()
{
    return kAddressBook;
}

std::span<const PrefOption> googleOptions()
{
    return kGoogle;
}

std::span<const PrefOption> vCardOptions()
{
    return kVCard;
}

std::span<const PrefOption> consoleOptions()
{
    return kConsole;
}

void addOptions(std::span<const PrefOption> options, PrefBinder &binder, QWidget *page)
{
    auto *form = qobject_cast<QFormLayout *>(page->layout());
    if (!form) {
        form = new QFormLayout(page);
        form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    }
    for (const PrefOption &option : options) {
        switch (option.kind) {
        case Heading: {
            auto *const heading = new QLabel(QStringLiteral("<b>%1</b>").arg(option.title), page);
            form->addRow(heading);
            break;
        }
        case Check: {
            auto *const box = new QCheckBox(option.title, page);
            box->setObjectName(*option.key);
            binder.bindChecked(box, *option.key);
            form->addRow(box);
            break;
        }
        case Choice: {
            auto *const popUp = new QComboBox(page);
            popUp->setObjectName(*option.key);
            popUp->addItems(option.choices);
            binder.bindIndex(popUp, *option.key);
            form->addRow(option.title, popUp);
            break;
        }
        case Text: {
            auto *const field = new QLineEdit(page);
            field->setObjectName(*option.key);
            field->setMinimumWidth(220);
            binder.bindText(field, *option.key);
            form->addRow(option.title, field);
            break;
        }
        }
    }
}

QWidget *scrolled(QWidget *page)
{
    auto *const scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    if (page->layout())
        page->layout()->setContentsMargins(16, 12, 16, 12);
    scroll->setWidget(page);
    return scroll;
}

QWidget *makeOptionPage(std::span<const PrefOption> options, PrefBinder &binder)
{
    auto *const page = new QWidget;
    addOptions(options, binder, page);
    return scrolled(page);
}

} // namespace prefoptions
