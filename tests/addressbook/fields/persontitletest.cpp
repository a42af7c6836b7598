#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/persontitle.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

namespace {

using namespace AddressBookTool;

class PersonTitleTest : public AddressBookTest
{
protected:
    static void preferences(int format, int usage, int keepSeparate = 0)
    {
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setInteger(format, abkeys::gmUpdateNameFormat);
        defaults.setInteger(usage, abkeys::gmUpdateNicknameUsage);
        defaults.setInteger(keepSeparate, abkeys::gmUpdateKeepSeperate);
    }
};

// The title for every mix of first (F), nickname (N), middle (M) and last (L) names, under each
// nickname usage (0, 1, 2) and name format (0, other). Q is the nickname in double quotes.
TEST_F(PersonTitleTest, EveryMixOfNamesUnderEveryUsageAndFormat)
{
    struct Row
    {
        bool f, n, m, l;
        const char *titles[6]; // usage 0 format 0, usage 0 other, usage 1 ..., usage 2 ...
    };
    const Row rows[] = {
        {1, 1, 1, 1, {"F M L", "L, F M", "F Q M L", "L, F Q M", "N L", "L, N"}},
        {1, 1, 1, 0, {"F M", "F M", "F Q M", "F Q M", "N", "N"}},
        {1, 1, 0, 1, {"F L", "L, F", "F Q L", "L, F Q", "N L", "L, N"}},
        {1, 1, 0, 0, {"F", "F", "F Q", "F Q", "N", "N"}},
        {1, 0, 1, 1, {"F M L", "L, F M", "F M L", "L, F M", "F M L", "L, F M"}},
        {1, 0, 1, 0, {"F M", "F M", "F M", "F M", "F M", "F M"}},
        {1, 0, 0, 1, {"F L", "L, F", "F L", "L, F", "F L", "L, F"}},
        {1, 0, 0, 0, {"F", "F", "F", "F", "F", "F"}},
        {0, 1, 1, 1, {"M L", "L, M", "Q M L", "L, Q M", "N L", "L, N"}},
        {0, 1, 1, 0, {"M", "M", "Q M", "Q M", "N", "N"}},
        {0, 1, 0, 1, {"L", "L", "Q L", "L, Q", "N L", "L, N"}},
        {0, 1, 0, 0, {"N", "N", "Q", "Q", "N", "N"}},
        {0, 0, 1, 1, {"M L", "L, M", "M L", "L, M", "M L", "L, M"}},
        {0, 0, 1, 0, {"M", "M", "M", "M", "M", "M"}},
        {0, 0, 0, 1, {"L", "L", "L", "L", "L", "L"}},
        {0, 0, 0, 0, {"Unknown", "Unknown", "Unknown", "Unknown", "Unknown", "Unknown"}},
    };
    const auto expand = [](const char *pattern) {
        const QString text = QString::fromLatin1(pattern);
        if (text == QLatin1String("Unknown"))
            return text;
        QString title;
        for (const QChar letter : text) {
            switch (letter.unicode()) {
            case 'F':
                title += "Fay";
                break;
            case 'N':
                title += "Nick";
                break;
            case 'Q':
                title += "\"Nick\"";
                break;
            case 'M':
                title += "Mae";
                break;
            case 'L':
                title += "Lo";
                break;
            default:
                title += letter;
            }
        }
        return title;
    };
    const auto personOf = [](const Row &row) {
        QVariantMap parts;
        if (row.f)
            parts[kABFirstNameProperty] = "Fay";
        if (row.n)
            parts[kABNicknameProperty] = "Nick";
        if (row.m)
            parts[kABMiddleNameProperty] = "Mae";
        if (row.l)
            parts[kABLastNameProperty] = "Lo";
        return personNamed(parts);
    };
    for (int column = 0; column < 6; ++column) {
        preferences(column % 2 == 0 ? 0 : 3, column / 2);
        for (const Row &row : rows) {
            SCOPED_TRACE(testing::Message()
                         << row.f << row.n << row.m << row.l << " column " << column);
            EXPECT_EQ(googleTitleForPerson(personOf(row), true), expand(row.titles[column]));
        }
    }
}

TEST_F(PersonTitleTest, PrefixSuffixAndBlanks)
{
    const struct
    {
        const char *name;
        QVariantMap parts;
        int format, usage;
        QString title;
    } cases[] = {
        {"prefix and suffix, given names first",
         {{kABTitleProperty, "Dr."},
          {kABFirstNameProperty, "Ann"},
          {kABLastNameProperty, "Lee"},
          {kABSuffixProperty, "Jr."}},
         0,
         0,
         "Dr. Ann Lee Jr."},
        {"prefix and suffix, last name first",
         {{kABTitleProperty, "Dr."},
          {kABFirstNameProperty, "Ann"},
          {kABLastNameProperty, "Lee"},
          {kABSuffixProperty, "Jr."}},
         1,
         0,
         "Lee Jr., Dr. Ann"},
        {"nickname instead drops the prefix, keeps the suffix",
         {{kABTitleProperty, "Dr."},
          {kABFirstNameProperty, "Robert"},
          {kABNicknameProperty, "Bob"},
          {kABLastNameProperty, "Lee"},
          {kABSuffixProperty, "Jr."}},
         0,
         2,
         "Bob Lee Jr."},
        // No trailing blank after the prefix and no double blank before the middle name.
        {"prefix with an empty first name",
         {{kABTitleProperty, "Dr."},
          {kABFirstNameProperty, ""},
          {kABMiddleNameProperty, "Q"},
          {kABLastNameProperty, "Lee"}},
         0,
         0,
         "Dr. Q Lee"},
        {"prefix with a first name Unknown",
         {{kABTitleProperty, "Dr."}, {kABFirstNameProperty, "Unknown"}},
         0,
         0,
         "Dr."},
        {"prefix without any first name",
         {{kABTitleProperty, "Dr."}, {kABLastNameProperty, "Lee"}},
         1,
         0,
         "Lee, Dr."},
        {"suffix without any last name",
         {{kABFirstNameProperty, "Ann"}, {kABSuffixProperty, "Jr."}},
         0,
         0,
         "Ann Jr."},
        {"blanks around parts",
         {{kABFirstNameProperty, " Ann "},
          {kABMiddleNameProperty, "  "},
          {kABLastNameProperty, "Lee  "}},
         0,
         0,
         "Ann Lee"},
        {"first name Unknown alone", {{kABFirstNameProperty, "Unknown"}}, 0, 0, "Unknown"},
        {"nickname alone under usage 0", {{kABNicknameProperty, "Bo"}}, 1, 0, "Bo"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        preferences(c.format, c.usage);
        EXPECT_EQ(googleTitleForPerson(personNamed(c.parts), true), c.title);
    }
}

TEST_F(PersonTitleTest, Companies)
{
    const QVariantMap acme = {{kABOrganizationProperty, "Acme"},
                              {kABFirstNameProperty, "Ann"},
                              {kABLastNameProperty, "Lee"}};
    const struct
    {
        const char *name;
        QVariantMap parts;
        bool company, orgIfPossible;
        int keepSeparate;
        QString title;
    } cases[] = {
        {"organisation and name", acme, true, true, 0, "Acme - Ann Lee"},
        {"kept apart", acme, true, true, 1, "Acme"},
        {"organisation equal to the name",
         {{kABOrganizationProperty, "Ann Lee"},
          {kABFirstNameProperty, "Ann"},
          {kABLastNameProperty, "Lee"}},
         true,
         true,
         0,
         "Ann Lee"},
        {"organisation and last name only",
         {{kABOrganizationProperty, "Acme"},
          {kABLastNameProperty, "Lee"},
          {kABNicknameProperty, "Lo"}},
         true,
         true,
         0,
         "Acme - Lee"},
        {"organisation alone", {{kABOrganizationProperty, "Acme"}}, true, true, 0, "Acme"},
        {"organisation disallowed", acme, true, false, 0, "Ann Lee"},
        {"organisation disallowed and no names",
         {{kABOrganizationProperty, "Acme"}},
         true,
         false,
         0,
         "Unknown"},
        {"a person never gives the organisation", acme, false, true, 1, "Ann Lee"},
        {"company without organisation",
         {{kABFirstNameProperty, "Ann"}, {kABLastNameProperty, "Lee"}},
         true,
         true,
         1,
         "Ann Lee"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        preferences(0, 0, c.keepSeparate);
        EXPECT_EQ(googleTitleForPerson(personNamed(c.parts, c.company), c.orgIfPossible), c.title);
    }
    EXPECT_EQ(googleTitleForPerson(nullptr, true), "Unknown");
}

} // namespace
