#pragma once

#include "platform/defaults/userdefaults.h"

// While one lives, a key read again through the preferences is answered as it was first answered
// in it: a pass that reads the same keys for each of thousands of records looks each up once.
// Every write of this process is seen at once; what another process wrote, once the last scope
// has ended. Scopes nest, and hold for reads on the thread that opened them.
class PreferenceReadScope
{
public:
    PreferenceReadScope();
    ~PreferenceReadScope();
    PreferenceReadScope(const PreferenceReadScope &) = delete;
    PreferenceReadScope &operator=(const PreferenceReadScope &) = delete;
};
