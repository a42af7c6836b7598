#include "app/sheets/contactsheet.h"
#include "app/sheets/sheettexts.h"
#include "app/windows/loginsheet.h"
#include "model/refdata/phoneformat.h"
#include "model/tolvanemanagedobject.h"
#include "platform/defaults/userdefaults.h"
#include "platform/store/managedobjectcontext.h"
#include "platform/ui/keypath.h"
#include "tests/app/sheets/sheetstest.h"
#include "tests/support/google/googleentrybuilders.h"

#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>

namespace {

const QString kSignature = QStringLiteral("Dana Fox\nEngineer\nGlobex Corp\n12 Main Street\n"
                                          "Suite 400\nSpringfield, IL 62701\nCanada\n"
                                          "dana@globex.example\nwww.globex.example");

class PastedTextTest : public SheetsTest
{
protected:
    static void paste(ContactSheet *sheet, const QString &text)
    {
        sheet->cardzapField()->insertPlainText(text);
    }
};

TEST_F(PastedTextTest, APastedSignatureFillsTheSheetOnce_TypingNeverRunsTheAnalyser)
{
    startWith();
    delegate->openNewGoogleContact();
    ContactSheet *const sheet = delegate->newContactPanel();
    sheet->notesField()->setPlainText("first met in May");
    paste(sheet, kSignature);
    const QVariantMap filled = delegate->newGoogleContact();
    EXPECT_EQ(keypath::value(filled, "nameDict.first"), "Dana");
    EXPECT_EQ(keypath::value(filled, "nameDict.last"), "Fox");
    EXPECT_EQ(keypath::value(filled, "homeEmail"), "dana@globex.example");
    EXPECT_EQ(keypath::value(filled, "homeAddrDict.street1"), "12 Main Street");
    EXPECT_EQ(keypath::value(filled, "homeAddrDict.street2"), "Suite 400");
    EXPECT_EQ(keypath::value(filled, "homeAddrDict.city"), "Springfield");
    // The web address goes in front of what the notes held, one carriage return between.
    EXPECT_EQ(delegate->linkifiedNotes(), "www.globex.example\rfirst met in May");
    EXPECT_EQ(sheet->notesField()->toPlainText(), "www.globex.example\nfirst met in May");
    EXPECT_EQ(sheet->field("nameDict.first")->text(), "Dana");

    // Typed characters after the paste change nothing the analyser wrote.
    typeInto(sheet->field("nameDict.first"), "Dee");
    sheet->cardzapField()->moveCursor(QTextCursor::End);
    QTest::keyClick(sheet->cardzapField(), Qt::Key_Return);
    QTest::keyClicks(sheet->cardzapField(), "Jo Ray");
    EXPECT_EQ(keypath::value(delegate->newGoogleContact(), "nameDict.first"), "Dee");
}

TEST_F(PastedTextTest, TypingIntoAnEmptyPasteFieldAnalysesNothingAfterTheFirstTwoCharacters)
{
    startWith();
    delegate->openNewGoogleContact();
    ContactSheet *const sheet = delegate->newContactPanel();
    QTest::keyClicks(sheet->cardzapField(), "Zed Quill");
    EXPECT_EQ(keypath::value(delegate->newGoogleContact(), "nameDict.first"), "New");
    EXPECT_EQ(delegate->expressPastedString(), "Zed Quill");
}

TEST_F(PastedTextTest, AShorterPasteInANewSheetIsAnalysed)
{
    startWith();
    delegate->openNewGoogleContact();
    paste(delegate->newContactPanel(), kSignature);
    delegate->cancelNewGoogleContact();
    delegate->openNewGoogleContact();
    EXPECT_TRUE(delegate->newContactPanel()->cardzapField()->toPlainText().isEmpty());
    paste(delegate->newContactPanel(), "Eve Stone\neve@stone.example");
    EXPECT_EQ(keypath::value(delegate->newGoogleContact(), "nameDict.first"), "Eve");
    EXPECT_EQ(keypath::value(delegate->newGoogleContact(), "homeEmail"), "eve@stone.example");
}

TEST_F(PastedTextTest, InTheEditSheetAPasteChangesTheEditedContact)
{
    startWith({makeContact({.identifier = {}, .title = QStringLiteral("Cal Doe")})});
    delegate->openNewGoogleContact();
    delegate->cancelNewGoogleContact();
    const QVariantMap before = delegate->newGoogleContact();
    browser()->setCurrentContact(browserRowOf(engine()->lists().contacts().front()->identifier()));
    delegate->editGoogleContact();
    paste(delegate->editContactPanel(), "Cal Doe\nClerk\nDoe Inc\n9 Elm Road\nFlat 2\nSpringfield, "
                                        "IL 62704\nCanada\ncal@doe.example");
    EXPECT_EQ(keypath::value(delegate->currentContact(), "homeEmail"), "cal@doe.example");
    EXPECT_EQ(keypath::value(delegate->currentContact(), "homeAddrDict.street1"), "9 Elm Road");
    EXPECT_EQ(keypath::value(delegate->currentContact(), "homeAddrDict.street2"), "Flat 2");
    EXPECT_EQ(delegate->newGoogleContact(), before);
}

TEST_F(PastedTextTest, TheLoginAccountFieldStoresTheTypedNameWithTheMailSuffix)
{
    startWith();
    delegate->openLoginPanel(nullptr);
    QLineEdit *const field = delegate->loginPanel()->userTextField();
    field->clear();
    QTest::keyClicks(field, "carol");
    EXPECT_EQ(UserDefaults::standard().stringForKey("gsUser"), "carol@example.com");
    QTest::keyClicks(field, "@other.example");
    EXPECT_EQ(UserDefaults::standard().stringForKey("gsUser"), "carol@example.com");
}

TEST_F(PastedTextTest, FormatAsPhoneNumber_FormatsOnlyWithAStoreFormatsAndTheOption)
{
    const QString typed = "5551234567";
    // Without a store the number stays as it is.
    ASSERT_TRUE(AppDelegate::initialize());
    {
        AppDelegate unstarted;
        UserDefaults::standard().setBool(true, "gmUpdateFormatPhoneNumbers");
        EXPECT_EQ(unstarted.formatAsPhoneNumber(typed), typed);
    }
    startWith();
    EXPECT_TRUE(delegate->offersFormatAsPhoneNumber());
    const QString formatted =
        PhoneFormat::formatPhoneNumber(typed, *delegate->managedObjectContext());
    ASSERT_NE(formatted, typed);
    const struct
    {
        bool option;
        bool keepFormats;
        QString expected;
    } cases[] = {
        {true, true, formatted},
        {false, true, typed},
        {true, false, typed},
    };
    for (const auto &c : cases) {
        UserDefaults::standard().setBool(c.option, "gmUpdateFormatPhoneNumbers");
        if (!c.keepFormats) {
            ManagedObjectContext &context = *delegate->managedObjectContext();
            for (PhoneFormat *format :
                 TolvaneManagedObject::allInContext<PhoneFormat>(context).value_or(
                     QList<PhoneFormat *>()))
                context.deleteObject(format);
        }
        EXPECT_EQ(delegate->formatAsPhoneNumber(typed), c.expected) << c.option << c.keepFormats;
        // The address book layer and the engine reach the same answer through their interfaces.
        EXPECT_EQ(ApplicationDelegate::formatAsPhoneNumberIfOffered(typed), c.expected);
    }
}

TEST_F(PastedTextTest, TheServicesMessage_OpensTheSheetWithTheTextOrNamesWhatIsMissing)
{
    startWith();
    const auto mime = [](const QList<QPair<QString, QByteArray>> &types) {
        auto data = std::make_unique<QMimeData>();
        for (const auto &[type, bytes] : types)
            data->setData(type, bytes);
        return data;
    };
    QString error;
    EXPECT_FALSE(delegate->cardzap(mime({{"text/plain", "Ann Lee"}}).get(), {}, &error));
    EXPECT_EQ(error, "Error: could not perform Cardzap.");
    error.clear();
    EXPECT_FALSE(delegate->cardzap(mime({{"text/plain", ""}, {"text/rtf", ""}}).get(), {}, &error));
    EXPECT_EQ(error, "Error: could not perform Cardzp.");
    EXPECT_EQ(delegate->newContactPanel(), nullptr);

    error.clear();
    EXPECT_TRUE(delegate->cardzap(
        mime({{"text/plain", "Gus Hale\ngus@hale.example"}, {"text/rtf", "{\\rtf1 Gus}"}}).get(),
        {}, &error));
    EXPECT_TRUE(error.isEmpty());
    ASSERT_NE(delegate->newContactPanel(), nullptr);
    EXPECT_TRUE(delegate->newContactPanel()->isVisible());
    EXPECT_EQ(keypath::value(delegate->newGoogleContact(), "homeEmail"), "gus@hale.example");
}

} // namespace
