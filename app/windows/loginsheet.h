#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The sheet that asks for the Google account and its password. It is window-modal on the window
// it is opened on and always answers later, on the event loop.
class LoginSheet : public QDialog
{
    Q_OBJECT

public:
    explicit LoginSheet(QWidget *parent = nullptr);

    QLineEdit *userTextField() const { return m_userTextField; }
    QLineEdit *pwTextField() const { return m_pwTextField; }
    QPushButton *loginButton() const { return m_loginButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

    // The user field's tag, by which the old sheet told its fields apart.
    static constexpr int kUserFieldTag = 10;

    // Escape and the window's close ask like the Cancel button: the application delegate decides.
    void reject() override;

signals:
    void loginRequested();
    void cancelRequested();
    void fieldsEdited();

private:
    QLineEdit *m_userTextField;
    QLineEdit *m_pwTextField;
    QPushButton *m_loginButton;
    QPushButton *m_cancelButton;
};
