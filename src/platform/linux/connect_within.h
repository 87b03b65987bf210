// A call that may block for good, waited for a bounded time: a server that
// takes a connection and never answers would otherwise hold the run.
#ifndef TARVELIN_PLATFORM_LINUX_CALL_WITHIN_H
#define TARVELIN_PLATFORM_LINUX_CALL_WITHIN_H

#include <time.h>

// call(argument) on a thread of its own: its result, or null when it has not
// returned within seconds. The thread is then left blocked and the run ends
// without it, so argument must outlive the run. Called in place when no
// thread can be started.
void* CallWithin(void* (*call)(void*), void* argument, time_t seconds);

#endif
