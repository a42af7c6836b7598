// Ctrl-C during a run: the request under way finishes, the steps still to come are skipped, and
// the contacts and groups made so far are deleted before the program ends. A second Ctrl-C ends
// it at once.
#pragma once

void catchInterrupts();
bool interrupted();
