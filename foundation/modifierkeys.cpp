#include "foundation/modifierkeys.h"

#include "platform/ui/keyboardmodifiers.h"

namespace modifierkeys {
namespace {

bool isDown(Qt::KeyboardModifier key)
{
    return keyboardmodifiers::current().testFlag(key);
}

} // namespace

bool isControlKeyDown()
{
    return isDown(Qt::ControlModifier);
}

bool isOptionKeyDown()
{
    return isDown(Qt::AltModifier);
}

bool isCommandKeyDown()
{
    return isDown(Qt::MetaModifier);
}

bool isShiftKeyDown()
{
    return isDown(Qt::ShiftModifier);
}

} // namespace modifierkeys
