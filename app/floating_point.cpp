#include "app/floating_point.h"

#include <float.h>

namespace quorvane::app {

void ResetFloatingPointUnit() noexcept {
  _fpreset();
  _controlfp(_PC_64 | _RC_NEAR | _MCW_EM, _MCW_PC | _MCW_RC | _MCW_EM);
}

}  // namespace quorvane::app
