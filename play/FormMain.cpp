#include "play/FormMain.h"

#include <QCoreApplication>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "core/BoardOps.h"
#include "core/JumpRules.h"
#include "core/KeyCommands.h"
#include "core/Pictures.h"
#include "core/SoundEffects.h"
#include "core/Stories.h"
#include "play/FieldWidget.h"
#include "play/FieldPerformer.h"
#include "play/HintPanel.h"
#include "play/PressCounter.h"
#include "play/JumpMeter.h"
#include "play/StageLoader.h"
#include "play/StageOpening.h"
#include "platform/Fonts.h"

namespace morvik {

namespace {

constexpr int kFieldTop = 8, kFieldLeft = 8;
constexpr int kFieldPixels = FieldSize * CellPixels;
// Under the Next / Jump row: the back and answer buttons (stage files and test plays only),
// then the presses with the hint button, then the hint's answer in up to two lines.
constexpr int kRowTop = kFieldTop + kFieldPixels + 10;  // Next, Jump and the advice picture
constexpr int kButtonsTop = kRowTop + CellPixels + 4;
constexpr int kButtonsHeight = 30, kPressesHeight = 24, kHintHeight = 36;

struct OutcomeLook {
  const char* caption;
  QColor background, text;
};
const OutcomeLook kOutcomes[] = {
    {"GIVE UP!", QColor(255, 255, 192), QColor(0, 0, 128)},
    {"MISS !", QColor(255, 0, 0), QColor(255, 255, 255)},
    {"CLEAR !", QColor(0, 0, 128), QColor(255, 255, 255)},
    {"WARP !!!", QColor(0, 0, 0), QColor(255, 255, 255)},
};

const QColor kShortestGold(255, 200, 0);

}  // namespace

int VirtualKeyOf(const QKeyEvent& e) {
  const bool keypad = e.modifiers() & Qt::KeypadModifier;
  switch (e.key()) {
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Delete: return vk::Delete;
    case Qt::Key_X: return vk::X;
    case Qt::Key_Z: return vk::Z;
    case Qt::Key_Shift: return vk::Shift;
    case Qt::Key_4: return keypad ? vk::Pad4 : '4';
    case Qt::Key_8: return keypad ? vk::Pad8 : '8';
    case Qt::Key_6: return keypad ? vk::Pad6 : '6';
    case Qt::Key_2: return keypad ? vk::Pad2 : '2';
    default:
      if (e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z) return e.key();
      return e.key() < 0x100 ? e.key() : 1;
  }
}

int ModifiersOf(const QKeyEvent& e) {
  const Qt::KeyboardModifiers m = e.modifiers();
  // The window system reports the state before the press: a modifier key's own press counts too.
  return (m & Qt::ShiftModifier || e.key() == Qt::Key_Shift ? ModShift : 0) |
         (m & Qt::ControlModifier || e.key() == Qt::Key_Control ? ModCtrl : 0) |
         (m & Qt::AltModifier || e.key() == Qt::Key_Alt ? ModAlt : 0);
}

FormMain::FormMain(ModMain& game, Platform& platform, QWidget* parent)
    : QMainWindow(parent),
      game_(game),
      platform_(platform),
      image_(platform.pictures),
      player_(platform.scheduler, [this](const Effect& e, Script& x) { Perform(e, x); }) {
  setWindowTitle(QCoreApplication::translate("FormMain", "モルビク -Morvik-"));
  BuildMenus();
  BuildControls();  // the window is as large as the field and its controls, as the title's is
}

FormMain::~FormMain() {
  player_.Cancel();
}

void FormMain::BuildMenus() {
  QMenu* game = menuBar()->addMenu(QCoreApplication::translate("FormMain", "ゲーム(&G)"));
  QAction* giveUp = game->addAction(QCoreApplication::translate("FormMain", "ギブアップ"));
  // The Delete key belongs to the field's key handler, which also cancels the jump meter
  // with it (see event()); the shortcut is shown, and the menu item is for the mouse.
  giveUp->setShortcut(Qt::Key_Delete);
  giveUp->setShortcutContext(Qt::WindowShortcut);
  giveUp->setShortcutVisibleInContextMenu(true);
  connect(giveUp, &QAction::triggered, this, [this] {
    if (stageActive_ && !player_.Busy()) StageEnd(Outcome::GiveUp);
  });
  mnuUndo_ = game->addAction(QCoreApplication::translate("FormMain", "一手戻す"));
  mnuUndo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::Key_Backspace)});
  connect(mnuUndo_, &QAction::triggered, this, [this] { mnuUndo_Click(); });
  mnuRedo_ = game->addAction(QCoreApplication::translate("FormMain", "やり直し"));
  mnuRedo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
  connect(mnuRedo_, &QAction::triggered, this, [this] { mnuRedo_Click(); });
  game->addSeparator();
  // A command, as the "アンサー" button: it loads the answer file and starts the guide.
  mnuANS_ = game->addAction(QCoreApplication::translate("FormMain", "アンサーガイド"));
  mnuANS_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  mnuANS_->setEnabled(false);
  connect(mnuANS_, &QAction::triggered, this, [this] {
    if (game_.unitPlay && !game_.testPlay) ComAns_Click();
  });
  mnuToTitle_ = game->addAction(QCoreApplication::translate("FormMain", "タイトル画面へ(&T)"));
  mnuToTitle_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(mnuToTitle_, &QAction::triggered, this, [this] { mnuToTitle_Click(); });
  mnuEnd_ = game->addAction(QCoreApplication::translate("FormMain", "ゲーム終了(&X)"));
  mnuEnd_->setShortcut(Qt::Key_F12);
  connect(mnuEnd_, &QAction::triggered, this, [this] { mnuEnd_Click(); });

  QMenu* config = menuBar()->addMenu(QCoreApplication::translate("FormMain", "設定(&C)"));
  mnuBGM_ = config->addAction(QCoreApplication::translate("FormMain", "BGMあり"));
  mnuBGM_->setCheckable(true);
  mnuBGM_->setChecked(true);
  connect(mnuBGM_, &QAction::triggered, this, [this](bool on) {
    if (hooks.musicToggled) hooks.musicToggled(on);
  });
  mnuSound_ = config->addAction(QCoreApplication::translate("FormMain", "サウンドあり"));
  mnuSound_->setCheckable(true);
  mnuSound_->setChecked(true);
  connect(mnuSound_, &QAction::triggered, this, [this](bool on) {
    if (hooks.soundToggled) hooks.soundToggled(on);
  });

  QMenu* help = menuBar()->addMenu(QCoreApplication::translate("FormMain", "ヘルプ(&H)"));
  connect(help->addAction(QCoreApplication::translate("FormMain", "モルビク操作方法のヘルプ(&H)    F1")), &QAction::triggered, this, [this] {
    if (hooks.help) hooks.help(HelpTopic);
  });
  connect(help->addAction(QCoreApplication::translate("FormMain", "バージョン情報(&V)")), &QAction::triggered, this, [this] {
    if (hooks.version) hooks.version();
  });
  help->addSeparator();
  connect(help->addAction(QCoreApplication::translate("FormMain", "作者ホームページへ")), &QAction::triggered, this, [this] {
    if (hooks.homePage) hooks.homePage();
  });
}

