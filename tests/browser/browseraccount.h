// A small account in an engine's lists, as the browser's models read it: My Contacts, two Google
// groups, five contacts with memberships, genders, a company and a home address, and the rows of
// every contact built.
#pragma once

#include "google/engine/googlecontacttool.h"

#include "tests/support/google/googleentrytest.h"

#include <QStringList>

class BrowserAccountTest : public GoogleEntryTest
{
protected:
    void SetUp() override;
    // The "gID" values of the contact model's rows, in table order.
    static QStringList shownIDs(const class ContactArrayController &contacts);

    // Google's identifiers of the account's groups.
    static inline const QString myContacts = QStringLiteral("my");
    static inline const QString golf = QStringLiteral("golf");
    static inline const QString work = QStringLiteral("work");
    // The program's own groups, by the titles the preferences give them.
    static inline const QString company = QStringLiteral("~company");
    static inline const QString male = QStringLiteral("~male");
    static inline const QString female = QStringLiteral("~female");
    static inline const QString noGender = QStringLiteral("~nogender");
    static inline const QString noGroup = QStringLiteral("~nogroup");
    static inline const QString emailOnly = QStringLiteral("~emailonly");
    static inline const QString recent = QStringLiteral("~recent");

    GoogleContactTool tool{GoogleContactTool::Role::MainProgram};
};
