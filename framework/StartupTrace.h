// Where start-up spends its time: phases marked as the program passes them,
// timed from the process's creation and printed on standard error when the
// message loop first finds nothing to do. Off unless the environment
// variable PLEXA_STARTUP_TRACE is set, and then costs nothing but a check.
#pragma once

namespace startup_trace {

void Mark(const wchar_t* phase);
// Called before each wait for a message; prints the phases, ending with
// "idle", the first time none is waiting.
void BeforeWaiting();

}
