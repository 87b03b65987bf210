/* Runs a floor built as a shared object, as the program meets its libraries:
 * loaded at run time with dlopen, so that the floor pays the same loading.
 * Usage: run_time_loader FLOOR.so ARGUMENTS... */
#include <dlfcn.h>
#include <stdio.h>

int main(int argc, char** argv) {
    void* floor = argc > 1 ? dlopen(argv[1], RTLD_NOW | RTLD_LOCAL) : NULL;
    int (*turn)(int, char**) =
        floor != NULL ? (int (*)(int, char**))dlsym(floor, "floor_main") : NULL;
    if (turn == NULL) {
        fprintf(stderr, "run_time_loader: %s\n", dlerror());
        return 1;
    }
    return turn(argc - 1, argv + 1);
}
