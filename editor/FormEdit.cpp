#include "editor/FormEdit.h"

#include "editor/HoleCheck.h"

#include <algorithm>

#include <QCoreApplication>
#include <QAction>
#include <QApplication>

#include "platform/Fonts.h"
#include "platform/WindowPlacement.h"
#include "platform/FileDrops.h"
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QUrl>

#include "editor/DesignerBench.h"
#include "editor/EditStageReader.h"
#include "core/Pictures.h"
#include "editor/EditWidgets.h"
#include "platform/FileDialogs.h"
#include "platform/RegularFile.h"
#include "platform/SaveFile.h"
#include "platform/StageFileMessage.h"
#include "stagedata/StageReader.h"

namespace morvik {

namespace {

const QColor kGround(246, 241, 222), kInk(92, 62, 38);

// The client area: a warm paper ground.
class EditGround final : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), kGround);
  }
};

// A picture that reports a left click (the flowers beside the first-flower options).
class ClickablePicture final : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> clicked;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && clicked) clicked();
  }
};

// The names of the terrains the palette offers, as the help calls them.
QString TerrainName(int code) {
  switch (code) {
    case cell::HoleLight: return QCoreApplication::translate("FormEdit", "地面の穴");
    case cell::HoleGrass: return QCoreApplication::translate("FormEdit", "草地の穴");
    case cell::Light: return QCoreApplication::translate("FormEdit", "明るい地面（掘れる）");
    case cell::Sand: return QCoreApplication::translate("FormEdit", "砂地");
    case cell::Grass: return QCoreApplication::translate("FormEdit", "草地（掘れる）");
    case cell::WhirlLight: return QCoreApplication::translate("FormEdit", "渦（地面）");
    case cell::WhirlGrass: return QCoreApplication::translate("FormEdit", "渦（草地）");
    case cell::JumpPad: return QCoreApplication::translate("FormEdit", "ジャンプ台");
    case cell::Spikes: return QCoreApplication::translate("FormEdit", "トゲ");
    case cell::Mountain: return QCoreApplication::translate("FormEdit", "岩山");
    case cell::SnowMountainGrass: return QCoreApplication::translate("FormEdit", "雪山（草地）");
    case cell::Water: return QCoreApplication::translate("FormEdit", "水");
    case cell::DeepWater: return QCoreApplication::translate("FormEdit", "深い水");
    case cell::Trees: return QCoreApplication::translate("FormEdit", "林");
    case cell::Tree: return QCoreApplication::translate("FormEdit", "木");
    case cell::Cactus: return QCoreApplication::translate("FormEdit", "サボテン");
    case cell::GateClosed: return QCoreApplication::translate("FormEdit", "閉じた門");
    case cell::HoleSnow: return QCoreApplication::translate("FormEdit", "雪の穴");
    case cell::HoleSand: return QCoreApplication::translate("FormEdit", "砂の穴");
    case cell::Wood1:
    case cell::Wood2: return QCoreApplication::translate("FormEdit", "板の床");
    case cell::Snow: return QCoreApplication::translate("FormEdit", "雪原");
    case cell::Ice: return QCoreApplication::translate("FormEdit", "氷");
    case cell::WhirlSnow: return QCoreApplication::translate("FormEdit", "渦（雪）");
    case cell::WhirlSand: return QCoreApplication::translate("FormEdit", "渦（砂）");
    case cell::CrackedIce: return QCoreApplication::translate("FormEdit", "ひびの入った氷");
    case cell::SnowMountain: return QCoreApplication::translate("FormEdit", "雪山");
    case cell::Snowman: return QCoreApplication::translate("FormEdit", "雪だるま");
    case cell::House1:
    case cell::House2: return QCoreApplication::translate("FormEdit", "家");
    case cell::Stump: return QCoreApplication::translate("FormEdit", "切り株");
    default: return {};
  }
}

// The names of the character tools, in palette order.
const QString& CharaName(std::size_t i) {
  static const QString names[] = {QCoreApplication::translate("FormEdit", "主人公の初期位置"), QCoreApplication::translate("FormEdit", "黄色の花"), QCoreApplication::translate("FormEdit", "赤い花"),
                                  QCoreApplication::translate("FormEdit", "石"), QStringLiteral("PX"), QCoreApplication::translate("FormEdit", "消しゴム")};
  return names[i];
}

