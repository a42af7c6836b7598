#pragma once

// Makes every test of the calling program start from a home of its own, with the shared address
// book closed and the locale the program started with, so that no test sees the records,
// preferences, files or locale an earlier one left, and the program passes whole in one process
// as it does one test at a time. Returns true, for a static initializer of the program's own.
namespace freshhomepertest {

bool install();

} // namespace freshhomepertest
