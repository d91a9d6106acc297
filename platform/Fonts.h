#pragma once
// The face every caption of the screens names, and the Japanese gothic face that stands in
// for it on Linux (IPA's proportional gothic has the same metrics).
#include <QFont>
#include <QStringList>

namespace morvik {

QString CaptionFace();
// A font of the caption face.
QFont CaptionFontOf(qreal pointSize, bool bold = false);
// Makes the caption face resolve to the installed stand-in; called once at start-up.
void InstallCaptionFace();

class MessageBoxes;
// The installed font families that cover Japanese.
QStringList JapaneseFamilies();
// Without any such family every Japanese text is an empty box: one line on stderr and one
// message, both in ASCII so that they can be read, name the package to install. True when told.
bool TellMissingJapaneseFont(const QStringList& japaneseFamilies, MessageBoxes& messages);
inline constexpr const char* JapaneseFontPackage = "fonts-ipafont-gothic";

}  // namespace morvik
