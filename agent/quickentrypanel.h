#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QuickEntryController;

// The quick-entry panel: a paste field, the name fields, the tabs "home", "work" and "note", the
// targets and the group choices, each field bound by key path to the controller's contact.
class QuickEntryPanel : public QWidget
{
    Q_OBJECT

public:
    explicit QuickEntryPanel(QuickEntryController *controller);

    // Every field from the contact, the tab as the controller chose it, shown and brought front.
    void showFilled();
    void insertIntoPasteField(const QString &text);
    // Ends the editing of the focused field; false when its entry was refused.
    bool endEditing();

    QPlainTextEdit *cardzapField() const { return m_cardzapField; }
    QPlainTextEdit *notesField() const { return m_notesField; }
    QTabWidget *tabs() const { return m_tabs; }
    // The line edit bound to the key path, or null.
    QLineEdit *field(const QString &path) const;
    QCheckBox *addressBookTarget() const { return m_addressBook; }
    QCheckBox *googleTarget() const { return m_google; }

private:
    struct Binding
    {
        QString path;
        int tag;
        QLineEdit *edit;
    };

    QLineEdit *addField(QWidget *parent, const QString &path, int tag, const QString &placeholder);
    QWidget *makeAddressTab(const QString &type);
    QWidget *makeNoteTab();
    QWidget *makeTargets();
    void refresh();
    // The notes' web and mail addresses shown as links, the text left as it is.
    void markNoteLinks();
    void fieldEdited(const Binding &binding, const QString &text);
    bool fieldFinished(const Binding &binding);

    QuickEntryController *m_controller;
    QPlainTextEdit *m_cardzapField = nullptr;
    QPlainTextEdit *m_notesField = nullptr;
    QTabWidget *m_tabs = nullptr;
    QCheckBox *m_addressBook = nullptr;
    QCheckBox *m_google = nullptr;
    QList<Binding> m_bindings;
    QList<QPair<QComboBox *, QString>> m_choices;
    QList<QPair<QComboBox *, QString>> m_countryChoices;
    QList<QPair<QCheckBox *, QString>> m_preferenceBoxes;
    bool m_refreshing = false;
};
