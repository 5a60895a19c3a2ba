// Types.h is header-only; this unit keeps the platform library non-empty from the start.
#include "Types.h"
static_assert(sizeof(TColor) == 4 && RGB(1, 2, 3) == 0x030201);