void FormMain::SetMusicChecked(bool on) { mnuBGM_->setChecked(on); }
void FormMain::SetSoundChecked(bool on) { mnuSound_->setChecked(on); }
bool FormMain::MusicChecked() const { return mnuBGM_->isChecked(); }
bool FormMain::SoundChecked() const { return mnuSound_->isChecked(); }

void FormMain::BuildControls() {
  auto* central = new QWidget(this);
  field_ = new FieldWidget(image_, scene_, platform_.pictures, central);
  field_->move(kFieldLeft, kFieldTop);
  const int row = kRowTop;

  auto* nextCaption = new QLabel(QStringLiteral("Next"), central);
  nextCaption->move(kFieldLeft, row + 8);
  picNext_ = new QLabel(central);
  picNext_->setFixedSize(CellPixels, CellPixels);
  picNext_->move(kFieldLeft + 34, row);
  picNext_->installEventFilter(this);

  auto* jumpCaption = new QLabel(QStringLiteral("Jump"), central);
  jumpCaption->move(kFieldLeft + 80, row + 8);
  picMeter_ = new QLabel(central);
  picMeter_->setObjectName(QStringLiteral("PicMeter"));
  picMeter_->setFixedSize(JumpMeter::Width + 2, JumpMeter::Height + 2);
  picMeter_->setFrameStyle(QFrame::Box | QFrame::Plain);
  picMeter_->move(kFieldLeft + 114, row + 7);
  meter_ = std::make_unique<JumpMeter>(platform_.scheduler, platform_.sound, picMeter_,
                                       [this](int key, int mods) { Form_KeyDown(key, mods); });
  meter_->Reset();

  comTestEnd_ = new QPushButton(QCoreApplication::translate("FormMain", "戻る"), central);
  comTestEnd_->setObjectName(QStringLiteral("ComTestEnd"));
  comTestEnd_->setFocusPolicy(Qt::NoFocus);
  connect(comTestEnd_, &QPushButton::clicked, this, [this] { ComTestEnd_Click(); });
  comAns_ = new QPushButton(QCoreApplication::translate("FormMain", "アンサー"), central);
  comAns_->setObjectName(QStringLiteral("ComAns"));
  comAns_->setFocusPolicy(Qt::NoFocus);
  connect(comAns_, &QPushButton::clicked, this, [this] { ComAns_Click(); });
  picAdvice_ = new QLabel(central);
  picAdvice_->setFixedSize(CellPixels, CellPixels);
  picAdvice_->move(kFieldLeft + kFieldPixels - CellPixels, row);
  picAdvice_->setPixmap(QPixmap::fromImage(platform_.pictures.Named(QStringLiteral("advice"))));
  picAdvice_->setFocusPolicy(Qt::ClickFocus);
  picAdvice_->setCursor(Qt::PointingHandCursor);
  picAdvice_->installEventFilter(this);
  picMeter_->installEventFilter(this);
  comTestEnd_->hide();
  comAns_->hide();

  // The presses, the hint button under the advice picture and the hint's answer.
  hint_ = std::make_unique<HintPanel>(game_, central, scene_, guideRunner_, [this] { return LineOfAttempt(); },
                                      [this] { RepaintField(); });
  connect(hint_->Button(), &QPushButton::clicked, this, [this] { ComHint_Click(); });
  counter_ = std::make_unique<PressCounter>(game_, central, [this] { return history_.Presses(); },
                                            [this](const QString& text, bool overAHint) { hint_->Tell(text, overAHint); });
  setCentralWidget(central);
  LayOutAids(false);
  setFocusPolicy(Qt::StrongFocus);
}

