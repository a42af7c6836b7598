// Post selectors: a named step runs on the engine, else on the first delegate that offers it, in
// the order UI, data, moc, application delegate; an unknown name is only logged.

#include "tests/support/google/enginedoubles.h"
#include "tests/support/logcapture.h"

#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"

#include <gtest/gtest.h>

namespace {

enum Offerer { Engine = 1, UI = 2, Data = 4, Moc = 8, Host = 16 };

struct DispatchCase
{
    const char *name;
    int offeredBy;
    const char *expected; // the journal line, empty when nobody runs it
};

void PrintTo(const DispatchCase &c, std::ostream *os)
{
    *os << c.name;
}

class PostSelectorTest : public LogCaptureTest, public ::testing::WithParamInterface<DispatchCase>
{
protected:
    void SetUp() override
    {
        setLevel(1);
        engine.setUIDelegate(&ui);
        engine.setDataDelegate(&data);
        engine.setMocDelegate(&moc);
        engine.setHostDelegate(&host);
    }

    QStringList journal;
    OfferingEngine engine{GoogleContactTool::Role::MainProgram, journal};
    RecordingUIDelegate ui{journal};
    RecordingDataDelegate data{journal};
    RecordingMocDelegate moc{journal};
    RecordingHostDelegate host{journal};
};

TEST_P(PostSelectorTest, RunsOnTheFirstThatOffersIt)
{
    const DispatchCase &c = GetParam();
    const QString step = QStringLiteral("refreshGroupData");
    if (c.offeredBy & Engine)
        engine.offer(step);
    if (c.offeredBy & UI)
        ui.offer(step);
    if (c.offeredBy & Data)
        data.offer(step);
    if (c.offeredBy & Moc)
        moc.offer(step);
    if (c.offeredBy & Host)
        host.offer(step);

    engine.dispatchPostSelector(step);

    const QStringList expected =
        *c.expected ? QStringList{QString::fromLatin1(c.expected)} : QStringList{};
    EXPECT_EQ(journal, expected);
    const bool logged = lines().contains(
        QStringLiteral("[GoogleContactTool dispatchPostSelector:] ERROR: unhandled postSelector: "
                       "refreshGroupData"));
    EXPECT_EQ(logged, !*c.expected);
}

const DispatchCase kDispatchCases[] = {
    {"EngineBeforeEveryDelegate", Engine | UI | Data | Moc | Host,
     "step:refreshGroupData@engine(0)"},
    {"UIBeforeData", UI | Data | Moc, "step:refreshGroupData@ui"},
    {"DataBeforeMoc", Data | Moc | Host, "step:refreshGroupData@data"},
    {"MocBeforeHost", Moc | Host, "step:refreshGroupData@moc"},
    {"HostLast", Host, "step:refreshGroupData@host"},
    {"NobodyLogs", 0, ""},
};

INSTANTIATE_TEST_SUITE_P(Chain, PostSelectorTest, ::testing::ValuesIn(kDispatchCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(PostSelectorTest, EmptyOrNullName_DoesNothingAndLogsNothing)
{
    engine.dispatchPostSelector(QString());
    engine.dispatchPostSelector(QStringLiteral(""));
    EXPECT_TRUE(journal.isEmpty());
    EXPECT_TRUE(lines().isEmpty());
}

TEST_F(PostSelectorTest, WithoutDelegates_NothingIsSentAndTheNameIsLogged)
{
    GoogleContactTool bare(GoogleContactTool::Role::MainProgram);
    bare.dispatchPostSelector(QStringLiteral("processGoogleGroups"));
    EXPECT_EQ(lines(),
              QStringList{QStringLiteral("[GoogleContactTool dispatchPostSelector:] ERROR: "
                                         "unhandled postSelector: processGoogleGroups")});
}

TEST_F(PostSelectorTest, DefaultValue_HostFolderElsePreference)
{
    UserDefaults::standard().setString(QStringLiteral("/prefs/tmp"), googlekeys::tmpFolderPath);
    UserDefaults::standard().setString(QStringLiteral("/prefs/pending"),
                                       googlekeys::pendingFolderPath);
    EXPECT_EQ(engine.defaultValueForKey(googlekeys::tmpFolderPath).toString(), "/host/tmp");
    // The host delegate offers no pending folder.
    EXPECT_EQ(engine.defaultValueForKey(googlekeys::pendingFolderPath).toString(),
              "/prefs/pending");
    engine.setHostDelegate(nullptr);
    EXPECT_EQ(engine.defaultValueForKey(googlekeys::tmpFolderPath).toString(), "/prefs/tmp");
}

} // namespace