MouseButton ButtonOf(Qt::MouseButton b) {
  return b == Qt::LeftButton ? MouseButton::Left : b == Qt::RightButton ? MouseButton::Right : MouseButton::Other;
}

int ShiftOf(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? ShiftBit : 0) | (m & Qt::ControlModifier ? CtrlBit : 0) |
         (m & Qt::AltModifier ? AltBit : 0);
}

// Shows the busy pointer while it lives.
struct BusyPointer {
  BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { QApplication::restoreOverrideCursor(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace

FormEdit::FormEdit(ModMain& game, Platform& platform, FileDialogs& files, QWidget* parent)
    : QMainWindow(parent), game_(game), platform_(platform), files_(files) {
  hooks.beep = [] { QApplication::beep(); };
  setAcceptDrops(true);
  BuildMenus();
  BuildControls();
  adjustSize();
  setFixedSize(sizeHint());
  CentreOnScreen(*this);
  EditInitialize();
}

FormEdit::~FormEdit() = default;

void FormEdit::BuildMenus() {
  auto add = [this](QMenu* menu, const char* name, const QString& text, QKeySequence key, std::function<void()> act) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) {
      a->setShortcut(key);
      a->setShortcutContext(Qt::WindowShortcut);
    }
    if (act) connect(a, &QAction::triggered, this, [act] { act(); });
    return a;
  };
  QMenu* file = menuBar()->addMenu(QCoreApplication::translate("FormEdit", "ファイル(&F)"));
  file->setObjectName(QStringLiteral("mnuFile"));
  add(file, "mnuNew", QCoreApplication::translate("FormEdit", "新規(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N), [this] { ComNew_Click(); });
  add(file, "mnuLoad", QCoreApplication::translate("FormEdit", "ステージデータを開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O),
      [this] { ComLoad_Click(); });
  file->addSeparator();
  add(file, "mnuSave", QCoreApplication::translate("FormEdit", "上書き保存(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { ComSave_Click(); });
  add(file, "mnuSaveAs", QCoreApplication::translate("FormEdit", "名前を付けて保存(&W)..."), {}, [this] { mnuSaveAs_Click(); });
  file->addSeparator();
  add(file, "mnuEnd", QCoreApplication::translate("FormEdit", "ステージエディタの終了(&Q)"), QKeySequence(Qt::CTRL | Qt::Key_Q),
      [this] { ComEnd_Click(); });
  // Shown, but they cannot be chosen.
  add(file, "mnuMemory", QCoreApplication::translate("FormEdit", "記憶取出(&L)"), QKeySequence(Qt::CTRL | Qt::Key_L), {})->setEnabled(false);
  add(file, "mnuComment", QCoreApplication::translate("FormEdit", "コメントの設定(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C), {})->setEnabled(false);

  QMenu* edit = menuBar()->addMenu(QCoreApplication::translate("FormEdit", "編集(&E)"));
  edit->setObjectName(QStringLiteral("mnuEdit"));
  undo_ = add(edit, "mnuUndo", QCoreApplication::translate("FormEdit", "元に戻す(&U)"), QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { mnuUndo_Click(); });
  redo_ = add(edit, "mnuRedo", QCoreApplication::translate("FormEdit", "やり直し(&R)"), QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { mnuRedo_Click(); });

  QMenu* test = menuBar()->addMenu(QCoreApplication::translate("FormEdit", "テスト(&T)"));
  test->setObjectName(QStringLiteral("mnuTest"));
  add(test, "mnuConvert", QCoreApplication::translate("FormEdit", "テストプレイ(&T)"), QKeySequence(Qt::Key_F5), [this] { ComConvert_Click(); });
  test->addSeparator()->setEnabled(false);

  QMenu* help = menuBar()->addMenu(QCoreApplication::translate("FormEdit", "ヘルプ(&H)"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  // The key is part of the caption; F1 itself is a shortcut of the window.
  add(help, "mnuHelpingEdit", QCoreApplication::translate("FormEdit", "ステージエディタのヘルプ(&H)    F1"), {}, [this] {
    if (hooks.help) hooks.help(HelpTopic);
  });
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(f1, &QShortcut::activated, this, [this] {
    if (hooks.help) hooks.help(HelpTopic);
  });
}

void FormEdit::BuildControls() {
  auto* central = new EditGround(this);
  auto label = [](const QString& text, QWidget* parent, QRect at, int points = 9, bool bold = false) {
    auto* l = new QLabel(text, parent);
    l->setFont(CaptionFontOf(points, bold));
    l->setGeometry(at);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, kInk);
    l->setPalette(pal);
    return l;
  };
  auto group = [central](const QString& title, QRect at) {
    auto* g = new QGroupBox(title, central);
    g->setFont(CaptionFontOf(9, true));
    g->setGeometry(at);
    return g;
  };
  auto button = [](const QString& text, QWidget* parent, QRect at, const char* name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFont(CaptionFontOf(9));
    b->setGeometry(at);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
  };
  auto frame = [](QLabel* l) {
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    l->setAlignment(Qt::AlignCenter);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, kInk);
    l->setPalette(pal);
  };
  const PictureStore& pictures = platform_.pictures;
  constexpr int margin = 12, tile = PaletteTile::Size;

  // Left: the grid, the chosen terrain and character, and the mouse rules.
  picEdit_ = new EditGrid(model_, pictures, central);
  picEdit_->setObjectName(QStringLiteral("PicEdit"));
  picEdit_->move(margin, margin);
  picEdit_->pressed = [this](int cell, Qt::MouseButton b, Qt::KeyboardModifiers m) { PicEdit_MouseDown(cell, b, m); };
  const int left = margin, below = margin + picEdit_->height() + 10;
  label(QCoreApplication::translate("FormEdit", "地形"), central, QRect(left + 2, below + 10, 46, 16), 9, true);
  picLeft_ = new QLabel(central);
  picLeft_->setObjectName(QStringLiteral("PicLeft"));
  picLeft_->setGeometry(left + 50, below, 36, 36);
  frame(picLeft_);
  label(QCoreApplication::translate("FormEdit", "キャラクタ"), central, QRect(left + 98, below + 10, 62, 16), 9, true);
  picRight_ = new QLabel(central);
  picRight_->setObjectName(QStringLiteral("PicRight"));
  picRight_->setGeometry(left + 160, below, 36, 36);
  frame(picRight_);
  // Beside the chosen character: why a press on the grid placed nothing, since the bell
  // alone is silent on many desktops.
  labelRefusal_ = label(QString(), central, QRect(left + 204, below, picEdit_->width() - 204, 36), 9, true);
  labelRefusal_->setObjectName(QStringLiteral("LabelRefusal"));
  labelRefusal_->setWordWrap(true);
  QPalette warning = labelRefusal_->palette();
  warning.setColor(QPalette::WindowText, QColor(176, 32, 32));
  labelRefusal_->setPalette(warning);
  const int rulesTop = below + 46;
  label(QCoreApplication::translate("FormEdit", "左クリック ： 地形の配置"), central, QRect(left + 2, rulesTop, 322, 16));
  label(QCoreApplication::translate("FormEdit", "Shift + 左クリック ： 全てのマスを選択中の地形で埋める"), central, QRect(left + 2, rulesTop + 17, 322, 16));
  label(QCoreApplication::translate("FormEdit", "右クリック ： キャラクタの配置"), central, QRect(left + 2, rulesTop + 34, 322, 16));

  // Right: the terrain palette, laid out from the palette order string.
  const int right = left + picEdit_->width() + 14, columnWidth = 7 * tile + 20;
  QGroupBox* terrain = group(QCoreApplication::translate("FormEdit", "地形"), QRect(right, 6, columnWidth, 5 * tile + 30));
  for (const PaletteSlot& s : TerrainPalette()) {
    auto* t = new PaletteTile(s.code, pictures, terrain);
    t->setObjectName(QStringLiteral("PicElm%1").arg(s.code));
    t->move(10 + s.column * tile, 22 + s.row * tile);
    t->setToolTip(TerrainName(s.code));
    t->clicked = [this](int index) { PicElm_Click(index); };
    terrainTiles_.push_back(t);
  }

  // The character palette, each counted kind with its count beneath it.
  const int charaTop = terrain->geometry().bottom() + 7;
  QGroupBox* charas = group(QCoreApplication::translate("FormEdit", "キャラクタ"), QRect(right, charaTop, columnWidth, tile + 48));
  const int step = (columnWidth - 20 - tile) / 5;
  for (std::size_t i = 0; i < CharaPalette.size(); ++i) {
    const Piece p = CharaPalette[i];
    auto* t = new PaletteTile(static_cast<int>(p), pictures, charas);
    t->setObjectName(QStringLiteral("PicElm%1").arg(static_cast<int>(p)));
    const int x = 10 + static_cast<int>(i) * step;
    t->move(x, 20);
    t->setToolTip(CharaName(i));
    t->clicked = [this](int index) { PicElm_Click(index); };
    charaTiles_.push_back(t);
    static const std::array<const char*, 4> counters = {"LabelManyYF", "LabelManyRF", "LabelManyST", "LabelManyPX"};
    const int slot = p == Piece::Yellow ? 0 : p == Piece::Red ? 1 : p == Piece::Stone ? 2 : p == Piece::PX ? 3 : -1;
    if (slot < 0) continue;
    QLabel* count = label(QStringLiteral("0"), charas, QRect(x - 4, 20 + tile + 1, tile + 8, 16), 9, true);
    count->setObjectName(QString::fromLatin1(counters[slot]));
    count->setAlignment(Qt::AlignCenter);
    count->setToolTip(QCoreApplication::translate("FormEdit", "最大 %1 個").arg(PieceLimit(p)));
    countLabels_[slot] = count;
  }

  // The flower taken first, and the music number with its preview.
  const int settingsTop = charas->geometry().bottom() + 7, settingsHeight = 100;
  QGroupBox* first = group(QCoreApplication::translate("FormEdit", "最初にとる花"), QRect(right, settingsTop, 108, settingsHeight));
  const QString colours[2] = {QCoreApplication::translate("FormEdit", "黄色"), QCoreApplication::translate("FormEdit", "赤")};
  for (int i = 0; i < 2; ++i) {
    optFirst_[i] = new QRadioButton(colours[i], first);
    optFirst_[i]->setObjectName(QStringLiteral("OptFirst%1").arg(i));
    optFirst_[i]->setFont(CaptionFontOf(9));
    optFirst_[i]->setGeometry(10, 29 + 34 * i, 56, 22);
    connect(optFirst_[i], &QRadioButton::clicked, this, [this, i] { OptFirst_Click(i); });
    auto* sel = new ClickablePicture(first);
    sel->setObjectName(QStringLiteral("PicSel%1").arg(i));
    sel->setPixmap(QPixmap::fromImage(pictures.Elm(pic::NextFlower(i))));
    sel->setGeometry(66, 24 + 34 * i, 32, 32);
    sel->setCursor(Qt::PointingHandCursor);
    sel->clicked = [this, i] { PicSel_Click(i); };
  }
  optFirst_[0]->setChecked(true);

  QGroupBox* bgm = group(QStringLiteral("BGM"), QRect(right + 114, settingsTop, columnWidth - 114, settingsHeight));
  label(QCoreApplication::translate("FormEdit", "－"), bgm, QRect(8, 22, 14, 14));
  label(QCoreApplication::translate("FormEdit", "＋"), bgm, QRect(8, settingsHeight - 22, 14, 14));
  vscrBGM_ = new QScrollBar(Qt::Vertical, bgm);
  vscrBGM_->setObjectName(QStringLiteral("VScrBGM"));
  vscrBGM_->setRange(0, 6);
  vscrBGM_->setPageStep(1);
  vscrBGM_->setGeometry(24, 20, 17, settingsHeight - 28);
  connect(vscrBGM_, &QScrollBar::valueChanged, this, [this](int v) { VScrBGM_Change(v); });
  labelBGM_ = label(QStringLiteral("BGM No. 0"), bgm, QRect(50, 20, 84, 20), 10, true);
  labelBGM_->setObjectName(QStringLiteral("LabelBGM"));
  connect(button(QStringLiteral("PLAY"), bgm, QRect(50, 44, 72, 22), "ComBGMTest"), &QPushButton::clicked, this,
          [this] { ComBGMTest_Click(); });
  connect(button(QStringLiteral("STOP"), bgm, QRect(50, 70, 72, 22), "ComBGMTestStop"), &QPushButton::clicked, this,
          [this] { ComBGMTestStop_Click(); });

  // The designer's bench: the verdict on the drawing and what the solver knows of it.
  const int width = right + columnWidth + margin;
  const int benchTop = std::max(rulesTop + 50, settingsTop + settingsHeight) + 10;
  auto* benchRule = new QFrame(central);
  benchRule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  benchRule->setGeometry(margin, benchTop - 5, width - 2 * margin, 2);
  bench_ = new DesignerBench(platform_.scheduler, width - 2 * margin, central);
  bench_->setObjectName(QStringLiteral("DesignerBench"));
  bench_->move(margin, benchTop);
  bench_->showOnGrid = [this](const StageSheet* sheet) { picEdit_->ShowInstead(sheet); };
  bench_->markDecoys = [this](const std::vector<int>& cells) { picEdit_->MarkDecoys(cells); };

  // The commands along the bottom, the test play set apart.
  const int commandsTop = benchTop + bench_->height() + 12;
  auto* rule = new QFrame(central);
  rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  rule->setGeometry(margin, commandsTop - 7, width - 2 * margin, 2);
  connect(button(QCoreApplication::translate("FormEdit", "新規作成"), central, QRect(left, commandsTop, 86, 32), "ComNew"), &QPushButton::clicked,
          this, [this] { ComNew_Click(); });
  connect(button(QCoreApplication::translate("FormEdit", "開く..."), central, QRect(left + 92, commandsTop, 86, 32), "ComLoad"),
          &QPushButton::clicked, this, [this] { ComLoad_Click(); });
  connect(button(QCoreApplication::translate("FormEdit", "上書き保存"), central, QRect(left + 184, commandsTop, 86, 32), "ComSave"),
          &QPushButton::clicked, this, [this] { ComSave_Click(); });
  QPushButton* convert = button(QCoreApplication::translate("FormEdit", "テスト"), central, QRect(right, commandsTop, 150, 32), "ComConvert");
  convert->setIcon(QIcon(QPixmap::fromImage(pictures.Named(QStringLiteral("edit_test")))));
  convert->setIconSize(QSize(24, 24));
  convert->setFont(CaptionFontOf(10, true));
  convert->setToolTip(QCoreApplication::translate("FormEdit", "保存してテストプレイ (F5)"));
  connect(convert, &QPushButton::clicked, this, [this] { ComConvert_Click(); });
  connect(button(QCoreApplication::translate("FormEdit", "終了"), central, QRect(width - margin - 86, commandsTop, 86, 32), "ComEnd"),
          &QPushButton::clicked, this, [this] { ComEnd_Click(); });

  central->setFixedSize(width, commandsTop + 32 + margin);
  setCentralWidget(central);
}

QImage FormEdit::GrabGrid() const { return picEdit_->Render(); }

void FormEdit::Beep() {
  if (hooks.beep) hooks.beep();
}

void FormEdit::EditStart() { EditInitialize(); }

void FormEdit::EditInitialize() {
  model_.Initialize();
  labelRefusal_->clear();
  game_.testPlay = false;
  Renewal(false);
  ShowSelection();
  ShowCounts();
  picEdit_->update();
  StageEdited();
}

void FormEdit::StageEdited() {
  undo_->setEnabled(model_.CanUndo());
  redo_->setEnabled(model_.CanRedo());
  bench_->StageChanged(model_.Stage());
}

void FormEdit::mnuUndo_Click() {
  if (!model_.Undo()) return;
  ShowSettings();
  ShowCounts();
  Renewal(true);
  picEdit_->update();
  StageEdited();
}

void FormEdit::mnuRedo_Click() {
  if (!model_.Redo()) return;
  ShowSettings();
  ShowCounts();
  Renewal(true);
  picEdit_->update();
  StageEdited();
}

void FormEdit::Renewal(bool modified) {
  model_.Renewal(modified);
  setWindowTitle(QString::fromStdString(model_.Caption(game_.mapFilePath)));
}

void FormEdit::ShowCounts() {
  const Piece kinds[4] = {Piece::Yellow, Piece::Red, Piece::Stone, Piece::PX};
  for (int i = 0; i < 4; ++i) countLabels_[i]->setText(QString::number(model_.Count(kinds[i])));
}

void FormEdit::ShowSelection() {
  picLeft_->setPixmap(QPixmap::fromImage(platform_.pictures.Elm(model_.SelTerrain())));
  const int chara = static_cast<int>(model_.SelChara());
  picRight_->setPixmap(QPixmap::fromImage(model_.SelChara() == Piece::None ? EraserPicture() : platform_.pictures.Elm(chara)));
  for (PaletteTile* t : terrainTiles_) t->SetChosen(t->Index() == model_.SelTerrain());
  for (PaletteTile* t : charaTiles_) t->SetChosen(t->Index() == static_cast<int>(model_.SelChara()));
}

void FormEdit::ShowSettings() {
  syncing_ = true;
  optFirst_[model_.Stage().firstFlower == 0 ? 0 : 1]->setChecked(true);
  vscrBGM_->setValue(model_.Stage().music);
  labelBGM_->setText(QStringLiteral("BGM No. %1").arg(model_.Stage().music));
  syncing_ = false;
}

void FormEdit::PicElm_Click(int index) {
  model_.PaletteClick(index);
  ShowSelection();
}

void FormEdit::PicEdit_MouseDown(int cell, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  const MouseButton b = ButtonOf(button);
  const int shift = ShiftOf(modifiers);
  const StageSheet before = model_.Stage();
  EditModel::PressResult r;
  if (shift == ShiftBit && b == MouseButton::Left) {
    BusyPointer busy;
    r = model_.MouseDown(cell, b, shift);
    picEdit_->repaint();
  } else {
    r = model_.MouseDown(cell, b, shift);
  }
  Renewal(true);
  QString refusal;
  if (r.beep) {
    Beep();
    refusal = b == MouseButton::Right && shift == ShiftBit ? QCoreApplication::translate("FormEdit", "Shift + 右クリックでは置けません")
                                                           : RefusalAtLimit(model_.SelChara());
  }
  labelRefusal_->setText(refusal);
  ShowCounts();
  picEdit_->update();
  if (!(model_.Stage() == before)) StageEdited();
}

QString FormEdit::RefusalAtLimit(Piece p) {
  const auto at = std::find(CharaPalette.begin(), CharaPalette.end(), p);
  if (at == CharaPalette.end() || PieceLimit(p) == 0) return {};
  return QCoreApplication::translate("FormEdit", "%1は%2個までです").arg(CharaName(static_cast<std::size_t>(at - CharaPalette.begin()))).arg(PieceLimit(p));
}

void FormEdit::PicSel_Click(int index) {
  optFirst_[index]->setChecked(true);
  OptFirst_Click(index);
}

void FormEdit::OptFirst_Click(int index) {
  const StageSheet before = model_.Stage();
  model_.SetFirstFlower(index);
  Renewal(true);
  if (!(model_.Stage() == before)) StageEdited();
}

void FormEdit::VScrBGM_Change(int value) {
  labelBGM_->setText(QStringLiteral("BGM No. %1").arg(value));
  if (syncing_) return;
  const StageSheet before = model_.Stage();
  model_.SetMusic(value);
  Renewal(true);
  if (!(model_.Stage() == before)) StageEdited();
}

void FormEdit::ComBGMTest_Click() {
  platform_.sound.StopMusic();
  game_.stageBgm = vscrBGM_->value();
  platform_.sound.bgmTest = true;
  platform_.sound.PlayMusic(game_.stageBgm);
  platform_.sound.bgmTest = false;
}

void FormEdit::ComBGMTestStop_Click() { platform_.sound.StopMusic(); }

void FormEdit::ComNew_Click() {
  if (platform_.messages.Show(QCoreApplication::translate("FormEdit", "表示中のものを破棄し、新規に作成します。\nよろしいですか？"), QCoreApplication::translate("FormEdit", "新規"),
                              MsgIcon::Question, MsgButtons::YesNo) != MsgResult::Yes)
    return;
  BusyPointer busy;
  game_.mapFilePath.clear();
  EditInitialize();
}

bool FormEdit::AskToSave(const QString& question, const QString& title, bool& cancelled) {
  cancelled = false;
  if (!model_.Modified()) return true;
  switch (platform_.messages.Show(question, title, MsgIcon::Question, MsgButtons::YesNoCancel)) {
    case MsgResult::Yes:
      // A cancelled file name or a failed save keeps the player where the stage is.
      if (!ComSave_Click()) cancelled = true;
      return !cancelled;
    case MsgResult::No: return true;
    default: cancelled = true; return false;
  }
}

QString FormEdit::DialogFolder() const {
  if (game_.mapFilePath.empty()) return lastFolder_;
  return QFileInfo(QString::fromStdString(game_.mapFilePath)).absolutePath();
}

void FormEdit::RememberFolderOf(const QString& path) { lastFolder_ = QFileInfo(path).absolutePath(); }

void FormEdit::ComLoad_Click() {
  bool cancelled = false;
  AskToSave(QCoreApplication::translate("FormEdit", "更新があります。保存しますか？"), QCoreApplication::translate("FormEdit", "確認"), cancelled);
  if (cancelled) return;
  const QString path = files_.OpenFile(this, QString::fromUtf8(StageFileFilter), DialogFolder());
  if (path.isEmpty()) return;
  RememberFolderOf(path);
  game_.mapFilePath = path.toStdString();
  EditInitialize();
  LoadStageData(game_.stageNo);
}

void FormEdit::FilesDropped(const QStringList& paths) {
  if (paths.isEmpty()) return;
  RememberFolderOf(paths.front());
  game_.mapFilePath = paths.front().toStdString();
  EditInitialize();
  LoadStageData(game_.stageNo);
}

bool FormEdit::LoadStageData(int n) {
  const QString path = QString::fromStdString(game_.mapFilePath);
  auto fail = [this](const QString& text, const QString& title) {
    platform_.messages.Show(text, title, MsgIcon::Error, MsgButtons::Ok);
    game_.mapFilePath.clear();
    Renewal(false);
    return false;
  };
  RegularFile file;
  if (!file.Open(QFile::encodeName(path).toStdString(), StageFileMaxBytes))
    return fail(CannotOpenStageFile(path, QString::fromStdString(FileErrorText(file.Error()))), QCoreApplication::translate("FormEdit", "エラー"));
  // Only the lines up to the block's music line are read.
  const EditLoadResult result = ReadEditStage(NextLine([&file](std::string& line) { return file.ReadLine(line); }), n);
  if (file.ReadFailed())
    return fail(CannotOpenStageFile(path, QString::fromStdString(FileErrorText(file.Error()))), QCoreApplication::translate("FormEdit", "エラー"));
  if (const auto* e = std::get_if<EditLoadError>(&result)) {
    const EditLoadMessage m = LoadFailureMessage(*e, path.toStdString());
    return fail(QString::fromStdString(m.text), QString::fromStdString(m.title));
  }
  model_.Adopt(std::get<StageSheet>(result));
  ShowSettings();
  ShowCounts();
  Renewal(false);
  picEdit_->update();
  StageEdited();
  return true;
}

bool FormEdit::ComSave_Click() {
  if (game_.mapFilePath.empty()) return SaveUnderName();
  game_.testPlay = false;
  BusyPointer busy;
  return SaveStageData();
}

bool FormEdit::mnuSaveAs_Click() { return SaveUnderName(); }

bool FormEdit::SaveUnderName() {
  // The dialog starts from the file in use, or else in the folder last used.
  const QString suggested = game_.mapFilePath.empty() ? lastFolder_ : QString::fromStdString(game_.mapFilePath);
  const QString path = files_.SaveFile(this, QString::fromUtf8(StageFileFilter), suggested);
  if (path.isEmpty()) return false;
  RememberFolderOf(path);
  const std::string previous = game_.mapFilePath;
  game_.mapFilePath = path.toStdString();
  if (ComSave_Click()) return true;
  // The stage is not in the new file: it stays with the file it had.
  game_.mapFilePath = previous;
  Renewal(true);
  return false;
}

bool FormEdit::SaveStageData() {
  const QString path = QString::fromStdString(game_.mapFilePath);
  const std::string block = WriteStageBlock(model_.Stage(), game_.stageNo);
  // A failed save leaves the old file as it was.
  QString reason;
  if (!SaveWholeFile(path, block, &reason)) {
    Renewal(true);
    platform_.messages.Show(QCoreApplication::translate("FormEdit", "ステージデータを保存できませんでした。\nファイル: %1\n%2").arg(path, reason),
                            QCoreApplication::translate("FormEdit", "エラー"), MsgIcon::Error, MsgButtons::Ok);
    return false;
  }
  Renewal(false);
  if (bench_->SaveAnswerChosen()) SaveFoundAnswer(path);
  return true;
}

void FormEdit::SaveFoundAnswer(const QString& stagePath) {
  const auto records = bench_->AnswerToSave();
  if (!records) {
    labelRefusal_->setText(QCoreApplication::translate("FormEdit", "最短手順がまだ見つかっていないので、解答ファイルは保存していません"));
    return;
  }
  const QString path = QString::fromStdString(AnswerPathFor(stagePath.toStdString()));
  QString reason;
  if (!SaveWholeFile(path, AnswerFileText(*records), &reason))
    platform_.messages.Show(QCoreApplication::translate("FormEdit", "アンサーファイルが書きこめませんでした。\nファイル: %1\n%2").arg(path, reason),
                            QCoreApplication::translate("FormEdit", "エラー"), MsgIcon::Error, MsgButtons::Ok);
}

void FormEdit::ComConvert_Click() {
  if (model_.HeroPos() >= CellCount) {
    platform_.messages.Show(QCoreApplication::translate("FormEdit", "主人公の初期位置は必ず指定してください。"), QCoreApplication::translate("FormEdit", "エラー"), MsgIcon::Warning,
                            MsgButtons::Ok);
    return;
  }
  // The play screen would refuse the saved file: say so here, in the editor's terms.
  const std::string onHole = CharaOnHoleMessage(model_.Stage());
  if (!onHole.empty()) {
    platform_.messages.Show(QString::fromStdString(onHole), QCoreApplication::translate("FormEdit", "エラー"), MsgIcon::Warning, MsgButtons::Ok);
    return;
  }
  if (!ComSave_Click()) return;  // no file name, or the file could not be written
  game_.testPlay = true;
  platform_.sound.StopMusic();
  game_.ansData.clear();
  // The play screen reads block 0 of the saved file; if it cannot, it has told the player
  // and the editor stays.
  if (!hooks.startTestPlay || !hooks.startTestPlay()) return;
  hide();
  if (hooks.showTestPlay) hooks.showTestPlay();
}

void FormEdit::ComEnd_Click() {
  bool cancelled = false;
  AskToSave(QCoreApplication::translate("FormEdit", "更新があります。保存して終了しますか？"), QCoreApplication::translate("FormEdit", "面エディタ終了"), cancelled);
  if (cancelled) return;
  game_.testPlay = false;
  platform_.sound.StopMusic();
  hide();
  if (hooks.showTitle) hooks.showTitle();
}

void FormEdit::closeEvent(QCloseEvent* e) {
  // The window is never destroyed: its stage stays until the editor is entered again.
  e->ignore();
  ComEnd_Click();
}

void FormEdit::dragEnterEvent(QDragEnterEvent* e) { AcceptFileDrag(e); }

void FormEdit::dropEvent(QDropEvent* e) {
  const QStringList paths = TakeFileDrop(e);
  if (!paths.isEmpty()) FilesDropped(paths);
}

}  // namespace morvik
