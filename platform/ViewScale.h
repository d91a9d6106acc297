#pragma once
// The view size: every window drawn 1, 2 or 3 times as large, pictures by whole pixels (no
// blur) and fonts with them. Qt fixes its scale factor when the application starts, so the
// choice is read before the application object exists and a new choice takes effect at the
// next start. The choice is kept in the user's settings, never in the play information file.
#include <QSize>
#include <QString>
#include <functional>

#include "platform/SettingsFile.h"

class QMainWindow;

namespace morvik {

namespace ViewScale {

inline constexpr int Largest = 3;

// The size kept in the settings, or 0 when none was ever chosen.
int Stored(const SettingsFile& settings);
// Keeps the size and saves the file; false when it could not be saved (said on the standard error).
bool Store(SettingsFile& settings, int scale);
// The first start's choice: 2 on a screen at least 2560 device pixels wide that the desktop
// does not already draw doubled; 1 otherwise (a device pixel ratio of 2 already doubles).
int FirstChoice(int screenDevicePixelsWide, double devicePixelRatio);
// The scale factor Qt is to start with (the environment's own QT_SCALE_FACTOR wins).
void ApplyBeforeStart(int scale);
// The size this run shows.
int Current();

// The largest size (at least 1) at which a window of `window` logical pixels, its frame
// included, fits an area of `availableAtOne` logical pixels as seen at size 1.
int LargestFitting(QSize window, QSize availableAtOne);
// The largest window's size at size 1 (frame included), measured by the last run; empty if none.
QSize StoredWindow(const SettingsFile& settings);
bool StoreWindow(SettingsFile& settings, QSize window);
// The kept size did not fit the screen and this run starts at a smaller one (0: it fitted).
void NoteFallBack(int from);
int FellBackFrom();
// Every window's menu offers only the sizes up to `largest`.
void OfferUpTo(int largest);

// Adds the menu "表示(&V)" before the window's last menu (help); `chosen` is called with the
// size picked.
void AddMenu(QMainWindow& window, std::function<void(int)> chosen);

}  // namespace ViewScale

}  // namespace morvik
