#include <cstdio>

int main() {
    std::fputs("usage: tavrino-sim [--tcp [HOST:]PORT] [--pty] [--firmware TEXT] [--serial-number N]\n"
               "                   [--scene NAME|FILE] [--line-rate] [--seed N] [--fault SPEC]... [--verbose]\n",
               stdout);
    return 0;
}
