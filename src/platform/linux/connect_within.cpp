#include "platform/linux/call_within.h"

#include <pthread.h>

void* CallWithin(void* (*call)(void*), void* argument, time_t seconds) {
    timespec deadline{};
    pthread_t thread;
    if (clock_gettime(CLOCK_REALTIME, &deadline) != 0 ||
        pthread_create(&thread, nullptr, call, argument) != 0) {
        return call(argument);
    }
    deadline.tv_sec += seconds;
    void* result = nullptr;
    return pthread_timedjoin_np(thread, &result, &deadline) == 0 ? result : nullptr;
}
