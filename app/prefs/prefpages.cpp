#include "app/prefs/prefpages.h"

#include "app/appkeys.h"
#include "app/bundleinfo.h"
#include "app/delegate/appdelegate.h"
#include "app/menus/commandkeys.h"
#include "app/prefs/googleclientsection.h"
#include "app/prefs/prefbinder.h"
#include "app/prefs/prefkeys.h"
#include "app/prefs/prefoptions.h"
#include "app/prefs/prefpanes.h"
#include "app/prefs/prefsheet.h"
#include "app/prefs/pushgroupsmodel.h"
#include "app/prefs/regionsmodel.h"
#include "foundation/parsers/parserkeys.h"
#include "google/engine/googlekeys.h"
#include "google/push/pushkeys.h"
#include "google/upload/googleelementkeys.h"
#include "platform/defaults/userdefaults.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 16;

QVBoxLayout *pageLayout(QWidget *page)
{
    auto *const layout = new QVBoxLayout(page);
    layout->setContentsMargins(kMargin, 12, kMargin, 12);
    return layout;
}

QLabel *note(const QString &text, QWidget *parent)
{
    auto *const label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

struct Continent
{
    QString title;
    const QString &key;
};

const Continent kContinents[] = {
    {QStringLiteral("Americas"), appkeys::useAmericas},
    {QStringLiteral("Africa"), appkeys::useAfrica},
    {QStringLiteral("Europe"), appkeys::useEurope},
    {QStringLiteral("Asia"), appkeys::useAsia},
    {QStringLiteral("Oceania"), appkeys::useOceania},
};

} // namespace

PrefPages::PrefPages(AppDelegate &delegate, PrefSheet &sheet,
                     std::function<QList<AutoABGroup> &()> pushGroups)
    : QObject(&sheet)
    , m_delegate(delegate)
    , m_sheet(sheet)
    , m_binder(new PrefBinder(UserDefaults::standard(), this))
{
    m_sheet.addPage(prefpanes::generalTab, makeGeneralPage());
    m_sheet.addPage(prefpanes::accountTab, makeAccountPage());
    auto *const ab = prefoptions::makeOptionPage(prefoptions::addressBookOptions(), *m_binder);
    m_sheet.addPage(prefpanes::abTab, ab);
    m_sheet.addPage(prefpanes::consoleTab, makeConsolePage());
    m_sheet.addPage(prefpanes::googleTab,
                    prefoptions::makeOptionPage(prefoptions::googleOptions(), *m_binder));
    m_sheet.addPage(prefpanes::safariTab, makeSafariPage());
    m_sheet.addPage(prefpanes::updateTab, makeUpdatePage());
    m_sheet.addPage(prefpanes::worldTab, makeWorldPage());
    m_sheet.addPage(prefpanes::vCardTab, makeVCardPage());
    m_sheet.addPage(prefpanes::pushTab, makePushPage(std::move(pushGroups)));
    // The simple address book update is possible while either of its halves is on.
    for (const QString &key : {prefkeys::abUpdateContacts, prefkeys::abUpdateGroups})
        m_binder->setChangeHandler(key, [this] { m_delegate.setCanDoSimpleAB(); });
}

void PrefPages::reload()
{
    m_binder->reload();
    m_loginItemBox->setChecked(m_delegate.isLoginItem());
    m_abPictures->setChecked(AppDelegate::isVCardPicABEnabled());
    m_abNotes->setChecked(AppDelegate::isVCardNoteABEnabled());
    m_pushGroups->reload();
    showSelectionOptions();
    reloadWorld();
    reloadLabels();
    reloadSignIn();
}

void PrefPages::reloadSignIn()
{
    // A browser sign-in has no password to change: "Sign in again…" of the client section
    // takes its place.
    const bool browser = AppDelegate::signsInWithBrowser();
    m_passwordForm->setRowVisible(1, !browser);
    m_passwordNote->setVisible(!browser);
    // Showing the row shows all its controls: the change starts over with its button alone.
    if (!browser)
        m_delegate.cancelPassword();
    m_clientSection->reload();
}

