// The log capture of the foundation tests, built into this program as well.
#include "tests/foundation/logcapture.cpp"
