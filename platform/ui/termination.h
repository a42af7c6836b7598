#pragma once

#include <functional>

// The step that ends the program after a fatal alert. The programs install their own quit path;
// tests install one that records the call and returns.
namespace termination {

// Runs the installed handler, else exits the process with success. Everything the program wants
// kept must be on disk before this is called.
void terminateApplication();

// Returns the handler installed before; an empty handler puts the exit back.
std::function<void()> setHandler(std::function<void()> handler);

} // namespace termination
