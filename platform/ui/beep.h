#pragma once

#include <functional>

// The system beep of a refused entry. The programs sound it; tests install a step that counts.
namespace beep {

void beep();
// Returns the step installed before; an empty step puts the system beep back.
std::function<void()> setHandler(std::function<void()> handler);

} // namespace beep
