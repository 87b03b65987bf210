// A connection that may block for good, given a bounded time: a server that
// takes a connection and never answers would otherwise hold the run.
#ifndef TARVELIN_PLATFORM_LINUX_CONNECT_WITHIN_H
#define TARVELIN_PLATFORM_LINUX_CONNECT_WITHIN_H

#include <time.h>

// connect(argument), its result returned. If it has not returned within
// seconds, an alarm shuts down the socket it waits on: the lowest
// descriptor free when it began, which a connection takes first (what it
// reads on the way, such as an authority file, it closes before). A
// connection that came back that late is closed with disconnect, and null
// returned. SIGALRM is the program's own meanwhile.
void* ConnectWithin(void* (*connect)(void*), void* argument, time_t seconds,
                    void (*disconnect)(void* argument, void* connection));

#endif
