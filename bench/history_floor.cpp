// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the start-up path: a plain C++ program that reads a history file, takes the
// twenty numbers of every line by position, counts appearances and gaps and prints the ranking
// by appearances. Nothing else: no Qt, no text per line. Compare its run time and memory on a
// long and a short history with those of tiravol-cli.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: history_floor FILE\n");
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "rb");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    std::string bytes;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, n);
    std::fclose(file);

    std::array<int, 71> appearances{}, current{}, largest{};
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos)
            end = bytes.size();
        if (end - at >= 75) {
            std::array<bool, 71> in{};
            for (int k = 1; k <= 20; ++k) {
                const char* f = bytes.data() + at + 3 * k + 8;
                const int v = (f[0] - '0') * 10 + (f[1] - '0');
                if (v >= 1 && v <= 70)
                    in[static_cast<size_t>(v)] = true;
            }
            for (size_t n = 1; n <= 70; ++n) {
                if (in[n]) {
                    ++appearances[n];
                    current[n] = 0;
                } else {
                    largest[n] = std::max(largest[n], ++current[n]);
                }
            }
        }
        at = end + 1;
    }
    std::vector<int> order(70);
    for (int n = 1; n <= 70; ++n)
        order[static_cast<size_t>(n - 1)] = n;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return appearances[static_cast<size_t>(a)] > appearances[static_cast<size_t>(b)]; });
    for (int n : order)
        std::printf("%02d %04d   %02d    %04d\n", n, appearances[static_cast<size_t>(n)], current[static_cast<size_t>(n)],
                    largest[static_cast<size_t>(n)]);
    return 0;
}
