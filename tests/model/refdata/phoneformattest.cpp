#include "model/refdata/phoneformat.h"
#include "model/refdata/dataimporter.h"
#include "platform/addressbook/phoneformatsettings.h"
#include "tests/model/storefixture.h"

namespace {

class PhoneFormatTest : public StoreFixture
{
protected:
    void useLayouts(const QStringList &layouts)
    {
        DataImporter::importPhoneFormatDataInContext(*m_context, {true, layouts});
    }
    QString format(const QString &number)
    {
        return PhoneFormat::formatPhoneNumber(number, *m_context);
    }
};

TEST_F(PhoneFormatTest, BuiltInLayouts_ByDigitCount)
{
    DataImporter::importPhoneFormatDataInContext(*m_context, PhoneFormatSettings{});
    const struct
    {
        const char *typed;
        const char *expected;
    } cases[] = {
        {"5551234", "555-1234"},
        {"555-CALL", "555-2255"},
        {"(555) 123 4567", "(555) 123-4567"},
        {"1 555 123 4567", "1 (555) 123-4567"},
        {"12345", "12345"},
        {"abc-", "abc-"},
        // Eleven digits that do not start with the layout's "1" keep every digit.
        {"25551234567", "25551234567"},
        {"+49 30 1234567", "+49 30 1234567"},
        {"+1 555 123 4567", "+1 555 123 4567"},
        // an extension follows the laid-out number; its digits and letters are not the number's
        {"5551234 x12", "555-1234 x12"},
        {"(555) 123 4567 ext. 12", "(555) 123-4567 ext. 12"},
        {"+442079460958 x12", "+442079460958 x12"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(format(QString::fromLatin1(c.typed)), QString::fromLatin1(c.expected)) << c.typed;
    EXPECT_TRUE(format(QString()).isNull());
    EXPECT_EQ(format(QStringLiteral("")), QStringLiteral(""));
}

TEST_F(PhoneFormatTest, SeveralLayoutsOfOneCount_FirstCharacterChoosesElseTheLast)
{
    useLayouts({QStringLiteral("(###) ###-####"), QStringLiteral("###.###.####")});
    EXPECT_EQ(format(QStringLiteral("555.123.4567")), QStringLiteral("555.123.4567"));
    EXPECT_EQ(format(QStringLiteral("(555)1234567")), QStringLiteral("(555) 123-4567"));
    EXPECT_EQ(format(QStringLiteral("5551234567")), QStringLiteral("555.123.4567"));
}

TEST_F(PhoneFormatTest, LayoutEndingInPunctuation_AppendsItAfterTheLastDigit)
{
    useLayouts({QStringLiteral("##-## !")});
    EXPECT_EQ(format(QStringLiteral("1234")), QStringLiteral("12-34 !"));
}

TEST_F(PhoneFormatTest, StoreWithoutRows_AnswersEveryNumberUnchanged)
{
    EXPECT_EQ(format(QStringLiteral("5551234")), QStringLiteral("5551234"));
    useLayouts({});
    EXPECT_EQ(format(QStringLiteral("5551234")), QStringLiteral("5551234"));
}

TEST_F(PhoneFormatTest, Import_ReplacesTheRowsAndDerivesTheirFields)
{
    DataImporter::importPhoneFormatDataInContext(*m_context, PhoneFormatSettings{});
    ASSERT_TRUE(m_context->save(nullptr));
    useLayouts({QStringLiteral("+## ## ####"), QStringLiteral("(0##) ####"), QStringLiteral("7")});
    EXPECT_TRUE(logged(QStringLiteral("3 phone formats")));
    const auto rows = TolvaneManagedObject::allInContext<PhoneFormat>(*m_context);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 3);
    const struct
    {
        const char *layout;
        int digits;
        const char *initial;
    } expected[] = {{"+## ## ####", 8, "+"}, {"(0##) ####", 7, "0"}, {"7", 1, "7"}};
    for (qsizetype i = 0; i < rows->size(); ++i) {
        PhoneFormat *row = (*rows)[i];
        EXPECT_EQ(row->formattingString(), QString::fromLatin1(expected[i].layout));
        EXPECT_EQ(row->digitCount(), expected[i].digits);
        EXPECT_EQ(row->initialCharacter(), QString::fromLatin1(expected[i].initial));
        EXPECT_EQ(row->source(), QStringLiteral("kvBootstrap"));
    }
    EXPECT_EQ(format(QStringLiteral("0301234")), QStringLiteral("(030) 1234"));
    EXPECT_EQ(format(QStringLiteral("1301234")), QStringLiteral("1301234"));
}

TEST_F(PhoneFormatTest, FailedFetch_AnswersTheNumberAndLogs)
{
    ASSERT_TRUE(m_context->save(nullptr));
    execOnStoreFile(QStringLiteral("DROP TABLE \"PhoneFormat\""));
    EXPECT_EQ(format(QStringLiteral("5551234")), QStringLiteral("5551234"));
    EXPECT_TRUE(logged(QStringLiteral("NumberString = 5551234")));
    // Old rows that cannot be read cannot be replaced: no second set is added.
    DataImporter::importPhoneFormatDataInContext(*m_context, PhoneFormatSettings{});
    EXPECT_TRUE(m_context->insertedObjects().isEmpty());
}

} // namespace
