#include "tests/play/PlayFixture.h"

#include <QApplication>
#include <QFile>
#include <stdexcept>

#include "stagedata/StagePicture.h"

namespace morvik::test {

std::string StageBlock(int n, const std::vector<std::string>& rows, int first, int music) {
  PictureResult picture = ReadPartialPicture(rows);
  if (const auto* e = std::get_if<PictureError>(&picture)) throw std::invalid_argument(PictureErrorText(*e));
  StageSheet& sheet = std::get<StageSheet>(picture);
  sheet.firstFlower = first;
  sheet.music = music;
  return WriteStageBlock(sheet, n);
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
