#include "SharedState.h"

#define VELLAGON_DEFINE_SHARED(type, name) type name{};
VELLAGON_SHARED_STATE(VELLAGON_DEFINE_SHARED)
#undef VELLAGON_DEFINE_SHARED

void resetSharedState() {
#define VELLAGON_RESET_SHARED(type, name) name = type{};
    VELLAGON_SHARED_STATE(VELLAGON_RESET_SHARED)
#undef VELLAGON_RESET_SHARED
}
