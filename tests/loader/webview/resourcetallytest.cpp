#include "loader/webview/resourcetally.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum class Step { Request, Finish, Fail };

struct TallyCase
{
    const char *name;
    std::vector<std::pair<Step, const char *>> steps;
    int requested;
    int completed;
    int failed;
};

void PrintTo(const TallyCase &tallyCase, std::ostream *os)
{
    *os << tallyCase.name;
}

class ResourceTallyTest : public ::testing::TestWithParam<TallyCase>
{
};

TEST_P(ResourceTallyTest, SettlesEachRequestOnce)
{
    const TallyCase &tallyCase = GetParam();
    ResourceTally tally;
    for (const auto &[step, address] : tallyCase.steps) {
        const QUrl url(QString::fromUtf8(address));
        switch (step) {
        case Step::Request:
            tally.addRequest(url);
            break;
        case Step::Finish:
            tally.markFinished(url);
            break;
        case Step::Fail:
            tally.markFailed(url);
            break;
        }
    }
    EXPECT_EQ(tally.requested(), tallyCase.requested);
    EXPECT_EQ(tally.completed(), tallyCase.completed);
    EXPECT_EQ(tally.failed(), tallyCase.failed);
}

const char *const kImage = "http://127.0.0.1/a.png";
const char *const kOther = "http://127.0.0.1/b.png";

INSTANTIATE_TEST_SUITE_P(
    Reports, ResourceTallyTest,
    ::testing::Values(
        TallyCase{"FinishedOnce", {{Step::Request, kImage}, {Step::Finish, kImage}}, 1, 1, 0},
        TallyCase{"FailureAfterItsEndWins",
                  {{Step::Request, kImage}, {Step::Finish, kImage}, {Step::Fail, kImage}},
                  1,
                  0,
                  1},
        TallyCase{"EndAfterItsFailureIsIgnored",
                  {{Step::Request, kImage}, {Step::Fail, kImage}, {Step::Finish, kImage}},
                  1,
                  0,
                  1},
        TallyCase{"ReportsBeyondTheRequestsAreIgnored",
                  {{Step::Request, kImage},
                   {Step::Finish, kImage},
                   {Step::Finish, kImage},
                   {Step::Fail, kImage},
                   {Step::Fail, kImage}},
                  1,
                  0,
                  1},
        TallyCase{"AnAddressRequestedTwiceSettlesTwice",
                  {{Step::Request, kImage},
                   {Step::Request, kImage},
                   {Step::Finish, kImage},
                   {Step::Fail, kImage}},
                  2,
                  1,
                  1},
        TallyCase{"UnrequestedAddressesCountForNothing",
                  {{Step::Request, kImage}, {Step::Finish, kOther}, {Step::Fail, kOther}},
                  1,
                  0,
                  0},
        TallyCase{"TheFragmentAndTheEncodingDoNotMatter",
                  {{Step::Request, "http://127.0.0.1/a b.png"},
                   {Step::Finish, "http://127.0.0.1/a%20b.png#top"}},
                  1,
                  1,
                  0}),
    [](const ::testing::TestParamInfo<TallyCase> &info) { return std::string(info.param.name); });

TEST(ResourceTallyResetTest, ANewLoadStartsFromNothing)
{
    ResourceTally tally;
    tally.addRequest(QUrl(kImage));
    tally.markFailed(QUrl(kImage));
    tally.reset();
    EXPECT_EQ(tally.requested(), 0);
    EXPECT_EQ(tally.failed(), 0);
    EXPECT_FALSE(tally.markFinished(QUrl(kImage)));
}

} // namespace
