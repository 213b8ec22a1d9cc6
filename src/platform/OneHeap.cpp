#include "platform/OneHeap.h"

#include <malloc.h>

namespace platform {

void useOneHeap()
{
    mallopt(M_ARENA_MAX, 1);
}

} // namespace platform
