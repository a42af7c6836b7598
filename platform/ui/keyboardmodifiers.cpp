#include "platform/ui/keyboardmodifiers.h"

#include <QGuiApplication>

namespace keyboardmodifiers {
namespace {

std::optional<Qt::KeyboardModifiers> s_testState;

} // namespace

Qt::KeyboardModifiers current()
{
    if (s_testState)
        return *s_testState;
    if (!QGuiApplication::instance())
        return Qt::NoModifier;
    return QGuiApplication::queryKeyboardModifiers();
}

void setCurrentForTesting(std::optional<Qt::KeyboardModifiers> modifiers)
{
    s_testState = modifiers;
}

} // namespace keyboardmodifiers
