#include "platform/Fonts.h"

namespace morvik {

QString CaptionFace() { return QStringLiteral("ＭＳ Ｐゴシック"); }  // untranslated: a font name

QFont CaptionFontOf(qreal pointSize, bool bold) {
  QFont f(CaptionFace());
  f.setPointSizeF(pointSize);
  f.setBold(bold);
  return f;
}

void InstallCaptionFace() {
  QFont::insertSubstitutions(CaptionFace(), QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});  // untranslated: font names
}

}  // namespace morvik
