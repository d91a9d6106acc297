#pragma once
// The platform services a screen uses, handed over as one bundle.
#include "platform/MessageBoxes.h"
#include "platform/PictureStore.h"
#include "platform/Scheduler.h"
#include "platform/Sound.h"

namespace morvik {

struct Platform {
  Scheduler& scheduler;
  Sound& sound;
  MessageBoxes& messages;
  PictureStore& pictures;
};

}  // namespace morvik
