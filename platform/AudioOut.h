#pragma once
// The audio device as the game's sound rules use it: one looping player, overlapping
// one-shot effects, and a player that reports when its file has ended.
#include <QString>
#include <QStringList>
#include <functional>

namespace morvik {

class AudioOut {
 public:
  virtual ~AudioOut() = default;
  // Plays the file over and over, replacing whatever the looping player played.
  virtual void Loop(const QString& path) = 0;
  // Stops the looping player and the waiting player at once; a wait so cut short still ends
  // (its done follows on the GUI thread), so nothing hangs on a stopped jingle.
  virtual void StopLoop() = 0;
  // Plays the file once beside everything else.
  virtual void Once(const QString& path) = 0;
  // Plays the file once and calls done on the GUI thread when it has ended.
  virtual void PlayThenNotify(const QString& path, std::function<void()> done) = 0;
  // May read the files ahead of their first play, away from the GUI thread; a file asked for
  // before its reading is done is read when asked, as without this.
  virtual void ReadAhead(const QStringList& paths) { (void)paths; }
};

}  // namespace morvik
