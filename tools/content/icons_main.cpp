// vennor_icons DIR NAME: the desktop icons the install ships, one PNG a size.
#include <cstdio>
#include <string>

#include "tools/content/icons.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vennor_icons DIR NAME\n");
        return 2;
    }
    std::string why;
    if (!icons_write(argv[1], argv[2], why)) {
        std::fprintf(stderr, "vennor_icons: %s\n", why.c_str());
        return 1;
    }
    return 0;
}
