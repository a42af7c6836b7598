#pragma once

#include "platform/addressbook/properties/propertytype.h"
#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

#include <utility>

using Labelled = QList<std::pair<QString, QVariant>>; // label, value

// A fresh address book with the link property names set and the log level at 0, and helpers that
// give a person its values in a line each.
class ABPersonTest : public ::testing::Test
{
protected:
    void SetUp() override;

    // A person in the shared book (or outside any book) with the names given.
    static PersonPtr addPerson(const QString &first, const QString &last = {});
    static PersonPtr addCompany(const QString &organization);
    static GroupPtr addGroup(const QString &name, const QString &googleID = {});
    // Sets the multi-value; primary is the index of the primary entry, -1 for none.
    static void setValues(const PersonPtr &person, const QString &property, PropertyType type,
                          const Labelled &values, int primary = -1);
    static void setPrimaryToUnknown(const PersonPtr &person, const QString &property);
    // The system group My Contacts with that identifier.
    static GDataEntryContactGroupPtr myContactsGroup(const QString &id);
};

inline const QString kGroupIDProperty = QStringLiteral("com.test.groupGoogleID");
inline const QString kContactIDProperty = QStringLiteral("com.test.googleID");
inline const QString kContactExtended = QStringLiteral("tolvaneContact");
