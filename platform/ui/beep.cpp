#include "platform/ui/beep.h"

#include <QApplication>

#include <utility>

namespace beep {
namespace {

std::function<void()> &handler()
{
    static std::function<void()> installed;
    return installed;
}

} // namespace

void beep()
{
    if (handler()) {
        handler()();
        return;
    }
    QApplication::beep();
}

std::function<void()> setHandler(std::function<void()> replacement)
{
    return std::exchange(handler(), std::move(replacement));
}

} // namespace beep
