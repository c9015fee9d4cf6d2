#include <cstdio>

int main() {
    std::fputs("usage: tavrino-cli (--tcp HOST:PORT | --serial DEVICE [--baud INDEX]) [--lang en|de] [--trace] "
               "COMMAND ...\n",
               stdout);
    return 2;
}
