#pragma once
// A contact sheet for looking at the art: every image enlarged, the composed special
// tiles, the icon, and a mock board with water in some of its pipes.
#include "paint.h"

namespace art {

Surface ContactSheet();

}  // namespace art
