#include "core/Board.h"

namespace morvik {

void Board::ResetAttempt() {
  stepKind = 0;
  heroDir = DirDown;
  underState = {};
  underCode = {};
  onFlower = false;
  landedFlower = false;
  yFlowerTaken = rFlowerTaken = pxTaken = 0;
  sliding = padBounce = false;
  outcome = Outcome::None;
}

int NextX(const Board& b) { return b.heroDir == DirLeft ? b.heroX - 1 : b.heroDir == DirRight ? b.heroX + 1 : b.heroX; }
int NextY(const Board& b) { return b.heroDir == DirUp ? b.heroY - 1 : b.heroDir == DirDown ? b.heroY + 1 : b.heroY; }
bool NextOffField(const Board& b) { return !OnField(NextX(b), NextY(b)); }
bool FacesBorder(const Board& b) { return NextOffField(b); }

}  // namespace morvik
