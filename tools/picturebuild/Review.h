#pragma once
// Review sheets: every picture on one sheet, and sample fields put together from the tiles.

#include "Composer.h"

namespace morvik::art {

QImage contactSheet(Composer& composer);
// Two 10 x 10 fields of tiles with their shore edges and characters, shown twice as large.
QImage mockField(Composer& composer);

}  // namespace morvik::art
