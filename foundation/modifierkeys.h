#pragma once

// Whether a modifier key is held down at the moment of the call, independent of any event being
// handled. Option is the Alt key and Command the Meta (Super) key; Caps Lock is never Shift.
namespace modifierkeys {

bool isControlKeyDown();
bool isOptionKeyDown();
bool isCommandKeyDown();
bool isShiftKeyDown();

} // namespace modifierkeys
