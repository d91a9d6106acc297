#include "shell/Application.h"

#include <QCoreApplication>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>

#include "core/SoundEffects.h"
#include "core/Stories.h"
#include "editor/FormEdit.h"
#include "play/FormMain.h"
#include "platform/Language.h"
#include "platform/ViewScale.h"
#include "platform/WindowPlacement.h"
#include "platform/FindNoCase.h"
#include "platform/SaveFile.h"
#include "platform/SettingsFile.h"
#include "shell/FormEnding.h"
#include "shell/FormTitle.h"
#include "shell/HelpWindow.h"
#include "shell/ResetProgress.h"

namespace morvik {

namespace {

constexpr int kTitleMusic = 12;
constexpr int kEffectReset = sfx::PadBounce;

void Centre(QWidget& w) {
  w.adjustSize();
  CentreOnScreen(w);
}

}  // namespace

Application::Application(QString programDir, Services services, bool installed, QStringList importFrom)
    : onEnd([] { QApplication::exit(0); }),
      programDir_(std::move(programDir)),
      sound_(services.sound),
      messages_(services.messages),
      files_(services.files),
      pictures_(services.pictures),
      platform_{services.scheduler, services.sound, services.messages, services.pictures},
      // An installed program's folder is never probed for writing: it is not the user's.
      playInfo_(programDir_, services.messages,
                installed ? PlayInfoFile::WritableCheck([](const QString&) { return false; }) : PlayInfoFile::WritableCheck{}) {
  if (installed) playInfo_.ImportOnlyFrom(std::move(importFrom));
}

Application::~Application() = default;

void Application::OpenStageFile(const QString& path) {
  game_.mapFilePath = path.toStdString();
  ChangeScreen(Screen::StageFile);
}

QString Application::MapFile() const {
  const QString found = FindNoCase(programDir_, QString::fromLatin1(MapFileName));
  return found.isEmpty() ? QDir(programDir_).filePath(QString::fromLatin1(MapFileName)) : found;
}

void Application::Main() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Files whose write in place a kill cut short get their old contents back first.
  RestoreUnfinishedSaves();
  game_ = ModMain{};
  game_.appDir = programDir_.toStdString();
  pictures_.UseFolder(PicturesFolder());

  // The player's fewest presses live in the user's data folder, apart from the play information.
  const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (!dataDir.isEmpty() && QDir().mkpath(dataDir)) records_.SetPath(QDir(dataDir).filePath(QStringLiteral("presses.ini")));
  formTitle_ = std::make_unique<FormTitle>(game_, platform_, files_);
  sound_.titleMinimised = [this] { return formTitle_->IsMinimised(); };
  ViewScale::AddMenu(*formTitle_, [this](int scale) { ViewSizeChosen(scale); });
  Language::AddMenu(*formTitle_, [this](const QString& language) { LanguageChosen(language); });

  FormTitle::Hooks& title = formTitle_->hooks;
  title.startStory = [this] { ChangeScreen(Screen::StoryStart); };
  title.startStage = [this] { ChangeScreen(Screen::ChosenStage); };
  title.openUnitFile = [this](const QString& path) {
    game_.mapFilePath = path.toStdString();
    ChangeScreen(Screen::StageFile);
  };
  title.openEditor = [this] { ChangeScreen(Screen::Editor); };
  title.quit = [this] {
    sound_.StopMusic();
    SavePlayInfo();
    EndProgram();
  };
  title.musicToggled = [this](bool on) { SetMusic(on); };
  title.soundToggled = [this](bool on) { SetEffects(on); };
  title.resetProgress = [this] {
    if (!ResetProgress(messages_, saved_)) return;
    sound_.PlayEffect(kEffectReset);
    // No stage of any story counts as reached any more: the other stories close again and
    // the title goes back to the main story.
    ForgetProgress(game_);
    formTitle_->FillStageList();
    SavePlayInfo(PlayInfoFile::Progress::Reset);
    // A copy in the other folder would bring the old progress back at the next start.
    const QString other = playInfo_.OtherCopy();
    if (!playInfo_.RemoveOtherCopy())
      messages_.Show(QCoreApplication::translate("Application", "プレイデータの写しを消去できませんでした。次に起動したとき、その進み具合が戻ります。\n%1").arg(other),
                     QCoreApplication::translate("Application", "データ消去"), MsgIcon::Warning, MsgButtons::Ok);
  };
  title.unlocked = [this] { SavePlayInfo(); };
  title.help = [this](int topic) { ShowHelp(topic); };
  title.version = [this] { ShowVersion(); };
  title.homePage = [this] { OpenHomePage(); };
  // The other screens and the pictures only they show are made once the title is up;
  // whatever needs them sooner makes them then.
  title.firstPainted = [this] {
    SetProgramIcon();
    MakeScreens();
  };
  title.shortestClears = [this] {
    if (!shortestLoaded_) shortest_.Load(programDir_);
    shortestLoaded_ = true;
    return StagesClearedInShortest(records_, shortest_, MapFile());
  };

