// The engine's waits: they return when the callback clears the flag or when the give-up date has
// passed; the main program then goes on, the agent logs and fails the job.

#include "google/engine/runloopwait.h"
#include "google/engine/googlecontacttool.h"
#include "tests/support/logcapture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Role = GoogleContactTool::Role;

// One of the engine's nine waits, by its operations.
struct WaitCase
{
    const char *name;
    void (GoogleContactTool::*arm)(double);
    bool (GoogleContactTool::*wait)();
    RunLoopWait &(GoogleContactTool::*flag)();
    const char *agentLine;
};

void PrintTo(const WaitCase &c, std::ostream *os)
{
    *os << c.name;
}

const WaitCase kWaits[] = {
    {"tread", &GoogleContactTool::armTreadInterval, &GoogleContactTool::tread,
     &GoogleContactTool::treadWait, "Update Google Group data has timed out!"},
    {"restoreTread", &GoogleContactTool::armRestoreTreadInterval, &GoogleContactTool::restoreTread,
     &GoogleContactTool::restoreWait, "Restore Google data has timed out!"},
    {"refreshTread", &GoogleContactTool::armRefreshTreadInterval, &GoogleContactTool::refreshTread,
     &GoogleContactTool::refreshWait, "Google refresh data has timed out!"},
    {"pictureTread", &GoogleContactTool::armPictureTreadInterval, &GoogleContactTool::pictureTread,
     &GoogleContactTool::pictureWait, "Update Google picture has timed out!"},
    {"singleFetchTread", &GoogleContactTool::armSingleFetchTreadInterval,
     &GoogleContactTool::singleFetchTread, &GoogleContactTool::singleFetchWait,
     "Google single fetch has timed out!"},
    {"vCardTread", &GoogleContactTool::armVCardInterval, &GoogleContactTool::vCardTread,
     &GoogleContactTool::vCardWait, "Update Google vCard has timed out!"},
    {"singleInsertTread", &GoogleContactTool::armSingleInsertTreadInterval,
     &GoogleContactTool::singleInsertTread, &GoogleContactTool::singleInsertWait,
     "Google single insert has timed out!"},
    {"contactFeedTread", &GoogleContactTool::armContactFeedInterval,
     &GoogleContactTool::contactFeedTread, &GoogleContactTool::contactFeedWait,
     "Obtain Google Contact feed has timed out!"},
    {"groupFeedTread", &GoogleContactTool::armGroupFeedInterval, &GoogleContactTool::groupFeedTread,
     &GoogleContactTool::groupFeedWait, "Obtain Google Group feed has timed out!"},
};

class EngineWaitTest : public LogCaptureTest, public ::testing::WithParamInterface<WaitCase>
{
};

TEST_P(EngineWaitTest, NoAnswer_MainProgramGoesOnAtTheDeadline)
{
    const WaitCase &c = GetParam();
    GoogleContactTool engine(Role::MainProgram);
    QElapsedTimer clock;
    clock.start();
    (engine.*c.arm)(0.1);
    EXPECT_TRUE((engine.*c.wait)());
    EXPECT_GE(clock.elapsed(), 100);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE((engine.*c.flag)().isArmed()) << "giving up does not pretend an answer came";
    for (const QString &line : lines())
        EXPECT_FALSE(line.contains(QLatin1String(c.agentLine)));
}

TEST_P(EngineWaitTest, NoAnswer_AgentLogsAndFailsTheJob)
{
    const WaitCase &c = GetParam();
    GoogleContactTool engine(Role::Agent);
    (engine.*c.arm)(0.05);
    EXPECT_FALSE((engine.*c.wait)());
    EXPECT_TRUE(
        lines().contains(QStringLiteral("[GoogleContactTool %1] - %2").arg(c.name, c.agentLine)));
}

TEST_P(EngineWaitTest, AnswerDuringTheWait_ReturnsBeforeTheDeadline)
{
    const WaitCase &c = GetParam();
    GoogleContactTool engine(Role::Agent);
    (engine.*c.arm)(3.0);
    QTimer::singleShot(20, &engine, [&] { (engine.*c.flag)().clear(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE((engine.*c.wait)());
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(lines().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(AllWaits, EngineWaitTest, ::testing::ValuesIn(kWaits),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(RunLoopWaitTest, ClearedBeforeTheWait_ReturnsAtOnce)
{
    RunLoopWait wait(QStringLiteral("w"));
    wait.arm(3.0);
    wait.clear();
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(wait.wait());
    EXPECT_LT(clock.elapsed(), 50);
}

TEST(RunLoopWaitTest, NeverArmed_ReturnsAtOnce)
{
    RunLoopWait wait(QStringLiteral("w"));
    EXPECT_TRUE(wait.wait());
}

TEST(RunLoopWaitTest, GiveUpDateInThePast_ReturnsWithoutSpinning)
{
    RunLoopWait wait(QStringLiteral("w"));
    wait.arm(-1.0);
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    EXPECT_FALSE(wait.wait());
    EXPECT_TRUE(wait.isArmed());
    EXPECT_FALSE(ran) << "no event was processed";
    QCoreApplication::processEvents();
}

TEST(RunLoopWaitTest, ArmingAgain_OnlyMovesTheGiveUpDate)
{
    RunLoopWait wait(QStringLiteral("w"));
    wait.arm(1.0);
    const QDateTime first = wait.giveUpDate();
    wait.arm(2.0);
    EXPECT_TRUE(wait.isArmed());
    EXPECT_GT(wait.giveUpDate(), first);
}

TEST(RunLoopWaitTest, RestoreArm_LogsTheGiveUpDate)
{
    LogCapture log;
    LogCapture::setLevel(1);
    GoogleContactTool engine(Role::MainProgram);
    engine.armRestoreTreadInterval(3.0);
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines().first().startsWith(
        "[GoogleContactTool armRestoreTreadInterval:] restoreGiveUpDate = "));
}

} // namespace
