#include "platform/ui/termination.h"

#include <cstdlib>
#include <utility>

namespace termination {
namespace {

std::function<void()> &handler()
{
    static std::function<void()> installed;
    return installed;
}

} // namespace

void terminateApplication()
{
    if (handler()) {
        handler()();
        return;
    }
    std::exit(EXIT_SUCCESS);
}

std::function<void()> setHandler(std::function<void()> replacement)
{
    return std::exchange(handler(), std::move(replacement));
}

} // namespace termination
