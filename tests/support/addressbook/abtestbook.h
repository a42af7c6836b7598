#pragma once

#include "platform/addressbook/recordclass.h"
#include "platform/addressbook/searchelement.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// A fresh address book with the link property names and the extended property names set, the log
// level at 0, and helpers that add records in a line each. The book starts with its Me record.
class AddressBookTest : public ::testing::Test
{
protected:
    void SetUp() override;

    static PersonPtr addPerson(const QString &first, const QString &last,
                               const QStringList &emails = {});
    static PersonPtr addCompany(const QString &organization);
    static GroupPtr addGroup(const QString &name);
    static GroupPtr addSmartGroup(const QString &name, const SearchElement &criteria);
    static void setEmails(const PersonPtr &person, const QStringList &emails);
};

inline const QString kContactIDProperty = QStringLiteral("com.test.googleID");
inline const QString kGroupIDProperty = QStringLiteral("com.test.groupGoogleID");
inline const QString kContactExtended = QStringLiteral("tolvaneContact");
inline const QString kGroupExtended = QStringLiteral("tolvaneGroup");
