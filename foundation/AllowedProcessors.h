// How many processors this process may run on: its affinity (a taskset, start /affinity, a job
// object) counts, not the machine's total. Work that would start threads of its own asks first,
// so that on a small machine it does not crowd the cores it already keeps busy.
#pragma once

int AllowedProcessors();
// Tests and benchmarks stand in a count for the system's (0: ask the system again).
void SetAllowedProcessorsOverride(int count);

// The platform's answer (at least 1); the seam's side in win32/ or posix/.
int SystemAllowedProcessors();
