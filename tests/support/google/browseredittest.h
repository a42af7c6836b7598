#pragma once

#include "tests/support/google/engineservertest.h"

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QStringList>
#include <QVariantMap>

// The browser's edit batches against the loopback server: an account seeded with groups and
// contacts (each in My Contacts), the program's property names and pseudo-group titles, a
// logged-in engine, a counted beep.
class BrowserEditTest : public EngineServerTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Seeds the groups and then the contacts, each in My Contacts and the groups given by index,
    // logs in and empties the request log and the journal.
    void seedAndLogIn(const QStringList &groupTitles, int contactCount,
                      const std::function<QList<int>(int)> &groupsOfContact = {});
    // Each contact seeded, in order, and each group.
    QStringList contactIDs;
    QStringList groupIDs;
    QString myContactsID;

    // The engine's browser dictionaries of the contacts.
    QList<QVariantMap> rowsOf(const QStringList &identifiers) const;
    // Waits until the send has ended and the lists have been fetched again.
    bool runUntilRefreshed();
    // The logged GET requests of the group or the contact feed ("groups", "contacts").
    int fetchesOf(const QString &feed);
    // The entries in each logged batch request, in order.
    QList<int> batchEntryCounts();
    QList<QJsonObject> batchRequests();
    // The live contact the server holds.
    GDataEntryContactPtr serverContact(const QString &identifier);
    // A value of its program property, or nothing.
    std::optional<QString> serverFlag(const QString &identifier, const QString &key);
    QStringList serverMemberships(const QString &identifier);
    QStringList serverGroupTitles();

    std::unique_ptr<OfferingEngine> engine;
    int beeps = 0;

private:
    std::function<void()> m_previousBeep;
};
