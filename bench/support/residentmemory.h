#pragma once

// The process's resident memory in megabytes, from /proc/self/statm; 0 where it cannot be read.
double residentMB();