QWidget *PrefPages::makeGeneralPage()
{
    auto *const page = new QWidget;
    auto *const layout = pageLayout(page);
    auto *const options = new QWidget(page);
    prefoptions::addOptions(prefoptions::generalOptions(), *m_binder, options);
    options->layout()->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(options);
    // The mode takes effect through the delegate: a restart to become a tray item, at once to
    // become an application.
    m_binder->setChangeHandler(appkeys::runAsStatusItem, [this] {
        m_delegate.changeStatusItemStatus(
            UserDefaults::standard().boolForKey(appkeys::runAsStatusItem));
    });
    m_loginItemBox = new QCheckBox(tr("Start Agent Tolvane at login"), page);
    m_loginItemBox->setObjectName(QStringLiteral("isLoginItem"));
    layout->addWidget(m_loginItemBox);
    // The box shows whether the entry is there, also after a change that failed.
    connect(m_loginItemBox, &QAbstractButton::clicked, this, [this] {
        m_delegate.manageLoginItemStatus();
        m_loginItemBox->setChecked(m_delegate.isLoginItem());
    });
    connect(&m_delegate, &AppDelegate::isLoginItemChanged, m_loginItemBox,
            &QAbstractButton::setChecked);
    layout->addStretch();
    return page;
}

QWidget *PrefPages::makeAccountPage()
{
    auto *const page = new QWidget;
    auto *const layout = pageLayout(page);
    auto *const form = new QFormLayout;
    auto *const account = new QLineEdit(page);
    account->setObjectName(googlekeys::gsAccount);
    m_binder->bindText(account, googlekeys::gsAccount);
    form->addRow(tr("Google account"), account);
    auto *const passwordRow = new QHBoxLayout;
    auto *const field = new QLineEdit(page);
    field->setObjectName(QStringLiteral("changePWField"));
    field->setEchoMode(QLineEdit::Password);
    auto *const change = new QPushButton(tr("Change Password..."), page);
    auto *const cancel = new QPushButton(tr("Cancel"), page);
    auto *const save = new QPushButton(tr("Save"), page);
    change->setObjectName(QStringLiteral("changePW"));
    cancel->setObjectName(QStringLiteral("cancelPW"));
    save->setObjectName(QStringLiteral("savePW"));
    passwordRow->addWidget(field, 1);
    passwordRow->addWidget(change);
    passwordRow->addWidget(cancel);
    passwordRow->addWidget(save);
    passwordRow->addStretch();
    form->addRow(tr("Password"), passwordRow);
    layout->addLayout(form);
    m_passwordForm = form;
    m_passwordNote = note(tr("The password is kept in your keyring and nowhere else."), page);
    layout->addWidget(m_passwordNote);
    m_clientSection = new GoogleClientSection(m_delegate, page);
    layout->addWidget(m_clientSection);
    layout->addStretch();
    connect(change, &QPushButton::clicked, this, [this] { m_delegate.changePassword(); });
    connect(cancel, &QPushButton::clicked, this, [this] { m_delegate.cancelPassword(); });
    connect(save, &QPushButton::clicked, this, [this] { m_delegate.savePassword(); });
    m_delegate.setPasswordControls({change, cancel, save, field, account});
    // Until a change begins only its button shows.
    for (QWidget *hidden : {static_cast<QWidget *>(cancel), static_cast<QWidget *>(save),
                            static_cast<QWidget *>(field)})
        hidden->hide();
    return page;
}

