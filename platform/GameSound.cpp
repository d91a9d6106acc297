#include "platform/GameSound.h"

#include "platform/FindNoCase.h"

namespace morvik {

namespace {
// The outcome jingles and the ending music, which the music switch does not silence.
bool IsJingle(int n) { return n == 10 || n == 11; }
constexpr int kEndingMusic = 13;
}  // namespace

QString GameSound::MusicFile(int n) const { return FindNoCase(folder_, QStringLiteral("bgm%1.wav").arg(n)); }
QString GameSound::EffectFile(int n) const { return FindNoCase(folder_, QStringLiteral("Sound%1.wav").arg(n)); }

void GameSound::ReadAllAhead() {
  // The numbers a stage, a screen or the editor's music test may ask for. Music that loops is
  // streamed from its file when it starts, so only the effects and the jingles are held.
  constexpr int kLastNumber = 31;
  QStringList paths;
  for (int n = 0; n <= kLastNumber; ++n)
    for (const QString& path : {IsJingle(n) ? MusicFile(n) : QString(), EffectFile(n)})
      if (!path.isEmpty()) paths << path;
  out_.ReadAhead(paths);
}

void GameSound::PlayEffect(int n) {
  if (titleMinimised && titleMinimised()) return;
  if (!effectsOn) return;
  PlayEffectFile(n);
}

void GameSound::PlayEffectFile(int n) {
  const QString path = EffectFile(n);
  if (!path.isEmpty()) out_.Once(path);
}

void GameSound::StartMusic(int n) {
  if (!IsJingle(n) && n != kEndingMusic && !bgmTest && !musicOn) return;
  if (IsJingle(n) && !effectsOn) return;
  const QString path = MusicFile(n);
  if (!path.isEmpty()) out_.Loop(path);
}

void GameSound::PlayMusic(int n) {
  out_.StopLoop();
  StartMusic(n);
}

void GameSound::PlayJingle(int n, std::function<void()> done) { out_.PlayThenNotify(MusicFile(n), std::move(done)); }

}  // namespace morvik
