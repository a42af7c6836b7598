#pragma once

#include "agent/handoverfile.h"
#include "foundation/parsers/linkscanner.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class QuickEntryPanel;
class StatusAppDelegate;

// The quick-entry panel's contact: a browser dictionary made fresh at every opening, filled by
// the text analyser from pasted or handed-over text, corrected by the user and saved to the
// address book, to Google, or both.
class QuickEntryController : public QObject
{
    Q_OBJECT

public:
    inline static const QString kNoGroup = QStringLiteral("- No Group -");
    // Field tags of the panel.
    enum Tag {
        HomeEmailTag = 81,
        WorkEmailTag = 82,
        FirstNameTag = 91,
        LastNameTag = 92,
        MobilePhoneTag = 95,
        WorkPhoneTag = 96,
        HomePhoneTag = 97,
    };

    explicit QuickEntryController(StatusAppDelegate *delegate, QObject *parent = nullptr);
    ~QuickEntryController() override;

    // A fresh contact; the document data and the source program of an earlier hand-over go.
    void setupNewGoogleContact();
    void openFromHandOver(const handoverfile::Fields &fields);
    void openWithString(const QString &text);
    QuickEntryPanel *panel();

    const QVariantMap &contact() const { return m_contact; }
    QVariant value(const QString &path) const;
    void setValue(const QString &path, const QVariant &value);

    // "home", "work" or "note".
    QString selectedTab() const { return m_selectedTab; }
    void setSelectedTab(const QString &tab) { m_selectedTab = tab; }
    // Analyses the text with the type of the selected tab ("work" on the note tab).
    void processExpressString(const QString &text);
    // A name field's new text: analysed when it grew by more than one character (a paste).
    void nameFieldChanged(int tag, const QString &text);
    // An e-mail or phone field's entry: false, with a beep, when it holds none; an accepted entry
    // is stored lower-cased or formatted.
    bool fieldShouldEndEditing(int tag, const QString &path, const QString &text);
    void toggleCreateDate();

    bool addToAddressBook() const { return m_addToAddressBook; }
    bool addToGoogleContacts() const { return m_addToGoogleContacts; }
    void setAddToAddressBook(bool on) { m_addToAddressBook = on; }
    void setAddToGoogleContacts(bool on) { m_addToGoogleContacts = on; }
    QString sourceData() const { return m_sourceData; }
    QString sourceBID() const { return m_sourceBID; }
    void setSourceData(const QString &data);
    // The notes' links, as the panel marks them.
    QList<zeltor::TextLink> linkifiedNotes() const { return zeltor::scanLinks(notes()); }
    QString expressPastedString() const { return m_expressPastedString; }
    const QStringList &countryNamesArray() const { return m_countryNamesArray; }
    const QStringList &abGroupNamesArray() const { return m_abGroupNamesArray; }
    const QStringList &googleGroupNamesArray() const { return m_googleGroupNamesArray; }
    QString defaultCountry() const;

    // Saves to the chosen targets and brings the source program forward.
    void saveNewGoogleContact();
    void closeCardzap();
    void viewCardzapLog();

signals:
    // The contact changed as a whole: the panel reads every field again.
    void contactChanged();

private:
    QString notes() const;
    void setNotes(const QString &notes);
    void applyAnalysis(const QMap<QString, QString> &fields, const QString &type);
    QString notesWithTags(bool addressBook) const;
    void saveToAddressBook();
    void saveToGoogle();
    bool pushTakesInsertion() const;
    void raiseSourceProgram();
    void loadCountryNames();
    void loadGroupNames();

    StatusAppDelegate *m_delegate;
    QPointer<QuickEntryPanel> m_panel;
    QVariantMap m_contact;
    QString m_selectedTab = QStringLiteral("work");
    bool m_notesIncludeCreateDate = false;
    bool m_addToAddressBook = false;
    bool m_addToGoogleContacts = true;
    QString m_sourceData;
    QString m_sourceBID;
    QString m_expressPastedString;
    QString m_newContactCountry;
    QStringList m_countryNamesArray;
    QStringList m_abGroupNamesArray;
    QStringList m_googleGroupNamesArray;
};
