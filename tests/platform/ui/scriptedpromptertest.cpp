#include "tests/support/scriptedprompter.h"

#include <QCoreApplication>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

const Prompt kQuestion{"Replace?", QString(), {"Replace", "Keep"}};

TEST(ScriptedPrompter, AnswersInTurnThenTheDefaultButton)
{
    ScriptedPrompter prompter;
    EXPECT_EQ(&Prompter::current(), &prompter);
    prompter.answer(kAlertSecondButtonReturn);
    EXPECT_EQ(Prompter::current().runModal(kQuestion), kAlertSecondButtonReturn);
    EXPECT_EQ(Prompter::current().runModal(kQuestion), kAlertFirstButtonReturn);
    ASSERT_EQ(prompter.shown().size(), 2);
    EXPECT_EQ(prompter.shown()[0].prompt, kQuestion);
}

TEST(ScriptedPrompter, SheetAnswersLaterOnTheEventLoop)
{
    ScriptedPrompter prompter;
    prompter.answer(kAlertSecondButtonReturn);
    int answer = 0;
    prompter.beginSheet(kQuestion, nullptr, [&answer](int response) { answer = response; });
    EXPECT_EQ(answer, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(answer, kAlertSecondButtonReturn);
    EXPECT_TRUE(prompter.shown().last().asSheet);
}

TEST(ScriptedPrompter, AnAnswerNamingNoShownButtonFailsTheTest)
{
    ScriptedPrompter prompter;
    prompter.answer(kAlertThirdButtonReturn);
    EXPECT_NONFATAL_FAILURE(prompter.runModal(kQuestion), "names no button");
}

TEST(ScriptedPrompter, PutsThePreviousPrompterBackWhenDone)
{
    Prompter *before = &Prompter::current();
    {
        ScriptedPrompter prompter;
        EXPECT_NE(&Prompter::current(), before);
    }
    EXPECT_EQ(&Prompter::current(), before);
}

} // namespace
