// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/AndKernels.h"

#include <bit>

namespace CombinationEngine {

namespace {

// Without a popcount instruction the compiler calls a
// library routine per word, so a copy built for the instruction is picked when the processor
// has it.
#define TIRAVOL_AND_KERNELS(suffix, attributes)                                                                                  \
    attributes int andInto##suffix(Word* dst, const Word* a, const Word* b, int n)                                               \
    {                                                                                                                            \
        std::uint64_t c = 0;                                                                                                     \
        for (int i = 0; i < n; ++i) {                                                                                            \
            dst[i] = a[i] & b[i];                                                                                                \
            c += static_cast<std::uint64_t>(std::popcount(dst[i]));                                                              \
        }                                                                                                                        \
        return static_cast<int>(c);                                                                                              \
    }                                                                                                                            \
    attributes int andCount##suffix(const Word* a, const Word* b, int n)                                                         \
    {                                                                                                                            \
        std::uint64_t c = 0;                                                                                                     \
        for (int i = 0; i < n; ++i)                                                                                              \
            c += static_cast<std::uint64_t>(std::popcount(a[i] & b[i]));                                                         \
        return static_cast<int>(c);                                                                                              \
    }

TIRAVOL_AND_KERNELS(Plain, )
#if defined(__GNUC__) && defined(__x86_64__)
TIRAVOL_AND_KERNELS(Popcnt, __attribute__((target("popcnt"))))
TIRAVOL_AND_KERNELS(Avx512, __attribute__((target("popcnt,avx512f,avx512vpopcntdq"))))
#endif
#undef TIRAVOL_AND_KERNELS

} // namespace

const AndKernels& AndKernels::best()
{
    static const AndKernels chosen = [] {
#if defined(__GNUC__) && defined(__x86_64__)
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx512vpopcntdq") && __builtin_cpu_supports("avx512f"))
            return AndKernels{andIntoAvx512, andCountAvx512};
        if (__builtin_cpu_supports("popcnt"))
            return AndKernels{andIntoPopcnt, andCountPopcnt};
#endif
        return AndKernels{andIntoPlain, andCountPlain};
    }();
    return chosen;
}

} // namespace CombinationEngine
