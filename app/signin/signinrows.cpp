#include "app/signin/signinrows.h"

#include "app/signin/signintexts.h"

#include <QFormLayout>
#include <QLabel>

SignInRows addSignInRows(QFormLayout *form)
{
    SignInRows rows;
    rows.browserLine = new QLabel(signintexts::browserSignIn);
    rows.browserLine->setObjectName(QStringLiteral("browserSignInLine"));
    form->addRow(QString(), rows.browserLine);
    rows.message = new QLabel;
    rows.message->setObjectName(QStringLiteral("signInMessage"));
    rows.message->setWordWrap(true);
    form->addRow(rows.message);
    return rows;
}
