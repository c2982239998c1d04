// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/DrawBits.h"

#include <algorithm>
#include <bit>

namespace DrawBits {

void extract(const DrawMatrix& matrix, int number, int from, int to, std::uint64_t* dst)
{
    const int words = wordsFor(to - from + 1);
    std::fill(dst, dst + words, std::uint64_t{0});
    const int last = std::min(to, matrix.columns() - 1);
    if (from < 0 || last < from || number < 0 || number >= DrawMatrix::kNumbers)
        return;
    const std::uint64_t* row = matrix.row(number);
    const int count = last - from + 1;
    const int used = wordsFor(count);
    const int shift = from % 64;
    const int w0 = from / 64;
    const int rowWords = matrix.wordCount();
    for (int i = 0; i < used; ++i) {
        std::uint64_t word = row[w0 + i] >> shift;
        if (shift != 0 && w0 + i + 1 < rowWords)
            word |= row[w0 + i + 1] << (64 - shift);
        dst[i] = word;
    }
    if (count % 64 != 0)
        dst[used - 1] &= (std::uint64_t{1} << (count % 64)) - 1;
}

int countInRange(const DrawMatrix& matrix, int number, int from, int to)
{
    from = std::max(from, 0);
    if (to < from)
        return 0;
    std::vector<std::uint64_t> bits(static_cast<size_t>(wordsFor(to - from + 1)));
    extract(matrix, number, from, to, bits.data());
    int count = 0;
    for (std::uint64_t w : bits)
        count += std::popcount(w);
    return count;
}

} // namespace DrawBits
