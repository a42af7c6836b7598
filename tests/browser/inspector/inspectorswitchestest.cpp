// Which switches the inspector offers for the current contact.
#include "browser/inspector/contactinspector.h"

#include "tests/browser/browseraccount.h"

namespace {

using InspectorSwitchesTest = BrowserAccountTest;

TEST_F(InspectorSwitchesTest, ByGenderAndCompanyMark)
{
    const struct
    {
        QString gID;
        bool canBeCo, canBeMale, canBeFemale;
    } cases[] = {
        {"ann", true, true, false}, // a woman
        {"bo", true, false, true},  // a man
        {"cy", false, true, true},  // a company without gender
        {"dee", true, true, true},  // neither
    };
    ContactInspector inspector(tool);
    for (const auto &c : cases) {
        inspector.showContacts({c.gID});
        EXPECT_EQ(inspector.currentContact().value("gID"), c.gID);
        EXPECT_EQ(inspector.canBeCo(), c.canBeCo) << c.gID.toStdString();
        EXPECT_EQ(inspector.canBeMale(), c.canBeMale) << c.gID.toStdString();
        EXPECT_EQ(inspector.canBeFemale(), c.canBeFemale) << c.gID.toStdString();
    }
}

} // namespace
