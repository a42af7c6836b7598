#pragma once

#include "tests/support/google/engineservertest.h"

#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QStringList>

// The upload and delete commands against the loopback server: the link properties in the address
// book, the update options on (the Me record kept off Google), a small address book and a
// logged-in engine.
class CommandServerTest : public EngineServerTest
{
protected:
    void SetUp() override;

    static PersonPtr addPerson(const QString &first, const QString &last);
    static PersonPtr addCompany(const QString &organization);
    static GroupPtr addGroup(const QString &name, const QList<PersonPtr> &members);
    // A smart group of the people with that last name.
    static GroupPtr addSmartGroup(const QString &name, const QString &lastName);
    static QString googleID(const RecordPtr &record);

    // The live entries the server holds.
    std::vector<GDataEntryContactPtr> serverContacts();
    QStringList serverContactTitles();
    QStringList serverGroupTitles();
    GDataEntryContactPtr serverContact(const QString &title);
    // The user groups' identifiers of the contact's memberships.
    QStringList membershipsOf(const QString &title);
    QString serverGroupID(const QString &title);

    // Waits until the UI delegate was told that the process ended.
    bool runUntilCleanup(const QString &process);
    // The last sheet shown, its message and informative text.
    Prompt lastPrompt() const;

    std::unique_ptr<OfferingEngine> engine;
    PersonPtr me;
};
