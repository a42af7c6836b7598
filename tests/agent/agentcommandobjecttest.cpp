#include "agent/agentcommandobject.h"

#include <gtest/gtest.h>

TEST(AgentCommandObject, ListenerWords)
{
    struct Case
    {
        QVariant flag;
        bool on;
    };
    const Case cases[] = {
        {QStringLiteral("TRUE"), true},  {QStringLiteral("Yes"), true},
        {QStringLiteral("ON"), true},    {QStringLiteral("1"), true},
        {QStringLiteral("true"), true},  {true, true},
        {QStringLiteral("false"), false}, {QStringLiteral("no"), false},
        {QStringLiteral("0"), false},    {QStringLiteral("off"), false},
        {QStringLiteral(""), false},     {false, false},
        {1, false},                      {QVariant(), false},
        {QStringLiteral(" true"), false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AgentCommandObject::isTrueWord(c.flag), c.on) << c.flag.toString().toStdString();
}
