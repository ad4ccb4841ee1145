#pragma once

#if defined(_MSC_VER) && !defined(__clang__)
#include <xmmintrin.h>
#endif

namespace lgbatch {

// A hint that the memory at `address` is read soon; only a hint, so a compiler without one
// loses nothing but time.
inline void prefetch(const void *address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#elif defined(_MSC_VER)
    _mm_prefetch(static_cast<const char *>(address), _MM_HINT_T0);
#else
    (void)address;
#endif
}

} // namespace lgbatch
