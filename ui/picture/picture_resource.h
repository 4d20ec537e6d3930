#pragma once

// The RCDATA resource that carries the picture box's PNG picture (assets/picture.rc). Shared by
// the resource script and the code, so it holds nothing but the preprocessor definition.
#define QUORVANE_PICTURE_RESOURCE 101
