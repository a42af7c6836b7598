// The two rows a login form shows for a browser sign-in: the line saying the password is given in
// the browser, and the message of how the last sign-in went. Both login sheets of the windows
// (the data loader's and the second account's) are found by the same names in their tests.
#pragma once

class QFormLayout;
class QLabel;

struct SignInRows
{
    QLabel *browserLine = nullptr;
    QLabel *message = nullptr;
};

SignInRows addSignInRows(QFormLayout *form);
