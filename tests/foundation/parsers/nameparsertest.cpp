#include "foundation/parsers/nameparser.h"
#include "foundation/parsers/parserkeys.h"
#include "platform/defaults/userdefaults.h"

#include <gtest/gtest.h>

namespace zeltor {

// Shown when a case fails.
void PrintTo(const NameParts &parts, std::ostream *os)
{
    *os << "{" << parts.prefix.toStdString() << "|" << parts.first.toStdString() << "|"
        << parts.nick.toStdString() << "|" << parts.last.toStdString() << "|"
        << parts.suffix.toStdString() << "}";
}

} // namespace zeltor

namespace {

struct NameCase
{
    const char *text;
    bool doubleFirst;
    zeltor::NameParts expected; // prefix, first, nick, last, suffix
};

class NameParser : public ::testing::Test
{
protected:
    void TearDown() override
    {
        UserDefaults::standard().removeObjectForKey(zeltor::kNameParserPesumeDoubleFirstKey);
    }
    static void check(const NameCase &c)
    {
        UserDefaults::standard().setBool(c.doubleFirst, zeltor::kNameParserPesumeDoubleFirstKey);
        const std::optional<zeltor::NameParts> parts = zeltor::parseName(c.text);
        ASSERT_TRUE(parts.has_value()) << c.text;
        EXPECT_EQ(*parts, c.expected) << c.text;
    }
};

TEST_F(NameParser, SplitsTitleNamesNicknameAndSuffix)
{
    const NameCase cases[] = {
        {"Dr. John Smith Jr.", false, {"Dr.", "John", "", "Smith", "Jr"}},
        {"mrs jane doe", false, {"Mrs", "jane", "", "doe", ""}},
        {"John \"Jack\" Smith", false, {"", "John", "Jack", "Smith", ""}},
        {"Smith, John", false, {"", "John", "", "Smith", ""}},
        {"John Smith III", false, {"", "John", "", "Smith", "III"}},
        {"John Smith II", false, {"", "John", "", "Smith", "II"}},
        {"Mary Ann Smith", true, {"", "Mary Ann", "", "Smith", ""}},
        {"Mary Ann Smith", false, {"", "Mary", "", "Ann Smith", ""}},
        {"Jean Paul van der Berg", false, {"", "Jean Paul", "", "van der Berg", ""}},
        {"Dr. Smith", false, {"Dr.", "Smith", "", "", ""}},
        {"  John \t Smith  ", false, {"", "John", "", "Smith", ""}},
        {"Jane Doe RN LCSW", false, {"", "Jane", "", "Doe", "RN LCSW"}},
        {"Alan Turing PhD", false, {"", "Alan", "", "Turing", "Ph.D"}},
        {"Hon. Ruth Bader Ginsburg Esq.", true, {"Hon.", "Ruth Bader", "", "Ginsburg", "Esq"}},
        {"Smith Jr, John", false, {"", "John", "", "Smith", "Jr"}},
        {"Smith, Dr. John", false, {"Dr.", "John", "", "Smith", ""}},
        // a lone title or suffix word is the name, not a part around it
        {"Dr.", false, {"", "Dr", "", "", ""}},
        {"Jr", false, {"", "Jr", "", "", ""}},
    };
    for (const NameCase &c : cases)
        check(c);
}

// A title is only the first word and a suffix only the last: letters inside a name stay in it.
TEST_F(NameParser, TitlesAndSuffixesInsideNamesAreLeftAlone)
{
    const NameCase cases[] = {
        {"John Srinivasan", false, {"", "John", "", "Srinivasan", ""}},
        {"Tom Williams Smith", true, {"", "Tom Williams", "", "Smith", ""}},
        {"Anna Ivanova", false, {"", "Anna", "", "Ivanova", ""}},
        {"Maria Esquivel", false, {"", "Maria", "", "Esquivel", ""}},
        {"Drew Mrsic", false, {"", "Drew", "", "Mrsic", ""}},
        {"Miss Honey Jruska", false, {"Miss", "Honey", "", "Jruska", ""}},
        // the suffix took the comma with it, so the name stays in its order
        {"John Smith, Jr", false, {"", "John", "", "Smith", "Jr"}},
    };
    for (const NameCase &c : cases)
        check(c);
}

// Particles begin the family name and initials stay with the given names, unless the user chose
// that of three words only the last is the family name.
TEST_F(NameParser, ParticlesAndInitials)
{
    const NameCase cases[] = {
        {"John Q. Public", false, {"", "John Q", "", "Public", ""}},
        {"J. R. R. Tolkien", false, {"", "J R R", "", "Tolkien", ""}},
        {"Ludwig van Beethoven", false, {"", "Ludwig", "", "van Beethoven", ""}},
        {"Robert Van Dyke", false, {"", "Robert", "", "Van Dyke", ""}},
        {"Robert Van Dyke", true, {"", "Robert Van", "", "Dyke", ""}},
        {"Ludwig van Beethoven", true, {"", "Ludwig van", "", "Beethoven", ""}},
        {"Maria de la Cruz", false, {"", "Maria", "", "de la Cruz", ""}},
        {"Anna Maria Da Silva", true, {"", "Anna Maria", "", "Da Silva", ""}},
        {"van der Berg, Jean Paul", false, {"", "Jean Paul", "", "van der Berg", ""}},
        {"Anna Le", false, {"", "Anna", "", "Le", ""}},
    };
    for (const NameCase &c : cases)
        check(c);
}

TEST_F(NameParser, EmptyTextGivesNothing)
{
    EXPECT_FALSE(zeltor::parseName("").has_value());
    EXPECT_FALSE(zeltor::parseName(QString()).has_value());
    EXPECT_EQ(zeltor::parseName(" "), zeltor::NameParts{});
}

} // namespace
