#pragma once

#include <QDialog>

class QLabel;
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

    // Browser sign-in (the People protocol): the password field gives way to a line saying so;
    // without a client the sheet says how to get one and offers the preferences' client section.
    void setSignsInWithBrowser(bool browser, bool hasClient);
    bool signsInWithBrowser() const { return m_browser; }
    // While the browser step runs: its line and its own Cancel, the fields and Login locked.
    void setWaitingForBrowser(bool waiting);
    bool isWaitingForBrowser() const { return m_waiting; }
    // Why the last sign-in failed; empty clears it.
    void showMessage(const QString &message);
    QLabel *messageLabel() const { return m_messageLabel; }
    QPushButton *browserCancelButton() const { return m_browserCancelButton; }
    QPushButton *clientButton() const { return m_clientButton; }

signals:
    void loginRequested();
    void cancelRequested();
    void fieldsEdited();
    void browserCancelRequested();
    void clientSectionRequested();

private:
    void fitContents();

    QLabel *m_message;
    QLabel *m_passwordLabel;
    QLineEdit *m_userTextField;
    QLineEdit *m_pwTextField;
    QLabel *m_browserLine;
    QLabel *m_clientNote;
    QPushButton *m_clientButton;
    QLabel *m_waitingLabel;
    QPushButton *m_browserCancelButton;
    QLabel *m_messageLabel;
    QPushButton *m_loginButton;
    QPushButton *m_cancelButton;
    bool m_browser = false;
    bool m_waiting = false;
};
