#include "tests/play/PlayFixture.h"

#include <QApplication>
#include <QFile>

namespace morvik::test {

std::string StageBlock(int n, std::vector<std::string> rows, const std::string& hero, const std::string& stones,
                       const std::string& yellow, const std::string& red, const std::string& px, const std::string& holes,
                       int first, int music) {
  rows.resize(10);
  std::string t = (n < 10 ? "@0" : "@") + std::to_string(n) + "\r\n";
  for (auto& r : rows) {
    while (r.size() < 20) r += "20";
    t += r + "\r\n";
  }
  for (const std::string& l : {std::string("V2.00 beta"), hero, stones, yellow, red, px, holes, std::to_string(first), std::to_string(music)})
    t += l + "\r\n";
  return t + "END@" + (n < 10 ? "0" : "") + std::to_string(n) + "\r\n";
}

PlayFixture::PlayFixture(const std::string& mapText) {
  const QString path = dir.filePath("mapdata.dat");
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(mapText.data(), static_cast<qint64>(mapText.size()));
  f.close();
  game.mapFilePath = path.toStdString();
  pictures.LoadFrom(dir.filePath("no-pictures"));
  form = std::make_unique<FormMain>(game, platform);
  form->hooks.startEnding = [this] { ++endings; };
  form->hooks.showTitle = [this] { ++titles; };
  form->hooks.endProgram = [this] { ++programEnds; };
}

void PlayFixture::Start(int stage, bool skipOpening) {
  game.stageNo = stage;
  form->InitialTreat();
  form->show();
  if (skipOpening) Advance(1800);
}

void PlayFixture::Key(int qtKey, Qt::KeyboardModifiers mods) {
  QKeyEvent press(QEvent::KeyPress, qtKey, mods);
  QApplication::sendEvent(form.get(), &press);
  QKeyEvent release(QEvent::KeyRelease, qtKey, mods);
  QApplication::sendEvent(form.get(), &release);
}

}  // namespace morvik::test