QWidget *PrefPages::makePushPage(std::function<QList<AutoABGroup> &()> pushGroups)
{
    auto *const page = new QWidget;
    auto *const layout = pageLayout(page);
    auto *const push = new QCheckBox(tr("Push Address Book changes to Google"), page);
    push->setObjectName(pushkeys::autoPushABChanges);
    m_binder->bindChecked(push, pushkeys::autoPushABChanges);
    layout->addWidget(push);
    auto *const selected = new QCheckBox(tr("Only the members of the ticked groups"), page);
    selected->setObjectName(commandkeys::autoABUsesSelectedGroups);
    m_binder->bindChecked(selected, commandkeys::autoABUsesSelectedGroups);
    layout->addWidget(selected);
    m_pushGroups = new PushGroupsModel(std::move(pushGroups), this);
    auto *const table = new QTableView(page);
    table->setObjectName(QStringLiteral("autoABGroups"));
    table->setModel(m_pushGroups);
    table->verticalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setShowGrid(false);
    table->horizontalHeader()->setSectionResizeMode(PushGroupsModel::Tick,
                                                    QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(PushGroupsModel::Icon,
                                                    QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table, 1);
    const std::pair<QString, const QString *> options[] = {
        {tr("Include new groups"), &commandkeys::autoABSelectedGroupsIncludeNewGroups},
        {tr("Include nested groups"), &googlekeys::autoABSelectedGroupsIncludeNestedGroups},
        {tr("Include contacts without a group"), &pushkeys::autoABUsesContactsWithoutGroups},
        {tr("Keep Google group memberships strict"), &pushkeys::autoABStrict},
    };
    for (const auto &[title, key] : options) {
        auto *const box = new QCheckBox(title, page);
        box->setObjectName(*key);
        m_binder->bindChecked(box, *key);
        layout->addWidget(box);
        if (key != &pushkeys::autoABUsesContactsWithoutGroups)
            m_selectionOptions << box;
    }
    const auto recompute = [this] {
        m_delegate.setHasSelectedGroups();
        showSelectionOptions();
    };
    connect(m_pushGroups, &PushGroupsModel::groupToggled, this, recompute);
    m_binder->setChangeHandler(commandkeys::autoABUsesSelectedGroups, recompute);
    return page;
}

void PrefPages::showSelectionOptions()
{
    // The options of a selection mean something only while there is one (or while every group is
    // pushed); without one they are off and cannot be switched on.
    for (QAbstractButton *option : std::as_const(m_selectionOptions))
        option->setEnabled(m_delegate.hasSelectedGroups());
}

QWidget *PrefPages::makeVCardPage()
{
    auto *const inner = new QWidget;
    auto *const form = new QFormLayout(inner);
    form->addRow(new QLabel(tr("<b>The Address Book puts into vCards</b>"), inner));
    m_abPictures = new QCheckBox(tr("Photos"), inner);
    m_abNotes = new QCheckBox(tr("Notes"), inner);
    m_abPictures->setObjectName(QStringLiteral("isVCardPicABEnabled"));
    m_abNotes->setObjectName(QStringLiteral("isVCardNoteABEnabled"));
    // Shown, not changed: the options belong to the address book.
    m_abPictures->setEnabled(false);
    m_abNotes->setEnabled(false);
    form->addRow(m_abPictures);
    form->addRow(m_abNotes);
    prefoptions::addOptions(prefoptions::vCardOptions(), *m_binder, inner);
    return prefoptions::scrolled(inner);
}

QWidget *PrefPages::makeWorldPage()
{
    auto *const page = new QWidget;
    auto *const layout = new QGridLayout(page);
    layout->setContentsMargins(kMargin, 12, kMargin, 12);
    auto *const continents = new QVBoxLayout;
    continents->addWidget(new QLabel(tr("<b>Continents</b>"), page));
    for (const Continent &continent : kContinents) {
        auto *const box = new QCheckBox(continent.title, page);
        box->setObjectName(continent.key);
        m_binder->bindChecked(box, continent.key);
        m_binder->setChangeHandler(continent.key, [this] {
            m_delegate.loadRegionData();
            reloadWorld();
        });
        continents->addWidget(box);
    }
    continents->addStretch();
    layout->addLayout(continents, 0, 0, 2, 1);

    m_regions = new RegionsModel(m_delegate, this);
    m_regionsView = new QListView(page);
    m_regionsView->setObjectName(QStringLiteral("regions"));
    m_regionsView->setModel(m_regions);
    m_regionsView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_regionsView->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(new QLabel(tr("<b>Regions</b>"), page), 0, 1);
    layout->addWidget(m_regionsView, 1, 1);
    connect(m_regions, &RegionsModel::regionToggled, this, [this] {
        m_delegate.loadCountryData();
        reloadCountries();
    });

    m_countries = new QStringListModel(this);
    m_countriesView = new QListView(page);
    m_countriesView->setObjectName(QStringLiteral("countries"));
    m_countriesView->setModel(m_countries);
    m_countriesView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_countriesView->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(new QLabel(tr("<b>Countries</b>"), page), 0, 2);
    layout->addWidget(m_countriesView, 1, 2);
    connect(m_countriesView, &QListView::clicked, this, &PrefPages::chooseCountry);

    auto *const home = new QCheckBox(tr("Home country"), page);
    home->setObjectName(googlekeys::doDefaultCountry);
    m_binder->bindChecked(home, googlekeys::doDefaultCountry);
    m_binder->setChangeHandler(googlekeys::doDefaultCountry, [this] {
        m_delegate.toggleDefaultCountry();
        showCountrySelection();
    });
    auto *const homeName = new QLabel(page);
    homeName->setObjectName(zeltor::kDefaultCountryKey);
    connect(&UserDefaults::standard(), &UserDefaults::valueChanged, homeName,
            [this, homeName](const QString &key) {
                if (key == zeltor::kDefaultCountryKey)
                    homeName->setText(m_delegate.defaultCountry());
            });
    auto *const homeRow = new QHBoxLayout;
    homeRow->addWidget(home);
    homeRow->addWidget(homeName, 1);
    layout->addLayout(homeRow, 2, 0, 1, 3);

    auto *const labels = new QHBoxLayout;
    labels->addWidget(new QLabel(tr("After the street:"), page));
    m_label1 = new QComboBox(page);
    m_label2 = new QComboBox(page);
    auto *const label3 = new QLineEdit(page);
    m_label1->setObjectName(zeltor::kLabel1Key);
    m_label2->setObjectName(zeltor::kLabel2Key);
    label3->setObjectName(zeltor::kLabel3Key);
    label3->setReadOnly(true);
    labels->addWidget(m_label1);
    labels->addWidget(m_label2);
    labels->addWidget(label3);
    labels->addStretch();
    layout->addLayout(labels, 3, 0, 1, 3);
    m_binder->bindCurrentText(m_label1, zeltor::kLabel1Key);
    m_binder->bindCurrentText(m_label2, zeltor::kLabel2Key);
    m_binder->bindText(label3, zeltor::kLabel3Key);
    m_binder->setChangeHandler(zeltor::kLabel1Key, [this] {
        m_delegate.resetTwoLabels();
        reloadLabels();
    });
    m_binder->setChangeHandler(zeltor::kLabel2Key, [this] { m_delegate.resetLastLabel(); });
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 1);
    return page;
}

