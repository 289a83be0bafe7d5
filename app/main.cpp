// Entry point: the command line and the platform, then the game.
#include <cstdio>
#include <string>

#include "app/startup.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    platoptions opts;
    std::string err;
    switch (plat_parseargs(argc, argv, &opts, &err)) {
    case 1: return 0;
    case 2: std::fprintf(stderr, "vennor: %s", err.c_str()); return 2;
    default: break;
    }
    if (!plat_init(opts, &err)) {
        std::fprintf(stderr, "vennor: %s\n", err.c_str());
        return plat_initfailure();
    }
    int code = winmain();
    plat_shutdown();
    return code;
}
