#include "shell/FormTitle.h"

#include <QCoreApplication>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QUrl>
#include <cmath>
#include <utility>

#include "core/SoundEffects.h"
#include "core/Stories.h"
#include "platform/FileDrops.h"
#include "platform/Fonts.h"
#include "platform/WindowPlacement.h"
#include "platform/FileDialogs.h"

namespace morvik {

namespace {

constexpr int kClientWidth = 315, kClientHeight = 221;
constexpr QSize kPortraitSize(144, 192);
constexpr QSize kEyeSize(64, 25);
constexpr QPoint kEyeAt(30, 40);
constexpr int kFirstBlinkMs = 4000;
constexpr int kClosedMs = 200;
constexpr int kEffectUnlock = sfx::Chime, kEffectBlink = sfx::Blink;
// The hidden unlock: this many right-button presses on the portrait with Ctrl and Shift held.
constexpr Qt::MouseButton kUnlockButton = Qt::RightButton;
const Qt::KeyboardModifiers kUnlockModifiers = Qt::ControlModifier | Qt::ShiftModifier;
constexpr int kUnlockPresses = 5;
const QColor kSkyTop(206, 232, 250), kMeadow(246, 241, 214), kFrame(110, 74, 46);


// An opaque copy of a picture in a buffer of the given size, on the given ground, so that
// the raster operations work on plain RGB values.
QImage OpaqueBuffer(const QImage& picture, QSize size, QColor ground) {
  QImage img(size, QImage::Format_RGB32);
  img.fill(ground);
  QPainter p(&img);
  p.drawImage(0, 0, picture);
  return img;
}

// The client area: a sky fading into a meadow. It is painted first whenever the window is,
// so it is what tells that the title has appeared.
class TitleGround final : public QWidget {
 public:
  using QWidget::QWidget;
  std::function<void()> firstPainted;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (firstPainted) std::exchange(firstPainted, nullptr)();
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0.0, kSkyTop);
    g.setColorAt(0.55, kMeadow);
    g.setColorAt(1.0, QColor(222, 236, 196));
    p.fillRect(rect(), g);
  }
};

}  // namespace

int RoundHalfEven(double v) {
  const double lower = std::floor(v);
  const double frac = v - lower;
  double r = lower;
  if (frac > 0.5 || (frac == 0.5 && std::fmod(lower, 2.0) != 0.0)) r = lower + 1;
  return static_cast<int>(r);
}

int StageOfItem(const QString& item, int storyNo) {
  // The list's numbers are read as decimal numbers; letters and anything else name no stage.
  const QString star = QString::fromUtf16(ShortestStar);
  const QString number = item.endsWith(star) ? item.chopped(star.size()) : item;
  int value = 0;
  for (QChar c : number) {
    if (!c.isDigit() || value > 100000) return 0;
    value = value * 10 + c.digitValue();
  }
  if (value < 1 || value > StoryLength(storyNo)) return 0;
  return value + 30 * storyNo;
}

// The portrait: the title's picture with its frame. It takes dropped files and reports mouse
// presses for the hidden unlock.
class FormTitle::PortraitBox final : public QWidget {
 public:
  PortraitBox(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {
    setAcceptDrops(true);
  }
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers)> pressed;
  std::function<void(const QStringList&)> dropped;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(kFrame);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawImage(1, 1, image_);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (pressed) pressed(e->button(), e->modifiers());
  }
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (!DroppedLocalFiles(e->mimeData()).isEmpty()) e->acceptProposedAction();
  }
  void dropEvent(QDropEvent* e) override {
    const QStringList paths = DroppedLocalFiles(e->mimeData());
    if (paths.isEmpty()) return;
    e->acceptProposedAction();
    if (dropped) dropped(paths);
  }

 private:
  const QImage& image_;
};

FormTitle::FormTitle(ModMain& game, Platform& platform, FileDialogs& files, std::function<double()> random,
                     QWidget* parent)
    : QMainWindow(parent), game_(game), platform_(platform), files_(files), random_(std::move(random)) {
  if (!random_) random_ = [] { return QRandomGenerator::global()->generateDouble(); };
  const QImage& picture = platform_.pictures.Named(QStringLiteral("title_portrait"));
  portrait_ = OpaqueBuffer(picture, kPortraitSize, Qt::white);
  // The eye pictures stand on the same ground as the portrait, so that erasing one where it
  // is shown leaves black.
  eyes_[0] = OpaqueBuffer(platform_.pictures.Named(QStringLiteral("eye_open")), kEyeSize, Qt::white);
  eyes_[1] = OpaqueBuffer(platform_.pictures.Named(QStringLiteral("eye_closed")), kEyeSize, Qt::white);

  setWindowTitle(QCoreApplication::translate("FormTitle", "モルビク -Morvik-") + QLatin1Char(' ') + QString::fromLatin1(AppVersion));
  setAcceptDrops(true);
  BuildMenus();
  BuildControls();
  adjustSize();
  setFixedSize(sizeHint());
  CentreOnScreen(*this);
}

