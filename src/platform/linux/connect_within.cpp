#include "platform/linux/connect_within.h"

#include <errno.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

// A signal handler reaches only what is at file scope: the socket it shuts
// down, and whether it did.
volatile sig_atomic_t gConnecting = -1;
volatile sig_atomic_t gLate = 0;

// Not restarted: a connect interrupted gives up, a wait wakes to a socket
// that is shut.
void OnAlarm(int) {
    const int saved = errno;
    shutdown(gConnecting, SHUT_RDWR);
    gLate = 1;
    errno = saved;
}

int LowestFreeDescriptor() {
    const int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe >= 0) {
        close(probe);
    }
    return probe;
}

} // namespace

void* ConnectWithin(void* (*connect)(void*), void* argument, time_t seconds,
                    void (*disconnect)(void* argument, void* connection)) {
    struct sigaction alarm = {};
    struct sigaction previous = {};
    alarm.sa_handler = OnAlarm;
    sigemptyset(&alarm.sa_mask);
    gConnecting = LowestFreeDescriptor();
    gLate = 0;
    itimerval deadline = {};
    deadline.it_value.tv_sec = seconds;
    bool armed = gConnecting >= 0 && sigaction(SIGALRM, &alarm, &previous) == 0;
    if (armed && setitimer(ITIMER_REAL, &deadline, nullptr) != 0) {
        sigaction(SIGALRM, &previous, nullptr);
        armed = false;
    }
    void* connection = connect(argument);
    if (armed) {
        const itimerval off = {};
        setitimer(ITIMER_REAL, &off, nullptr);
        sigaction(SIGALRM, &previous, nullptr);
    }
    if (gLate && connection != nullptr) {
        disconnect(argument, connection);
        return nullptr;
    }
    return connection;
}
