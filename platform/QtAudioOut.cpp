#include "platform/QtAudioOut.h"

#include <QDir>
#include <QFile>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace morvik {

namespace {
constexpr int kVoicesPerEffect = 3;
constexpr int kEndSlackMs = 250;
}  // namespace

QString FindNoCase(const QString& folder, const QString& name) {
  const QDir dir(folder);
  if (folder.isEmpty() || !dir.exists()) return {};
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
  qsizetype pos = 12;
  quint32 byteRate = 0;
  while (pos + 8 <= head.size()) {
    const QByteArray id = head.mid(pos, 4);
    const quint32 size = qFromLittleEndian<quint32>(head.constData() + pos + 4);
    if (id == "fmt " && pos + 16 <= head.size()) byteRate = qFromLittleEndian<quint32>(head.constData() + pos + 16);
    if (id == "data") return byteRate ? static_cast<int>(1000.0 * size / byteRate) : -1;
    pos += 8 + static_cast<qsizetype>(size + (size & 1));
  }
  return -1;
}

QtAudioOut::QtAudioOut(Scheduler& scheduler) : scheduler_(scheduler) {}

QtAudioOut::~QtAudioOut() {
  scheduler_.Cancel(guard_);
  for (auto& voices : effects_) qDeleteAll(voices);
  delete music_;
  delete waiting_;
}

void QtAudioOut::Once(const QString& path) {
  auto& voices = effects_[path];
  if (voices.isEmpty())
    for (int i = 0; i < kVoicesPerEffect; ++i) {
      auto* e = new QSoundEffect;
      e->setSource(QUrl::fromLocalFile(path));
      voices.push_back(e);
    }
  for (QSoundEffect* e : voices)
    if (!e->isPlaying()) {
      e->play();
      return;
    }
  voices.front()->stop();
  voices.front()->play();
}

void QtAudioOut::Loop(const QString& path) {
  if (!music_) {
    music_ = new QSoundEffect;
    music_->setLoopCount(QSoundEffect::Infinite);
  }
  music_->stop();
  music_->setSource(QUrl::fromLocalFile(path));
  music_->play();
}

void QtAudioOut::StopLoop() {
  if (music_) music_->stop();
}

void QtAudioOut::FinishWait() {
  scheduler_.Cancel(guard_);
  guard_ = 0;
  if (waiting_) waiting_->stop();
  if (auto done = std::move(done_)) {
    done_ = nullptr;
    done();
  }
}

void QtAudioOut::PlayThenNotify(const QString& path, std::function<void()> done) {
  FinishWait();
  const int length = WavLengthMs(path);
  if (length < 0) {
    scheduler_.After(0, std::move(done));
    return;
  }
  if (!waiting_) {
    waiting_ = new QSoundEffect;
    // A stop long before the file could have ended is a device failing, not the end: then
    // the wait still lasts the file's length.
    QObject::connect(waiting_, &QSoundEffect::playingChanged, [this] {
      if (!waiting_->isPlaying() && done_ && scheduler_.Now() - waitStart_ >= waitLength_ - kEndSlackMs)
        scheduler_.After(0, [this] { FinishWait(); });
    });
  }
  waitStart_ = scheduler_.Now();
  waitLength_ = length;
  done_ = std::move(done);
  waiting_->setSource(QUrl::fromLocalFile(path));
  waiting_->play();
  // Without an audio device the player may never report the end: the file's length bounds the wait.
  guard_ = scheduler_.After(length + kEndSlackMs, [this] {
    guard_ = 0;
    FinishWait();
  });
}

}  // namespace morvik
