#include "ui/placement.h"

#include "ui/control_list.h"

namespace quorvane::ui {

WindowOrigin CentredWindowOrigin(int screenWidth, int screenHeight) {
  // C++ integer division truncates toward zero: (320 - 352) / 2 is -16, (350 - 351) / 2 is 0.
  return {(screenWidth - kMainFormOuterWidth) / 2, (screenHeight - kMainFormOuterHeight) / 2};
}

}  // namespace quorvane::ui
