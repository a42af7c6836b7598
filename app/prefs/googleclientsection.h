// The preferences' Google client section: the OAuth client of the People protocol imported from
// the file Google hands out, its ID shown, "Clear", and the account's "Sign in again…".
#pragma once

#include <QGroupBox>

class AppDelegate;
class QLabel;
class QPushButton;

class GoogleClientSection : public QGroupBox
{
    Q_OBJECT
public:
    GoogleClientSection(AppDelegate &delegate, QWidget *parent = nullptr);

    // Shows the client in use and what the account's protocol offers.
    void reload();

    QLabel *clientIdLabel() const { return m_clientId; }
    QLabel *messageLabel() const { return m_message; }
    QPushButton *importButton() const { return m_import; }
    QPushButton *clearButton() const { return m_clear; }
    QPushButton *signInAgainButton() const { return m_signInAgain; }

private:
    void importClientFile();
    void clientFileChosen(const QString &path);
    void clearClient();
    void signInAgain();
    void showMessage(const QString &message);

    AppDelegate &m_delegate;
    QLabel *m_clientId;
    QPushButton *m_import;
    QPushButton *m_clear;
    QPushButton *m_signInAgain;
    QLabel *m_message;
};
