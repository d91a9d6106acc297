#include "core/CellCodes.h"

namespace morvik {

bool IsTerrainCode(int v) {
  return v == 13 || v == 14 || (v >= 20 && v <= 39) || (v >= 50 && v <= 58) || (v >= 60 && v <= 64);
}

std::string CellCodeText(CellCode c) {
  return std::string{static_cast<char>('0' + c / 10), static_cast<char>('0' + c % 10)};
}

int ParseCellCode(std::string_view t) {
  if (t.size() != 2 || t[0] < '0' || t[0] > '9' || t[1] < '0' || t[1] > '9') return -1;
  return (t[0] - '0') * 10 + (t[1] - '0');
}

}  // namespace morvik