// The rows under the field follow one another without a gap: the back and answer buttons
// take a row only where they are shown, and the window is as tall as its rows.
void FormMain::LayOutAids(bool withButtons) {
  aidsWithButtons_ = withButtons;
  comTestEnd_->setGeometry(kFieldLeft + 176, kButtonsTop, 70, 26);
  comAns_->setGeometry(kFieldLeft + 250, kButtonsTop, 70, 26);
  const int presses = withButtons ? kButtonsTop + kButtonsHeight : kButtonsTop;
  counter_->Label()->setGeometry(kFieldLeft, presses, 240, 22);
  hint_->Button()->setGeometry(kFieldLeft + 250, presses - 1, 70, 24);
  hint_->Label()->setGeometry(kFieldLeft, presses + kPressesHeight, kFieldPixels, kHintHeight - 2);
  centralWidget()->setFixedSize(kFieldLeft * 2 + kFieldPixels, presses + kPressesHeight + kHintHeight);
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  adjustSize();
  setFixedSize(sizeHint());
}

void FormMain::RepaintField() { field_->update(); }

std::vector<Board> FormMain::LineOfAttempt() const {
  std::vector<Board> line;
  for (std::size_t back = 0; const PlaySnapshot* s = history_.Back(back); ++back) line.push_back(s->board);
  return line;
}

void FormMain::ComHint_Click() {
  setFocus();
  if (hint_->Search().Busy()) {  // a second request takes the first back
    hint_->CancelSearch();
    return;
  }
  if (!keyPreview_ || !stageActive_ || player_.Busy() || meter_->Paused() || meter_->Running()) return;
  hint_->Ask();
}

