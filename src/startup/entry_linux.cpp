// The Linux program's entry: the shell has split the command line already.
#include "startup/startup.h"

int main(int argc, char** argv) {
    return StartFromArguments(argc > 0 ? argc - 1 : 0, argv + 1);
}
