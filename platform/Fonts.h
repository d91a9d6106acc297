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

}  // namespace morvik