QString FormMain::PressesText() const { return counter_->Text(); }
QString FormMain::HintText() const { return hint_->Text(); }

QImage FormMain::GrabField() const { return field_->Grab(); }
QImage FormMain::GrabFieldOnScreen() const { return field_->grab().toImage(); }

void FormMain::SetNextPicture(int picture) {
  nextPicture_ = picture;
  picNext_->setPixmap(QPixmap::fromImage(platform_.pictures.Elm(picture)));
}

bool FormMain::InitialTreat() {
  player_.Cancel();
  hint_->Stop();
  meter_->Reset();
  guideRunner_.Stop();
  scene_.guide.visible = false;
  for (int i = 0; i < StonePoolSize; ++i) scene_.stones[i] = {{}, pic::Stone, true, true};
  for (int i = 0; i < PXPoolSize; ++i) scene_.pxPieces[i] = {{}, pic::PX, true, true};
  for (int i = 0; i < FlowerPoolSize; ++i) {
    scene_.yellows[i] = {{}, pic::YellowFlower, true, true};
    scene_.reds[i] = {{}, pic::RedFlower, true, true};
  }
  stageActive_ = inputReady_ = false;
  outcome_.Cancel();
  // A test play's answer is the attempt that clears: every attempt records from its start.
  if (game_.testPlay) game_.ansData.clear();

  if (auto failure = LoadStageInto(game_, nextPicture_)) {
    keyPreview_ = false;
    platform_.messages.Show(failure->message, QCoreApplication::translate("FormMain", "エラー"), failure->notFound ? MsgIcon::None : MsgIcon::Error,
                            MsgButtons::Ok);
    // A stage-unit or test file that cannot be played sends the player back where it came
    // from; only the main map file is needed for the program to go on at all.
    if (game_.testPlay) {
      ComTestEnd_Click();
    } else if (game_.unitPlay) {
      ComTestEnd_Click();
    } else if (hooks.endProgram) {
      hooks.endProgram();
    }
    return false;
  }
  const StageId stage = game_.unitPlay ? StageId::OfFile(QString::fromStdString(game_.mapFilePath), game_.board)
                            : StageId::Shipped(game_.board);
  performer_.PaintTerrain(game_.board);
  performer_.PlaceCharas(game_.board);
  SetNextPicture(nextPicture_);
  scene_.message.visible = false;

  mnuToTitle_->setText(QCoreApplication::translate("FormMain", "タイトル画面に戻る(&B)"));
  const bool single = game_.unitPlay || game_.testPlay;
  if (single != aidsWithButtons_) LayOutAids(single);
  comTestEnd_->setVisible(single);
  comAns_->setVisible(game_.unitPlay);
  picAdvice_->setVisible(!single);
  if (game_.testPlay) mnuToTitle_->setText(QCoreApplication::translate("FormMain", "エディット画面に戻る(&B)"));
  if (!single) AdviceCheck();
  platform_.sound.PlayMusic(game_.stageBgm);
  StageOpen(stage);
  mnuANS_->setEnabled(game_.unitPlay && !game_.testPlay);
  return true;
}

void FormMain::StageOpen(const StageId& stage) {
  keyPreview_ = false;
  performer_.SetCharasVisible(game_.board, false);
  opening_.Start(StageOpening::CaptionOf(game_.stageNo), [this] { OpeningEnded(); });
  counter_->StageOpening(stage);
  field_->update();
}

void FormMain::OpeningEnded() {
  keyPreview_ = true;
  inputReady_ = true;
  performer_.SetCharasVisible(game_.board, true);
  scene_.hero.picture = pic::Standing(DirDown);
  game_.board.heroDir = DirDown;
  stageActive_ = true;
  StartHistory();
  field_->update();
}

bool FormMain::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete) {
    e->accept();  // taken as a key press, not as the menu's shortcut
    return true;
  }
  return QMainWindow::event(e);
}

