#include "platform/Fonts.h"

#include <QFontDatabase>
#include <cstdio>

#include "platform/MessageBoxes.h"

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

QStringList JapaneseFamilies() { return QFontDatabase::families(QFontDatabase::Japanese); }

bool TellMissingJapaneseFont(const QStringList& japaneseFamilies, MessageBoxes& messages) {
  if (!japaneseFamilies.isEmpty()) return false;
  std::fprintf(stderr, "morvik: no installed font covers Japanese, so the texts show as empty boxes; install %s\n",
               JapaneseFontPackage);
  messages.Show(QStringLiteral("No installed font covers Japanese: the game's texts show as empty boxes.\n"
                               "Install the package %1 (for example: sudo apt install %1) and start the game again.")
                    .arg(QLatin1String(JapaneseFontPackage)),
                QStringLiteral("Japanese font missing"), MsgIcon::Warning, MsgButtons::Ok);
  return true;
}

}  // namespace morvik
