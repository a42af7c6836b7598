// Every test of this program starts from a fresh home and a closed address book.

#include "tests/support/addressbook/freshhomepertest.h"

namespace {

const bool kRegistered = freshhomepertest::install();

} // namespace