void FormMain::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
    if (hooks.help) hooks.help(HelpTopic);
    return;
  }
  if (e->isAutoRepeat() && player_.Busy()) return;
  // Any key takes back a hint search still running; H does so by itself.
  if (hint_->Search().Busy() && e->key() != Qt::Key_H) hint_->CancelSearch();
  // The menu's shortcuts take these keys in the program; events sent straight to the window
  // (and keys the menu bar let through) arrive here.
  const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
  if ((e->key() == Qt::Key_Z && mods == Qt::ControlModifier) || (e->key() == Qt::Key_Backspace && mods == Qt::NoModifier)) {
    mnuUndo_Click();
    return;
  }
  if (e->key() == Qt::Key_Y && mods == Qt::ControlModifier) {
    mnuRedo_Click();
    return;
  }
  if (e->key() == Qt::Key_H && mods == Qt::NoModifier && keyPreview_ && !meter_->Running()) {
    ComHint_Click();
    return;
  }
  Form_KeyDown(VirtualKeyOf(*e), ModifiersOf(*e));
}

void FormMain::Form_KeyDown(int keyCode, int modifiers) {
  if (!keyPreview_ || !stageActive_) return;
  if (meter_->Paused()) {
    // The meter is showing a new level: the key is handled after that pause, not lost.
    meter_->HoldKey(keyCode, modifiers);
    return;
  }
  Board& b = game_.board;
  const Board before = b;
  Script s;
  if (meter_->Running()) {
    if (keyCode != vk::X || modifiers != 0) {
      platform_.sound.PlayEffect(sfx::Refused);
      meter_->Reset();
    } else if (meter_->Releasing()) {
      meter_->Reset();
    } else {
      ReleaseJump();
    }
    return;
  }
  const KeyCommand command = CommandForKey(keyCode, modifiers);
  switch (command.use) {
    case KeyCommand::Play: ApplyMove(b, s, command.move); break;
    case KeyCommand::Meter:
      if (StartMeterCommand(b, s)) meter_->Start();
      break;
    case KeyCommand::None: return;
  }
  pressChanged_ = !(b == before);
  if (pressChanged_) hint_->Stop();  // at once, not when the walk has been shown
  RunScript(s);
}

void FormMain::ReleaseJump() {
  meter_->Release();
  Script s;
  if (ReleaseJumpCommand(game_.board, s, meter_->Level()) == 0) {
    RunScript(s);
    meter_->Reset();
    return;
  }
  pressChanged_ = true;
  hint_->Stop();
  keyPreview_ = false;
  player_.Play(s, [this] {
    meter_->Reset();
    if (inputReady_) keyPreview_ = true;
    AfterPress();
    UndoAfterPress();
  });
}

void FormMain::RunScript(const Script& s) {
  if (s.Empty()) {
    AfterPress();
    return;
  }
  keyPreview_ = false;
  player_.Play(s, [this] {
    if (inputReady_) keyPreview_ = true;
    AfterPress();
    UndoAfterPress();
  });
}

void FormMain::Perform(const Effect& e, Script& expansion) {
  performer_.Perform(e, expansion);
  field_->update();
}

void FormMain::ScreenEffect(const Effect& e) {
  switch (e.kind) {
    case Fx::SetNext: SetNextPicture(e.a); break;
    case Fx::StageEnd: StageEnd(static_cast<Outcome>(e.a)); break;
    case Fx::AnswerMove:
      guideRunner_.MoveMade(e.c, e.a, e.b);
      if (game_.testPlay) AnswerAppend(e.a, e.b, e.c);
      break;
    case Fx::AnswerDig:
      if (game_.testPlay) {
        AnswerAppend(e.a, e.b, 1);
      } else {
        guideRunner_.MoveMade(1, e.a, e.b);
      }
      break;
    default: break;
  }
}

