// The twelve columns of the contact table, each showing the value of one key of the rows.
#pragma once

#include <QString>

#include <array>

struct ContactColumn
{
    // The tag of the menu items and switches that show or hide the column.
    int tag;
    // The BOOL preference that says whether the table shows it.
    QString preference;
    // The key of the row whose value the column shows.
    QString identifier;
    int firstLaunchWidth;
    // An image rather than a text.
    bool isImage;
    // The header's title; the image columns have none.
    QString title;
};

namespace contactcolumns {

inline const std::array<ContactColumn, 12> columns = {{
    {97, QStringLiteral("tableColGenderImage"), QStringLiteral("genderImage"), 20, true, QString()},
    {98, QStringLiteral("tableColImage"), QStringLiteral("image"), 20, true, QString()},
    {99, QStringLiteral("tableColName"), QStringLiteral("name"), 140, false,
     QStringLiteral("Name")},
    {100, QStringLiteral("tableColMobilePhone"), QStringLiteral("mobilePhone"), 140, false,
     QStringLiteral("Mobile")},
    {101, QStringLiteral("tableColOrg"), QStringLiteral("org"), 50, false,
     QStringLiteral("Organization")},
    {102, QStringLiteral("tableColJob"), QStringLiteral("job"), 50, false,
     QStringLiteral("Job Title")},
    {103, QStringLiteral("tableColWorkPhone"), QStringLiteral("workPhone"), 50, false,
     QStringLiteral("Work Phone")},
    {104, QStringLiteral("tableColWorkEmail"), QStringLiteral("workEmail"), 50, false,
     QStringLiteral("Work E-mail")},
    {105, QStringLiteral("tableColWorkLocation"), QStringLiteral("workLocation"), 50, false,
     QStringLiteral("Work Location")},
    {106, QStringLiteral("tableColHomePhone"), QStringLiteral("homePhone"), 50, false,
     QStringLiteral("Home Phone")},
    {107, QStringLiteral("tableColHomeEmail"), QStringLiteral("homeEmail"), 50, false,
     QStringLiteral("Home E-mail")},
    {108, QStringLiteral("tableColHomeLocation"), QStringLiteral("homeLocation"), 50, false,
     QStringLiteral("Home Location")},
}};

// The model column of the identifier; -1 for none.
int columnOf(const QString &identifier);

} // namespace contactcolumns
