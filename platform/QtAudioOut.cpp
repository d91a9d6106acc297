#include "platform/QtSound.h"

#include <QAudioOutput>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace morvik {

namespace {
constexpr int kVoicesPerEffect = 3;
}

QString FindNoCase(const QString& folder, const QString& name) {
  const QDir dir(folder);
  if (dir.exists(name)) return dir.filePath(name);
  const QStringList entries = dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& e : entries)
    if (e.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(e);
  return {};
}

int WavLengthMs(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray head = f.read(4096);
  if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return -1;
  int pos = 12;
  quint32 byteRate = 0;
  while (pos + 8 <= head.size()) {
    const QByteArray id = head.mid(pos, 4);
    const quint32 size = qFromLittleEndian<quint32>(head.constData() + pos + 4);
    if (id == "fmt " && pos + 16 <= head.size()) byteRate = qFromLittleEndian<quint32>(head.constData() + pos + 16);
    if (id == "data") return byteRate ? static_cast<int>(1000.0 * size / byteRate) : -1;
    pos += 8 + static_cast<int>(size + (size & 1));
  }
  return -1;
}

QtSound::QtSound(QString soundFolder, Scheduler& scheduler) : folder_(std::move(soundFolder)), scheduler_(scheduler) {}

QtSound::~QtSound() {
  for (auto& voices : effects_) qDeleteAll(voices);
  delete music_;
  delete musicOut_;
  delete jingle_;
  delete jingleOut_;
}

QString QtSound::PathOf(const QString& name) const { return FindNoCase(folder_, name); }

void QtSound::PlayEffect(int n) {
  if (!effectsOn) return;
  auto& voices = effects_[n];
  if (voices.isEmpty()) {
    const QString path = PathOf(QStringLiteral("Sound%1.wav").arg(n));
    if (path.isEmpty()) return;  // a missing file is skipped silently
    for (int i = 0; i < kVoicesPerEffect; ++i) {
      auto* e = new QSoundEffect;
      e->setSource(QUrl::fromLocalFile(path));
      e->setVolume(0.8f);
      voices.push_back(e);
    }
  }
  for (QSoundEffect* e : voices)
    if (!e->isPlaying()) {
      e->play();
      return;
    }
  voices.front()->stop();
  voices.front()->play();
}

void QtSound::PlayMusic(int n) {
  StopMusic();
  if (!musicOn) return;
  const QString path = PathOf(QStringLiteral("bgm%1.wav").arg(n));
  if (path.isEmpty()) return;
  if (!music_) {
    music_ = new QMediaPlayer;
    musicOut_ = new QAudioOutput;
    music_->setAudioOutput(musicOut_);
    music_->setLoops(QMediaPlayer::Infinite);
  }
  music_->setSource(QUrl::fromLocalFile(path));
  music_->play();
}

void QtSound::StopMusic() {
  if (music_) music_->stop();
}

void QtSound::PlayJingle(int n, std::function<void()> done) {
  const QString path = PathOf(QStringLiteral("bgm%1.wav").arg(n));
  const int length = path.isEmpty() ? -1 : WavLengthMs(path);
  if (length < 0) {
    scheduler_.After(0, std::move(done));
    return;
  }
  if (!jingle_) {
    jingle_ = new QMediaPlayer;
    jingleOut_ = new QAudioOutput;
    jingle_->setAudioOutput(jingleOut_);
    QObject::connect(jingle_, &QMediaPlayer::mediaStatusChanged, [this](QMediaPlayer::MediaStatus s) {
      if (s == QMediaPlayer::EndOfMedia || s == QMediaPlayer::InvalidMedia) {
        if (jingleDone_) {
          scheduler_.Cancel(jingleGuard_);
          auto fn = std::move(jingleDone_);
          jingleDone_ = nullptr;
          scheduler_.After(0, std::move(fn));
        }
      }
    });
  }
  jingleDone_ = std::move(done);
  jingle_->setSource(QUrl::fromLocalFile(path));
  jingle_->play();
  // Without an audio device the player never reports the end: the file's length bounds the wait.
  jingleGuard_ = scheduler_.After(length + 250, [this]() {
    if (!jingleDone_) return;
    jingle_->stop();
    auto fn = std::move(jingleDone_);
    jingleDone_ = nullptr;
    fn();
  });
}

}  // namespace morvik