void FormMain::StageEnd(Outcome outcome) {
  if (outcome < Outcome::GiveUp || outcome > Outcome::Warp) return;
  player_.Cancel();
  undoQueued_ = false;
  meter_->Reset();  // a running meter stops with the attempt
  pressChanged_ = false;
  missed_ = outcome == Outcome::Miss;
  hint_->Stop();
  if (outcome == Outcome::Clear) {
    counter_->Cleared(history_.Presses() + 1);  // the clearing press ends the line
    history_.Close();
  }
  UpdateUndoMenu();
  visitor_.Stop();
  guideRunner_.Stop();
  scene_.guide.visible = false;
  stageActive_ = inputReady_ = false;
  keyPreview_ = false;
  platform_.sound.StopMusic();
  const OutcomeLook& look = kOutcomes[static_cast<int>(outcome)];
  scene_.message = {true, QString::fromLatin1(look.caption), look.text, look.background, true};
  // A clear in the fewest presses possible is announced in gold.
  if (outcome == Outcome::Clear && counter_->ClearedInShortest()) scene_.message.background = kShortestGold;
  if (outcome == Outcome::Clear) scene_.hero.picture = pic::Victory;
  field_->update();
  outcome_.Announce(outcome);
}

void FormMain::Restart() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  InitialTreat();
  scene_.message.visible = false;
  field_->update();
  QApplication::restoreOverrideCursor();
}

// Whatever the stage was doing stops: walks, jumps, the meter, the opening and an outcome.
void FormMain::StopVisitorAndGuide() {
  player_.Cancel();
  meter_->Reset();
  opening_.Cancel();
  outcome_.Cancel();
  missed_ = pressChanged_ = undoQueued_ = false;
  history_.Close();
  hint_->Stop();
  counter_->Search().Cancel();
  visitor_.Stop();
  guideRunner_.Stop();
  scene_.guide.visible = false;
  stageActive_ = inputReady_ = false;
  keyPreview_ = false;
}

void FormMain::KeepProgress() {
  if (isVisible()) outcome_.KeepProgress();
}

void FormMain::LeaveToTitle() {
  scene_.message.visible = false;
  hide();
  if (hooks.showTitle) hooks.showTitle();
}

void FormMain::ComTestEnd_Click() {
  StopVisitorAndGuide();
  platform_.sound.StopMusic();
  hide();
  comTestEnd_->hide();
  comAns_->hide();
  mnuEnd_->setVisible(true);
  mnuToTitle_->setVisible(true);
  if (game_.testPlay) {
    game_.testPlay = false;
    if (hooks.showEditor) hooks.showEditor();
    return;
  }
  game_.unitPlay = false;
  if (hooks.showTitle) hooks.showTitle();
}

void FormMain::mnuToTitle_Click() {
  if (game_.unitPlay || game_.testPlay) {
    ComTestEnd_Click();
    return;
  }
  outcome_.RaiseStageReached();
  StopVisitorAndGuide();
  platform_.sound.StopMusic();
  hide();
  if (hooks.showTitle) hooks.showTitle();
}

void FormMain::mnuEnd_Click() {
  if (!game_.unitPlay) outcome_.RaiseStageReached();
  StopVisitorAndGuide();
  if (hooks.endProgram) hooks.endProgram();
}

void FormMain::PicNext_MouseDown(Qt::MouseButton button, int shift) {
  if (button != Qt::LeftButton && shift == (ModShift | ModCtrl | ModAlt)) platform_.sound.PlayEffect(sfx::Slide);
}

bool FormMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picAdvice_ && event->type() == QEvent::MouseButtonPress) {
    PicAdvice_Click();
    return true;
  }
  if (watched == picAdvice_ && event->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(event);
    PicAdvice_KeyDown(VirtualKeyOf(*k), ModifiersOf(*k));
    return false;  // the key goes on to the field
  }
  if (watched == picMeter_ && event->type() == QEvent::MouseButtonDblClick) {
    PicMeter_DblClick();
    return true;
  }
  if (watched == picNext_ && event->type() == QEvent::MouseButtonPress) {
    const auto* m = static_cast<QMouseEvent*>(event);
    const Qt::KeyboardModifiers k = m->modifiers();
    PicNext_MouseDown(m->button(), (k & Qt::ShiftModifier ? ModShift : 0) | (k & Qt::ControlModifier ? ModCtrl : 0) |
                                       (k & Qt::AltModifier ? ModAlt : 0));
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void FormMain::closeEvent(QCloseEvent* e) {
  // Closing the play window leaves the stage as the menu does; it never ends the program.
  e->ignore();
  mnuToTitle_Click();
}

}  // namespace morvik
