#include "platform/ui/dialogprompter.h"
#include "platform/ui/keyboardmodifiers.h"
#include "platform/ui/prompter.h"
#include "platform/ui/termination.h"
#include "platform/ui/valuetransformer.h"

#include <gtest/gtest.h>

namespace {

class Negation : public ValueTransformer
{
public:
    QMetaType transformedValueType() const override { return QMetaType::fromType<bool>(); }
    bool allowsReverseTransformation() const override { return false; }
    QVariant transformedValue(const QVariant &value) const override { return !value.toBool(); }
};

TEST(ValueTransformerRegistry, FindsByNameReplacesAndRemoves)
{
    EXPECT_EQ(ValueTransformer::valueTransformerForName("Negation"), nullptr);
    auto first = std::make_shared<Negation>();
    ValueTransformer::setValueTransformer(first, "Negation");
    EXPECT_EQ(ValueTransformer::valueTransformerForName("Negation"), first);
    EXPECT_EQ(ValueTransformer::valueTransformerForName("negation"), nullptr);

    auto second = std::make_shared<Negation>();
    ValueTransformer::setValueTransformer(second, "Negation");
    EXPECT_EQ(ValueTransformer::valueTransformerForName("Negation"), second);

    ValueTransformer::setValueTransformer(nullptr, "Negation");
    EXPECT_EQ(ValueTransformer::valueTransformerForName("Negation"), nullptr);
}

TEST(KeyboardModifiers, TestStateStandsInForTheKeyboardUntilCleared)
{
    const Qt::KeyboardModifiers held = keyboardmodifiers::current();
    keyboardmodifiers::setCurrentForTesting(Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(keyboardmodifiers::current(), Qt::ShiftModifier | Qt::AltModifier);
    keyboardmodifiers::setCurrentForTesting(std::nullopt);
    EXPECT_EQ(keyboardmodifiers::current(), held);
}

TEST(Termination, InstalledHandlerRunsInPlaceOfTheExit)
{
    int calls = 0;
    const auto previous = termination::setHandler([&calls] { ++calls; });
    termination::terminateApplication();
    EXPECT_EQ(calls, 1);
    termination::setHandler(previous);
}

TEST(Termination, WithoutHandlerTheProcessExitsWithSuccess)
{
    EXPECT_EXIT(termination::terminateApplication(), ::testing::ExitedWithCode(0), "");
}

TEST(Prompter, CurrentIsTheInstalledOneElseTheDialogs)
{
    EXPECT_NE(dynamic_cast<DialogPrompter *>(&Prompter::current()), nullptr);
    DialogPrompter other;
    EXPECT_EQ(Prompter::install(&other), nullptr);
    EXPECT_EQ(&Prompter::current(), &other);
    EXPECT_EQ(Prompter::install(nullptr), &other);
}

} // namespace
