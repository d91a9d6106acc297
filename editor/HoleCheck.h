#pragma once
// Before a test play the editor checks what the stage reader would refuse in a stage it
// saved: a character standing on a hole, where none can stand (the saved file lists every
// hole as an empty hole, and a hole cannot hold the hero or an object besides).
#include <string>

#include "stagedata/StageWriter.h"

namespace morvik {

// The message for the first character on a hole in cell order, or empty when there is none.
std::string CharaOnHoleMessage(const StageSheet& stage);

}  // namespace morvik
