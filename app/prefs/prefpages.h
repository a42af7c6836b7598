// The ten pages of the preferences sheet and what their controls do: plain options bound to their
// preferences, and the controls that act through the application delegate (the password, the
// push selection, the regions and countries, the log file).
#pragma once

#include "google/engine/googleabautoupdatedelegate.h"

#include <QList>
#include <QObject>

#include <functional>

class AppDelegate;
class GoogleClientSection;
class QFormLayout;
class PrefBinder;
class PrefSheet;
class PushGroupsModel;
class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QStringListModel;
class RegionsModel;

class PrefPages : public QObject
{
    Q_OBJECT

public:
    // Adds the pages to the sheet, in the order of the panes' table, and hands the password
    // controls to the delegate.
    PrefPages(AppDelegate &delegate, PrefSheet &sheet,
              std::function<QList<AutoABGroup> &()> pushGroups);

    // Every page shows the preferences and the delegate's lists as they are now.
    void reload();

    PrefBinder &binder() const { return *m_binder; }
    QAbstractButton *loginItemBox() const { return m_loginItemBox; }
    PushGroupsModel *pushGroupsModel() const { return m_pushGroups; }
    RegionsModel *regionsModel() const { return m_regions; }
    QStringListModel *countriesModel() const { return m_countries; }
    QListView *regionsView() const { return m_regionsView; }
    QListView *countriesView() const { return m_countriesView; }
    QComboBox *label1PopUp() const { return m_label1; }
    QComboBox *label2PopUp() const { return m_label2; }
    // The push options that a selection needs (new groups, nested groups, strict memberships).
    const QList<QAbstractButton *> &selectionOptions() const { return m_selectionOptions; }
    GoogleClientSection *clientSection() const { return m_clientSection; }

private:
    QWidget *makeGeneralPage();
    QWidget *makeAccountPage();
    QWidget *makePushPage(std::function<QList<AutoABGroup> &()> pushGroups);
    QWidget *makeVCardPage();
    QWidget *makeWorldPage();
    QWidget *makeConsolePage();
    QWidget *makeUpdatePage();
    QWidget *makeSafariPage();
    void reloadWorld();
    void reloadCountries();
    void showCountrySelection();
    void reloadLabels();
    void showSelectionOptions();
    void chooseCountry(const QModelIndex &index);
    void reloadSignIn();

    AppDelegate &m_delegate;
    PrefSheet &m_sheet;
    PrefBinder *m_binder;
    QAbstractButton *m_loginItemBox = nullptr;
    QAbstractButton *m_abPictures = nullptr;
    QAbstractButton *m_abNotes = nullptr;
    PushGroupsModel *m_pushGroups = nullptr;
    QList<QAbstractButton *> m_selectionOptions;
    RegionsModel *m_regions = nullptr;
    QStringListModel *m_countries = nullptr;
    QListView *m_regionsView = nullptr;
    QListView *m_countriesView = nullptr;
    QComboBox *m_label1 = nullptr;
    QComboBox *m_label2 = nullptr;
    QFormLayout *m_passwordForm = nullptr;
    QLabel *m_passwordNote = nullptr;
    GoogleClientSection *m_clientSection = nullptr;
};