  Centre(*formTitle_);
  LoadPlayInfo();
  ShowTitle();
  QApplication::restoreOverrideCursor();
}

// Every window's icon, the title's too: the window system takes it up when it is set.
void Application::SetProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QDir(PicturesFolder()).filePath(QStringLiteral("icon_%1.png").arg(size)), QSize(size, size));
  QApplication::setWindowIcon(icon);
}

QString Application::PicturesFolder() const { return QDir(programDir_).filePath(QStringLiteral("pictures")); }

FormMain& Application::Play() {
  MakeScreens();
  return *formMain_;
}

FormEdit& Application::Edit() {
  MakeScreens();
  return *formEdit_;
}

void Application::MakeScreens() {
  if (formMain_) return;
  pictures_.LoadFrom(PicturesFolder());
  formMain_ = std::make_unique<FormMain>(game_, platform_, records_);
  formEdit_ = std::make_unique<FormEdit>(game_, platform_, files_);
  formMain_->SetMusicChecked(sound_.musicOn);
  formMain_->SetSoundChecked(sound_.effectsOn);
  for (QMainWindow* w : {static_cast<QMainWindow*>(formMain_.get()), static_cast<QMainWindow*>(formEdit_.get())}) {
    ViewScale::AddMenu(*w, [this](int scale) { ViewSizeChosen(scale); });
    Language::AddMenu(*w, [this](const QString& language) { LanguageChosen(language); });
  }
  FormMain::Hooks& play = formMain_->hooks;
  play.endProgram = [this] { EndProgram(); };
  play.showTitle = [this] { ShowTitle(); };
  play.showEditor = [this] {
    formEdit_->show();
    formEdit_->raise();
    formEdit_->activateWindow();
  };
  play.startEnding = [this] { StartEnding(); };
  play.saveProgress = [this] { SavePlayInfo(); };
  play.musicToggled = [this](bool on) { SetMusic(on); };
  play.soundToggled = [this](bool on) { SetEffects(on); };
  play.help = [this](int topic) { ShowHelp(topic); };
  play.version = [this] { ShowVersion(); };
  play.homePage = [this] { OpenHomePage(); };

  formEdit_->hooks.showTitle = [this] { ShowTitle(); };
  formEdit_->hooks.startTestPlay = [this] { return formMain_->InitialTreat(); };
  formEdit_->hooks.showTestPlay = [this] {
    formMain_->show();
    formMain_->raise();
    formMain_->activateWindow();
  };
  formEdit_->hooks.help = [this](int topic) { ShowHelp(topic); };
  Centre(*formMain_);
  OfferFittingViewSizes();
  if (screensMade) screensMade();
}

// The view size: kept in the user's settings, shown from the next start on.
void Application::ViewSizeChosen(int scale) {
  SettingsFile settings(SettingsFile::UserSettingsPath());
  ViewScale::Store(settings, scale);
  if (scale != ViewScale::Current())
    messages_.Show(QCoreApplication::translate("Application", "表示の大きさは、次にモルビクを起動したときから %1倍 になります。").arg(scale), QCoreApplication::translate("Application", "表示"),
                   MsgIcon::Information, MsgButtons::Ok);
}

// The language: kept in the user's settings, spoken from the next start on.
void Application::LanguageChosen(const QString& language) {
  SettingsFile settings(SettingsFile::UserSettingsPath());
  Language::Store(settings, language);
  if (language != Language::Current()) {
    // Said in the language chosen, which is the one the player reads.
    const bool english = language == Language::English;
    messages_.Show(english ? QStringLiteral("Morvik will speak English from the next time you start it.")
                           : QStringLiteral("次にモルビクを起動したときから、日本語で表示します。"),  // untranslated: in its own language
                   QStringLiteral("Language / 言語"), MsgIcon::Information, MsgButtons::Ok);  // untranslated: both languages
  }
}

void Application::LoadPlayInfo() {
  PlayInfo current;
  current.stageReached = game_.stageReached;
  playInfo_.RemoveStaleTemporaries();
  saved_ = playInfo_.Load(current);
  game_.stageReached = saved_.stageReached;
  game_.storyNo = saved_.storyNo;
  // The two values of the story line after the story number keep the user and super stories'
  // progress, one more than the farthest stage reached: 1, what every older file holds, is a
  // story not yet open.
  game_.userReached = saved_.reserved1 - 1;
  game_.superReached = saved_.reserved2 - 1;
  SetMusic(saved_.musicOn);
  SetEffects(saved_.effectsOn);
}

