// All-or-nothing joining of path pieces (see path_join.h).
#include "app/path_join.h"

#include <cstring>

int joinPath(char* out, std::size_t capacity, const char* first, const char* second,
             const char* third) {
    if (capacity == 0) return -1;
    out[0] = '\0';
    const char* pieces[3] = {first, second, third};
    std::size_t used = 0;
    for (const char* piece : pieces) {
        std::size_t n = std::strlen(piece);
        if (n > capacity - 1 - used) {
            out[0] = '\0';
            return -1;
        }
        std::memcpy(out + used, piece, n);
        used += n;
    }
    out[used] = '\0';
    return 0;
}
