#pragma once

#include "app/windows/windowcontroller.h"

#include <functional>
#include <memory>

// Makes the windows of the folders that stand on this one (the data loader, the browser, the
// review window, the web view). The program's entry registers one maker per kind before start-up;
// tests register windows of their own.
namespace windowfactory {

using Maker = std::function<std::unique_ptr<WindowController>()>;

// An empty maker removes the kind.
void setMaker(WindowController::Kind kind, Maker maker);
bool hasMaker(WindowController::Kind kind);
// A new controller with its window, not yet shown; null when no maker is registered (logged).
std::unique_ptr<WindowController> make(WindowController::Kind kind);
// Removes every maker.
void clear();

} // namespace windowfactory