void Application::SavePlayInfo(PlayInfoFile::Progress progress) {
  saved_.musicOn = formTitle_->MusicChecked();
  saved_.effectsOn = formTitle_->SoundChecked();
  saved_.stageReached = game_.stageReached;
  saved_.storyNo = game_.storyNo;
  saved_.reserved1 = game_.userReached + 1;
  saved_.reserved2 = game_.superReached + 1;
  if (!playInfo_.Save(saved_, progress, &saved_)) {
    messages_.Show(QCoreApplication::translate("Application", "プレイデータを保存できませんでした。\n%1").arg(playInfo_.LastError()),
                   QCoreApplication::translate("Application", "エラー"), MsgIcon::Warning, MsgButtons::Ok);
    return;
  }
  // Farther progress another copy of the game saved is this copy's too from now on.
  game_.stageReached = saved_.stageReached;
  game_.userReached = saved_.reserved1 - 1;
  game_.superReached = saved_.reserved2 - 1;
}

void Application::SaveAtSessionEnd() {
  if (ended_) return;
  if (formMain_ && formMain_->isVisible()) {
    formMain_->KeepProgress();
  } else {
    SavePlayInfo();
  }
}

void Application::SetMusic(bool on) {
  const bool wasOn = sound_.musicOn;
  sound_.musicOn = on;
  formTitle_->SetMusicChecked(on);
  if (formMain_) formMain_->SetMusicChecked(on);
  if (on == wasOn) return;
  if (on) {
    sound_.PlayMusic(game_.stageBgm);
  } else {
    sound_.StopMusic();
  }
}

void Application::SetEffects(bool on) {
  sound_.effectsOn = on;
  formTitle_->SetSoundChecked(on);
  if (formMain_) formMain_->SetSoundChecked(on);
}

void Application::ShowTitle() {
  formTitle_->FillStageList();
  game_.unitPlay = false;
  game_.stageBgm = kTitleMusic;
  sound_.PlayMusic(kTitleMusic);
  formTitle_->show();
  formTitle_->raise();
  formTitle_->activateWindow();
  formTitle_->StartBlink();
  QApplication::restoreOverrideCursor();
}

void Application::ChangeScreen(Screen screen) {
  MakeScreens();
  sound_.StopMusic();
  formTitle_->StopBlink();
  formTitle_->hide();
  switch (screen) {
    case Screen::StoryStart:
      game_.stageNo = game_.storyNo * 30 + 1;
      game_.mapFilePath = MapFile().toStdString();
      break;
    case Screen::Editor:
      game_.mapFilePath.clear();
      game_.stageNo = 0;
      formEdit_->EditStart();
      formEdit_->show();
      formEdit_->raise();
      formEdit_->activateWindow();
      return;
    case Screen::ChosenStage:
      game_.mapFilePath = MapFile().toStdString();
      break;
    case Screen::StageFile:
      game_.stageNo = 0;
      game_.unitPlay = true;
      break;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ready = formMain_->InitialTreat();
  QApplication::restoreOverrideCursor();
  if (!ready) return;  // the play screen has already said why and gone where it had to
  formMain_->show();
  formMain_->raise();
  formMain_->activateWindow();
}

void Application::StartEnding() {
  // The ending has its own window; the program ends from there. The advice window is modal,
  // so none is open here.
  constexpr int kEndingMusic = 13;
  if (!formEnding_) {
    formEnding_ = std::make_unique<FormEnding>(platform_);
    formEnding_->hooks.endProgram = [this] { EndProgram(); };
  }
  formMain_->hide();
  formEnding_->show();
  formEnding_->raise();
  formEnding_->activateWindow();
  // The last main stage counts as reached (a farther one kept from an older file stays), and
  // the ending opens the user and super stories.
  game_.stageReached = std::max(game_.stageReached, 30);
  OpenStories(game_);
  SavePlayInfo();
  game_.stageBgm = kEndingMusic;
  sound_.PlayMusic(kEndingMusic);  // whatever the music setting
  formEnding_->Start();
}

void Application::EndProgram() {
  ended_ = true;
  sound_.StopMusic();
  if (onEnd) onEnd();
}

void Application::ShowHelp(int topic) {
  if (!help_) help_ = std::make_unique<HelpWindow>(programDir_, messages_);
  help_->ShowTopic(topic);
}

void Application::ShowVersion() {
  messages_.Show(QCoreApplication::translate("Application", "モルビク -Morvik-    Ver. %1\n\nGame design, program, music and arts: the Morvik team\n"
                                "Copyright (C) 2026 the Morvik team")
                     .arg(QString::fromLatin1(AppVersion)),
                 QCoreApplication::translate("Application", "バージョン情報"), MsgIcon::Information, MsgButtons::Ok);
}

void Application::OpenHomePage() {
  // The game's home page is the welcome page of its help file, which every copy carries.
  constexpr int kWelcomeTopic = 0;
  ShowHelp(kWelcomeTopic);
}

}  // namespace morvik
