#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The sheet that names a new Google group or renames one. Window-modal on the browser window it
// is opened on; Save and Cancel are the application delegate's to answer.
class GroupSheet : public QDialog
{
    Q_OBJECT

public:
    explicit GroupSheet(QWidget *parent = nullptr);

    QLineEdit *groupName() const { return m_groupName; }
    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

    // Escape and the window's close ask like the Cancel button.
    void reject() override;

signals:
    void saveRequested();
    void cancelRequested();

private:
    QLineEdit *m_groupName;
    QPushButton *m_saveButton;
    QPushButton *m_cancelButton;
};
