#pragma once

#include "calc/form_access.h"

namespace quorvane {

// The click of "计算": asks the four selections in their fixed order, picks the commission
// rule, reads the input texts the rule needs and writes the individual commission into the
// output field, or shows the validation message of the first missing selection.
void OnCalculateClicked(FormAccess& form);

}  // namespace quorvane