FormTitle::~FormTitle() { platform_.scheduler.Cancel(blinkTimer_); }

void FormTitle::BuildMenus() {
  auto add = [this](QMenu* menu, const char* name, const QString& text, QKeySequence key,
                    std::function<void()> act) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) {
      a->setShortcut(key);
      a->setShortcutContext(Qt::WindowShortcut);
    }
    if (act) connect(a, &QAction::triggered, this, [act] { act(); });
    return a;
  };
  auto call = [](const std::function<void()>& hook) {
    return [&hook] {
      if (hook) hook();
    };
  };

  QMenu* game = menuBar()->addMenu(QCoreApplication::translate("FormTitle", "ゲーム(&G)"));
  game->setObjectName(QStringLiteral("mnuGame"));
  add(game, "mnuStart", QCoreApplication::translate("FormTitle", "最初からスタート(&S)"), QKeySequence(Qt::CTRL | Qt::Key_N), call(hooks.startStory));
  add(game, "mnuContinue", QCoreApplication::translate("FormTitle", "続きの面からスタート(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C),
      [this] { ComCont_Click(); });
  game->addSeparator();
  add(game, "mnuEdit", QCoreApplication::translate("FormTitle", "ステージエディタ(&E)"), QKeySequence(Qt::Key_F5), call(hooks.openEditor));
  game->addSeparator();
  add(game, "mnuOpenMVK", QCoreApplication::translate("FormTitle", "ステージデータを開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O),
      [this] { mnuOpenMVK_Click(); });
  game->addSeparator();
  add(game, "mnuDelPlayData", QCoreApplication::translate("FormTitle", "プレイデータ消去"), {}, call(hooks.resetProgress));
  game->addSeparator();
  add(game, "mnuEnd", QCoreApplication::translate("FormTitle", "終了(&X)"), QKeySequence(Qt::CTRL | Qt::Key_Q), call(hooks.quit));

  QMenu* config = menuBar()->addMenu(QCoreApplication::translate("FormTitle", "設定(&C)"));
  config->setObjectName(QStringLiteral("mnuConfig"));
  mnuBGM_ = add(config, "mnuBGM", QCoreApplication::translate("FormTitle", "BGMあり"), {}, {});
  mnuSound_ = add(config, "mnuSound", QCoreApplication::translate("FormTitle", "サウンドあり"), {}, {});
  for (QAction* a : {mnuBGM_, mnuSound_}) {
    a->setCheckable(true);
    a->setChecked(true);
  }
  // Only the player's clicks reach the hooks; the shell sets the marks without them.
  connect(mnuBGM_, &QAction::triggered, this, [this](bool on) {
    if (hooks.musicToggled) hooks.musicToggled(on);
  });
  connect(mnuSound_, &QAction::triggered, this, [this](bool on) {
    if (hooks.soundToggled) hooks.soundToggled(on);
  });

  QMenu* help = menuBar()->addMenu(QCoreApplication::translate("FormTitle", "ヘルプ(&H)"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  // F1 anywhere in the window opens the help at the title's topic, through this item.
  add(help, "mnuHelpIndex", QCoreApplication::translate("FormTitle", "モルビクのヘルプ(&H)"), QKeySequence(Qt::Key_F1), [this] {
    if (hooks.help) hooks.help(HelpTopicTitle);
  });
  add(help, "mnuVer", QCoreApplication::translate("FormTitle", "バージョン情報(&V)"), {}, call(hooks.version));
  help->addSeparator();
  add(help, "mnuGoHP_title", QCoreApplication::translate("FormTitle", "作者ホームぺージへ"), {}, call(hooks.homePage));
}

void FormTitle::BuildControls() {
  auto* central = new TitleGround(this);
  central->setFixedSize(kClientWidth, kClientHeight);
  // Told after the paint has reached the screen, not inside it.
  central->firstPainted = [this] {
    platform_.scheduler.After(0, [this] {
      if (hooks.firstPainted) hooks.firstPainted();
    });
  };

  picMorvikTitle_ = new PortraitBox(portrait_, central);
  picMorvikTitle_->setObjectName(QStringLiteral("PicMorvikTitle"));
  picMorvikTitle_->setGeometry(24, 20, 146, 194);
  picMorvikTitle_->pressed = [this](Qt::MouseButton b, Qt::KeyboardModifiers m) { PicMorvikTitle_MouseDown(b, m); };
  picMorvikTitle_->dropped = [this](const QStringList& paths) { FilesDropped(paths); };

  label1_ = new QLabel(QStringLiteral("STAGE"), central);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setFont(CaptionFontOf(12, true));
  label1_->setGeometry(192, 36, 65, 17);
  QPalette labelColours = label1_->palette();
  labelColours.setColor(QPalette::WindowText, kFrame);
  label1_->setPalette(labelColours);

  comboStg_ = new QComboBox(central);  // a drop-down list: not editable
  // About ten items with a scroll bar: styles that drop a list down as a menu ignore the
  // count and grow it to the screen's height, so the list form is asked for. It is asked
  // first: a new font already builds the drop-down in the style's form.
  comboStg_->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  comboStg_->setObjectName(QStringLiteral("ComboStg"));
  comboStg_->setFont(CaptionFontOf(10));
  comboStg_->setGeometry(216, 64, 73, 22);
  comboStg_->setMaxVisibleItems(10);

  comCont_ = new QPushButton(QStringLiteral("Start !"), central);
  comCont_->setObjectName(QStringLiteral("ComCont"));
  comCont_->setFont(CaptionFontOf(11, true));
  comCont_->setGeometry(200, 120, 89, 33);
  // Enter starts from the list; on another button Enter presses that button, as on a dialog.
  comCont_->setDefault(true);
  connect(comCont_, &QPushButton::clicked, this, [this] { ComCont_Click(); });

  auto* comHelp = new QPushButton(QStringLiteral("How to Play"), central);
  comHelp->setObjectName(QStringLiteral("ComHelp"));
  comHelp->setFont(CaptionFontOf(9));
  comHelp->setGeometry(200, 160, 89, 25);
  connect(comHelp, &QPushButton::clicked, this, [this] {
    if (hooks.help) hooks.help(HelpTopicHowToPlay);
  });

  auto* comEdit = new QPushButton(QStringLiteral("Edit Mode"), central);
  comEdit->setObjectName(QStringLiteral("ComEdit"));
  comEdit->setFont(CaptionFontOf(9));
  comEdit->setGeometry(200, 187, 89, 25);
  connect(comEdit, &QPushButton::clicked, this, [this] {
    if (hooks.openEditor) hooks.openEditor();
  });
  for (QPushButton* b : {comCont_, comHelp, comEdit}) b->setAutoDefault(true);

  // The story list shows above the stage list once the main story's ending has opened the
  // other stories (FillStageList); until then it is hidden and mirrors game.storyNo.
  label2_ = new QLabel(QStringLiteral("STORY"), central);
  label2_->setObjectName(QStringLiteral("Label2"));
  label2_->setFont(CaptionFontOf(12, true));
  label2_->setPalette(labelColours);
  label2_->setGeometry(192, 8, 65, 17);
  label2_->hide();
  comboStory_ = new QComboBox(central);
  comboStory_->setObjectName(QStringLiteral("ComboStory"));
  comboStory_->setFont(CaptionFontOf(9));
  comboStory_->setGeometry(200, 28, 89, 22);
  comboStory_->addItems({QCoreApplication::translate("FormTitle", "メイン 30"), QCoreApplication::translate("FormTitle", "ユーザ 13"), QCoreApplication::translate("FormTitle", "スーパー 21")});
  comboStory_->hide();
  // Only the player's choice switches the story; FillStageList sets the index itself.
  connect(comboStory_, &QComboBox::activated, this, [this](int index) {
    if (index < 0) return;
    game_.storyNo = index;
    FillStages();
  });

  // The keyboard goes from the story to its stages and on to "Start !".
  setTabOrder(comboStory_, comboStg_);
  setTabOrder(comboStg_, comCont_);
  setCentralWidget(central);
  comboStg_->setFocus();
}

void FormTitle::FillStageList() {
  // A story number the list does not offer would start stages that do not exist: take the
  // main story then.
  const int story = game_.storyNo >= 0 && game_.storyNo < comboStory_->count() ? game_.storyNo : 0;
  comboStory_->setCurrentIndex(story);
  game_.storyNo = story;
  if (game_.stageReached <= 0) game_.stageReached = 1;

  // The story list is shown once the other stories are open, and also when the play
  // information names another story already, so that the player sees which story the stages
  // belong to. The stage list then moves down under it.
  const bool stories = StoriesOpen(game_) || story != 0;
  label2_->setVisible(stories);
  comboStory_->setVisible(stories);
  label1_->move(192, stories ? 56 : 36);
  comboStg_->move(216, stories ? 78 : 64);
  FillStages();
}

void FormTitle::FillStages() {
  // Each story offers its own stages, numbered within the story, up to its farthest reached.
  comboStg_->clear();
  shortestClears_ = hooks.shortestClears ? hooks.shortestClears() : std::set<int>{};
  const int offered = StagesOffered(game_, game_.storyNo);
  for (int i = 1; i <= offered; ++i) comboStg_->addItem(StageItemText(i));
  comboStg_->setCurrentIndex(comboStg_->count() - 1);
}

QString FormTitle::StageItemText(int item) const {
  const QString number = QString::number(item);
  return shortestClears_.count(item + 30 * game_.storyNo) ? number + QString::fromUtf16(ShortestStar) : number;
}

bool FormTitle::StoryListShown() const { return !comboStory_->isHidden(); }

QStringList FormTitle::StageItems() const {
  QStringList items;
  for (int i = 0; i < comboStg_->count(); ++i) items << comboStg_->itemText(i);
  return items;
}

QString FormTitle::SelectedStage() const { return comboStg_->currentText(); }
int FormTitle::StoryIndex() const { return comboStory_->currentIndex(); }

void FormTitle::SetMusicChecked(bool on) { mnuBGM_->setChecked(on); }
void FormTitle::SetSoundChecked(bool on) { mnuSound_->setChecked(on); }
bool FormTitle::MusicChecked() const { return mnuBGM_->isChecked(); }
bool FormTitle::SoundChecked() const { return mnuSound_->isChecked(); }

void FormTitle::ComCont_Click() {
  const int stage = StageOfItem(comboStg_->currentText(), game_.storyNo);
  if (stage == 0) return;  // no stage of this story: nothing to start
  game_.stageNo = stage;
  if (hooks.startStage) hooks.startStage();
}

void FormTitle::mnuOpenMVK_Click() {
  const QString path = files_.OpenFile(this, QString::fromUtf8(StageFileFilter), QString());
  if (path.isEmpty()) return;  // cancelled: nothing changes
  if (hooks.openUnitFile) hooks.openUnitFile(path);
}

void FormTitle::FilesDropped(const QStringList& paths) {
  if (!paths.isEmpty() && hooks.openUnitFile) hooks.openUnitFile(paths.front());
}

void FormTitle::PicMorvikTitle_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  if (button != kUnlockButton || modifiers != kUnlockModifiers) return;
  if (++unlockClicks_ < kUnlockPresses) return;
  platform_.sound.PlayEffect(kEffectUnlock);
  unlockClicks_ = 0;
  // The main story's stages grow to 30; the selection stays where the player left it.
  if (game_.storyNo == 0)
    for (int i = std::max(game_.stageReached, 1) + 1; i <= 30; ++i) comboStg_->addItem(StageItemText(i));
  game_.stageReached = 30;
  if (hooks.unlocked) hooks.unlocked();
}

void FormTitle::StartBlink() {
  if (blinkTimer_) return;
  blinkTimer_ = platform_.scheduler.After(blinkInterval_, [this] { TimerAnime_Timer(); });
}

void FormTitle::StopBlink() {
  platform_.scheduler.Cancel(blinkTimer_);
  blinkTimer_ = 0;
}

void FormTitle::TimerAnime_Timer() {
  blinkTimer_ = 0;
  eyeState_ = 1 - eyeState_;
  DrawEyes();
  if (eyeState_ == 1) platform_.sound.PlayEffect(kEffectBlink);
  blinkInterval_ = eyeState_ == 1 ? kClosedMs : 700 + RoundHalfEven(random_() * 4000);
  blinkTimer_ = platform_.scheduler.After(blinkInterval_, [this] { TimerAnime_Timer(); });
}

void FormTitle::DrawEyes() {
  // Erase the eyes shown (black where they match), then paint the others into the gap.
  QPainter p(&portrait_);
  p.setCompositionMode(QPainter::RasterOp_SourceAndNotDestination);
  p.drawImage(kEyeAt, eyes_[1 - eyeState_]);
  p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
  p.drawImage(kEyeAt, eyes_[eyeState_]);
  p.end();
  picMorvikTitle_->update();
}

void FormTitle::keyPressEvent(QKeyEvent* e) {
  // Keys no control took: Enter starts the chosen stage, as "Start !" is the default button.
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    comCont_->click();
    return;
  }
  QMainWindow::keyPressEvent(e);
}

void FormTitle::closeEvent(QCloseEvent* e) {
  e->accept();
  if (hooks.quit) hooks.quit();
}

void FormTitle::dragEnterEvent(QDragEnterEvent* e) { AcceptFileDrag(e); }

void FormTitle::dropEvent(QDropEvent* e) {
  const QStringList paths = TakeFileDrop(e);
  if (!paths.isEmpty()) FilesDropped(paths);
}

}  // namespace morvik
