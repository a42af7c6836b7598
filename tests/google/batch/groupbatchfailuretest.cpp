// A failed "Simple" or "Advanced" group batch tells the user in an alert sheet, the "Advanced" one
// only when the alerts are asked for.

#include "tests/support/google/commandservertest.h"

#include "google/batch/batchkeys.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <gtest/gtest.h>

namespace {

struct FailureCase
{
    const char *name;
    bool advanced;
    bool showAlerts;
    std::optional<Prompt> sheet;
};

class GroupBatchFailureTest : public CommandServerTest,
                              public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(GroupBatchFailureTest, FailedGroupBatch_EndsTheJobWithItsSheet)
{
    const FailureCase &c = GetParam();
    UserDefaults::standard().setBool(c.showAlerts, batchkeys::showGoogleAlerts);
    UserDefaults::standard().setBool(true, googlekeys::waitingOnGoogle);
    engine->contactService()->setIsServiceRetryEnabled(false);
    server.injectFault(QStringLiteral("/batch"), 503);
    const BatchActionQueue groups = engine->buildBatchArrayForABGroupArray({addGroup("Team", {})});
    ASSERT_EQ(groups.size(), 1u);

    if (c.advanced)
        engine->batchAdvancedABGroupActions(groups);
    else
        engine->batchSimpleABGroupActions(groups);
    ASSERT_TRUE(runUntil([] { return !flag(googlekeys::waitingOnGoogle); }));
    runUntil([] { return false; }, 100);

    if (c.sheet) {
        ASSERT_EQ(prompter.shown().size(), 1);
        EXPECT_EQ(prompter.shown().front().prompt.message, c.sheet->message);
        EXPECT_TRUE(
            prompter.shown().front().prompt.informativeText.startsWith(c.sheet->informativeText));
        EXPECT_EQ(prompter.shown().front().prompt.buttons, QStringList({"OK"}));
    } else {
        EXPECT_TRUE(prompter.shown().isEmpty());
    }
    EXPECT_TRUE(serverGroupTitles().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GroupBatchFailureTest,
    ::testing::Values(
        FailureCase{"Simple", false, false,
                    Prompt{"Batch Simple ABGroupActions Failed", "Add Group Failed: ", {}}},
        FailureCase{
            "AdvancedWithAlerts", true, true,
            Prompt{"Advanced Google Update Failed", "Group Actions Failed with Error: ", {}}},
        FailureCase{"AdvancedWithoutAlerts", true, false, std::nullopt}),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return info.param.name; });

} // namespace
