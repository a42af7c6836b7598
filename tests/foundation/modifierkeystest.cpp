#include "foundation/modifierkeys.h"
#include "platform/ui/keyboardmodifiers.h"

#include <gtest/gtest.h>

namespace {

TEST(ModifierKeys, EachQueryAnswersForItsOwnKeyOnly)
{
    struct Case
    {
        Qt::KeyboardModifiers held;
        bool control, option, command, shift;
    };
    const Case cases[] = {
        {Qt::NoModifier, false, false, false, false},
        {Qt::ShiftModifier | Qt::AltModifier, false, true, false, true},
        {Qt::ControlModifier, true, false, false, false},
        {Qt::MetaModifier, false, false, true, false},
        {Qt::ShiftModifier, false, false, false, true},
        // Keys that are no modifier of these four: keypad and group switch.
        {Qt::KeypadModifier | Qt::GroupSwitchModifier, false, false, false, false},
    };
    for (const Case &c : cases) {
        keyboardmodifiers::setCurrentForTesting(c.held);
        SCOPED_TRACE(int(c.held));
        EXPECT_EQ(modifierkeys::isControlKeyDown(), c.control);
        EXPECT_EQ(modifierkeys::isOptionKeyDown(), c.option);
        EXPECT_EQ(modifierkeys::isCommandKeyDown(), c.command);
        EXPECT_EQ(modifierkeys::isShiftKeyDown(), c.shift);
    }
    keyboardmodifiers::setCurrentForTesting(std::nullopt);
}

} // namespace