QWidget *PrefPages::makeConsolePage()
{
    auto *const page = new QWidget;
    auto *const layout = pageLayout(page);
    auto *const options = new QWidget(page);
    prefoptions::addOptions(prefoptions::consoleOptions(), *m_binder, options);
    options->layout()->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(options);
    auto *const open = new QPushButton(tr("Open Log File"), page);
    open->setObjectName(QStringLiteral("launchConsole"));
    connect(open, &QPushButton::clicked, this, [this] { m_delegate.launchConsole(); });
    auto *const row = new QHBoxLayout;
    row->addWidget(open);
    row->addStretch();
    layout->addLayout(row);
    layout->addWidget(note(m_delegate.logFilePath(), page));
    layout->addStretch();
    return page;
}

QWidget *PrefPages::makeUpdatePage()
{
    auto *const page = new QWidget;
    auto *const layout = pageLayout(page);
    auto *const version = new QLabel(tr("Installed version: %1").arg(bundleinfo::version()), page);
    version->setObjectName(appkeys::appVersion);
    layout->addWidget(version);
    layout->addWidget(note(tr("Tolvane is updated with the other packages of your system."), page));
    layout->addStretch();
    return page;
}

QWidget *PrefPages::makeSafariPage()
{
    auto *const page = new QWidget;
    auto *const layout = pageLayout(page);
    layout->addWidget(note(tr("Web pages open in your own web browser."), page));
    layout->addStretch();
    return page;
}

void PrefPages::reloadWorld()
{
    m_regions->reload();
    reloadCountries();
}

void PrefPages::reloadCountries()
{
    m_countries->setStringList(m_delegate.countryNamesArray());
    m_countriesView->setEnabled(UserDefaults::standard().boolForKey(googlekeys::doDefaultCountry));
    showCountrySelection();
}

void PrefPages::showCountrySelection()
{
    m_countriesView->setEnabled(UserDefaults::standard().boolForKey(googlekeys::doDefaultCountry));
    const auto select = [](QListView *view, int row) {
        QItemSelectionModel *const selection = view->selectionModel();
        if (row < 0) {
            selection->clear();
            return;
        }
        const QModelIndex index = view->model()->index(row, 0);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        view->scrollTo(index);
    };
    select(m_countriesView, m_delegate.countrySelection());
    select(m_regionsView, m_delegate.regionSelection());
}

void PrefPages::chooseCountry(const QModelIndex &index)
{
    UserDefaults::standard().setString(index.data().toString(), zeltor::kDefaultCountryKey);
    m_delegate.selectCountryAndRegionRows();
    showCountrySelection();
}

void PrefPages::reloadLabels()
{
    for (const auto &[popUp, labels] : {std::pair{m_label1, m_delegate.threeLabels()},
                                        std::pair{m_label2, m_delegate.twoLabels()}}) {
        const QSignalBlocker blocker(popUp);
        popUp->clear();
        popUp->addItems(labels);
    }
    m_binder->reload();
}
