#pragma once

#include <Qt>

#include <optional>

// The modifier keys held down at the moment of the call, independent of any event being handled.
namespace keyboardmodifiers {

Qt::KeyboardModifiers current();

// Tests hold keys down by setting the state; std::nullopt reads the keyboard again.
void setCurrentForTesting(std::optional<Qt::KeyboardModifiers> modifiers);

} // namespace keyboardmodifiers
