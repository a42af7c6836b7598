#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QVariantMap>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// The new-contact sheet and the edit-contact sheet: fields bound by key path to a contact
// dictionary that the application delegate owns, the notes with their links marked, and a paste
// field. The new-contact sheet also carries the targets and the group choices. Window-modal on
// the browser window it is opened on; what its controls mean is the delegate's to decide.
class ContactSheet : public QDialog
{
    Q_OBJECT

public:
    enum class Mode { NewContact, EditContact };

    // The tags by which the delegate tells the fields apart.
    static constexpr int kNewPasteTag = 91;
    static constexpr int kEditPasteTag = 92;
    static constexpr int kMobilePhoneTag = 95;
    static constexpr int kWorkPhoneTag = 96;
    static constexpr int kHomePhoneTag = 97;

    ContactSheet(Mode mode, QWidget *parent = nullptr);
    ~ContactSheet() override;

    Mode mode() const { return m_mode; }
    // The dictionary the fields edit; it must outlive the sheet or be replaced before it goes.
    void setContact(QVariantMap *contact);
    void setChoices(const QStringList &abGroups, const QStringList &googleGroups,
                    const QStringList &countries);
    // Every field again from the dictionary, the notes and the targets.
    void refresh(const QString &notes, bool addToAddressBook, bool addToGoogleContacts);
    // Empties the paste field without a text change reaching the delegate.
    void clearPasteField();
    // Ends the editing of the focused field as leaving it would.
    void commitEditing();

    QPlainTextEdit *cardzapField() const { return m_cardzapField; }
    QPlainTextEdit *notesField() const { return m_notesField; }
    // The line edit bound to the key path, or null.
    QLineEdit *field(const QString &path) const;
    QComboBox *choice(const QString &path) const;
    QCheckBox *addressBookTarget() const { return m_addressBook; }
    QCheckBox *googleTarget() const { return m_google; }
    QTabWidget *tabs() const { return m_tabs; }
    QPushButton *saveButton() const { return m_saveButton; }

    void reject() override;

signals:
    // A text of a watched control changed (the paste field).
    void controlTextChanged(QObject *control);
    // A line edit is being left; the delegate may rewrite its text before it is stored.
    void controlTextShouldEndEditing(QLineEdit *control);
    void notesEdited(const QString &notes);
    void addToAddressBookToggled(bool on);
    void addToGoogleContactsToggled(bool on);
    void saveRequested();
    void cancelRequested();

private:
    struct Binding
    {
        QString path;
        QLineEdit *edit;
    };

    QLineEdit *addField(QWidget *parent, const QString &path, int tag = 0);
    QComboBox *addChoice(QWidget *parent, const QString &path, bool editable);
    QWidget *makeNamesPane();
    QWidget *makeAddressTab(const QString &type, int phoneTag);
    QWidget *makeNotesTab();
    QWidget *makeTargetsTab();
    void fieldFinished(const Binding &binding);
    void setValue(const QString &path, const QVariant &value);
    void markNoteLinks();

    Mode m_mode;
    QVariantMap *m_contact = nullptr;
    QStringList m_abGroups;
    QStringList m_googleGroups;
    QStringList m_countries;
    QPlainTextEdit *m_cardzapField = nullptr;
    QPlainTextEdit *m_notesField = nullptr;
    QTabWidget *m_tabs = nullptr;
    QCheckBox *m_addressBook = nullptr;
    QCheckBox *m_google = nullptr;
    QPushButton *m_saveButton = nullptr;
    QList<Binding> m_bindings;
    QList<QPair<QComboBox *, QString>> m_choices;
    QList<QPair<QCheckBox *, QString>> m_preferenceBoxes;
    bool m_refreshing = false;
};
