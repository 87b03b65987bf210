// The bound on a connection, with a stand-in for the library's connect: a
// socket pair whose far end answers or stays silent.
#include "platform/linux/connect_within.h"

#include <gtest/gtest.h>

#include <errno.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Connection {
    bool answers;
    int ends[2] = {-1, -1};
    ssize_t heard = -1;
    int closed = 0;
};

// Like a display's setup: the socket first, then a wait for the first word
// that an interruption alone does not end.
void* Connect(void* data) {
    auto* connection = static_cast<Connection*>(data);
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, connection->ends) != 0) {
        return nullptr;
    }
    if (connection->answers) {
        EXPECT_EQ(1, write(connection->ends[1], "!", 1));
    }
    char word;
    do {
        connection->heard = recv(connection->ends[0], &word, 1, 0);
    } while (connection->heard < 0 && errno == EINTR);
    return connection;
}

void Disconnect(void* data, void* made) {
    EXPECT_EQ(data, made);
    ++static_cast<Connection*>(data)->closed;
}

void Elsewhere(int) {}

TEST(ConnectWithin, ASilentServerIsGivenUpAndTheAlarmHandedBack) {
    struct sigaction own = {};
    own.sa_handler = Elsewhere;
    ASSERT_EQ(0, sigaction(SIGALRM, &own, nullptr));
    // (answers, connection returned, bytes heard, disconnects)
    const struct {
        bool answers, returned;
        ssize_t heard;
        int closed;
    } cases[] = {{true, true, 1, 0}, {false, false, 0, 1}};
    for (const auto& row : cases) {
        Connection connection{row.answers};
        void* made = ConnectWithin(Connect, &connection, 1, Disconnect);
        EXPECT_EQ(row.returned, made != nullptr) << row.answers;
        EXPECT_EQ(row.heard, connection.heard) << row.answers;
        EXPECT_EQ(row.closed, connection.closed) << row.answers;
        struct sigaction now = {};
        ASSERT_EQ(0, sigaction(SIGALRM, nullptr, &now));
        EXPECT_EQ(&Elsewhere, now.sa_handler);
        close(connection.ends[0]);
        close(connection.ends[1]);
    }
    signal(SIGALRM, SIG_DFL);
}

} // namespace
