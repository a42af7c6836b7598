// The function panes under the contact list, selected by name: the notes of one contact
// ("SingleNote") or of several ("MultipleNote", the same notes editor, whose text is then
// appended to each), find and replace over the selection ("Bulk") and a message to the selection
// ("sendMessage"). The Bulk and message panes keep their fields in the preferences the engine and
// the message read.
#pragma once

#include <QStackedWidget>
#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTextEdit;

class FunctionTabView : public QStackedWidget
{
    Q_OBJECT

public:
    // The notes editor becomes the page of both notes panes.
    explicit FunctionTabView(QWidget *notesPage, QWidget *parent = nullptr);

    void selectTabViewItemWithIdentifier(const QString &identifier);
    QString selectedIdentifier() const { return m_identifier; }

    // Writes what the fields hold to the preferences, as ending their editing does.
    void endEditing();
    // The message's body as plain text.
    QString msgBodyString() const;

    QLineEdit *findText() const { return m_findText; }
    QLineEdit *replaceText() const { return m_replaceText; }
    QComboBox *bulkField() const { return m_bulkField; }
    QCheckBox *ignoreCase() const { return m_ignoreCase; }
    QCheckBox *addIfEmpty() const { return m_addIfEmpty; }
    QLineEdit *msgSubject() const { return m_msgSubject; }
    QComboBox *addressMode() const { return m_addressMode; }
    QTextEdit *msgBody() const { return m_msgBody; }

signals:
    void applyBulkChanges();
    void cancelBulkEdit();
    void sendMessage();
    void cancelMessage();

private:
    QWidget *buildBulkPane();
    QWidget *buildMessagePane();
    void loadPreferences();

    QString m_identifier;
    QWidget *m_notesPage = nullptr;
    QWidget *m_bulkPage = nullptr;
    QWidget *m_messagePage = nullptr;
    QLineEdit *m_findText = nullptr;
    QLineEdit *m_replaceText = nullptr;
    QComboBox *m_bulkField = nullptr;
    QCheckBox *m_ignoreCase = nullptr;
    QCheckBox *m_addIfEmpty = nullptr;
    QLineEdit *m_msgSubject = nullptr;
    QComboBox *m_addressMode = nullptr;
    QTextEdit *m_msgBody = nullptr;
};
