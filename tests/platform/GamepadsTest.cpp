// Game controllers on SDL's virtual joystick, no hardware: plugging in and out, each button
// and the stick as the keyboard key it stands for, a held direction repeating like a held key,
// and the presses reaching a window's menu shortcut or its focused control.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <SDL.h>

#include "platform/Gamepads.h"

namespace morvik {
namespace {

struct Key {
  int key;
  bool shift, repeat;
  bool operator==(const Key&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Key& k) {
  return o << "key " << std::hex << k.key << std::dec << (k.shift ? "+shift" : "") << (k.repeat ? " (repeat)" : "");
}

class VirtualPad {
 public:
  VirtualPad() {
    SDL_VirtualJoystickDesc d{};
    d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    d.naxes = SDL_CONTROLLER_AXIS_MAX;
    d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    d.name = "test pad";
    index_ = SDL_JoystickAttachVirtualEx(&d);
    if (index_ >= 0) joystick_ = SDL_JoystickOpen(index_);
  }
  ~VirtualPad() { Unplug(); }
  bool Ok() const { return joystick_ != nullptr; }
  void Button(int b, bool down) { SDL_JoystickSetVirtualButton(joystick_, b, down ? 1 : 0); }
  void Axis(int a, int v) { SDL_JoystickSetVirtualAxis(joystick_, a, static_cast<Sint16>(v)); }
  void Unplug() {
    if (!joystick_) return;
    SDL_JoystickClose(joystick_);
    SDL_JoystickDetachVirtual(index_);
    joystick_ = nullptr;
  }

 private:
  int index_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

struct Rig {
  Rig() {
    pads.deliver = [this](int key, Qt::KeyboardModifiers m, bool repeat) {
      keys.push_back({key, m.testFlag(Qt::ShiftModifier), repeat});
    };
  }
  Gamepads pads;
  std::vector<Key> keys;
};

TEST(Gamepads, PluggingInAndOutChangesHowOftenTheyAreLookedAt) {
  Rig rig;
  ASSERT_TRUE(rig.pads.Available());
  rig.pads.Poll(0);
  EXPECT_EQ(rig.pads.Attached(), 0);
  EXPECT_EQ(rig.pads.PollInterval(), Gamepads::kIdlePollMs);
  auto pad = std::make_unique<VirtualPad>();
  ASSERT_TRUE(pad->Ok()) << SDL_GetError();
  rig.pads.Poll(10);
  EXPECT_EQ(rig.pads.Attached(), 1);
  EXPECT_EQ(rig.pads.PollInterval(), Gamepads::kPollMs);
  // Pulled out while the d-pad is held: nothing stays down, and a new pad works the same.
  pad->Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  rig.pads.Poll(20);
  pad->Unplug();
  rig.pads.Poll(30);
  EXPECT_EQ(rig.pads.Attached(), 0);
  EXPECT_EQ(rig.pads.PollInterval(), Gamepads::kIdlePollMs);
  rig.pads.Poll(2000);
  EXPECT_EQ(rig.keys, (std::vector<Key>{{Qt::Key_Up, false, false}})) << "no repeat after the pad is gone";
  pad = std::make_unique<VirtualPad>();
  rig.pads.Poll(2010);
  pad->Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  rig.pads.Poll(2020);
  EXPECT_EQ(rig.keys.size(), 2u);
}

TEST(Gamepads, ButtonsAndTheStickAreTheKeyboardsKeys) {
  Rig rig;
  VirtualPad pad;
  ASSERT_TRUE(pad.Ok()) << SDL_GetError();
  rig.pads.Poll(0);
  struct Row { int button; Key key; } rows[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {Qt::Key_Left, false, false}},
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {Qt::Key_Right, false, false}},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, {Qt::Key_Up, false, false}},
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, {Qt::Key_Down, false, false}},
      {SDL_CONTROLLER_BUTTON_A, {Qt::Key_X, false, false}},
      {SDL_CONTROLLER_BUTTON_B, {Qt::Key_Z, false, false}},
      {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, {Qt::Key_Shift, true, false}},
      {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, {Qt::Key_Shift, true, false}},
      {SDL_CONTROLLER_BUTTON_START, {Qt::Key_Return, false, false}},
      {SDL_CONTROLLER_BUTTON_BACK, {Qt::Key_Delete, false, false}},
      {SDL_CONTROLLER_BUTTON_Y, {0, false, false}},  // not used: nothing
  };
  qint64 t = 0;
  for (const Row& r : rows) {
    rig.keys.clear();
    pad.Button(r.button, true);
    rig.pads.Poll(t += 10);
    pad.Button(r.button, false);
    rig.pads.Poll(t += 10);
    EXPECT_EQ(rig.keys, r.key.key ? std::vector<Key>{r.key} : std::vector<Key>{}) << "button " << r.button;
  }
  // The stick: past half way is a press; a wobble near the edge is not a second press.
  struct StickRow { int axis, value; std::vector<Key> keys; } stick[] = {
      {SDL_CONTROLLER_AXIS_LEFTX, -30000, {{Qt::Key_Left, false, false}}},
      {SDL_CONTROLLER_AXIS_LEFTX, -12000, {}},
      {SDL_CONTROLLER_AXIS_LEFTX, -20000, {}},
      {SDL_CONTROLLER_AXIS_LEFTX, 0, {}},
      {SDL_CONTROLLER_AXIS_LEFTY, 32767, {{Qt::Key_Down, false, false}}},
      {SDL_CONTROLLER_AXIS_LEFTX, -32768, {{Qt::Key_Left, false, false}}},  // the larger push wins
      {SDL_CONTROLLER_AXIS_RIGHTX, 32767, {}},
  };
  for (const StickRow& r : stick) {
    rig.keys.clear();
    pad.Axis(r.axis, r.value);
    rig.pads.Poll(t += 10);
    EXPECT_EQ(rig.keys, r.keys) << "axis " << r.axis << " at " << r.value;
  }
}

TEST(Gamepads, AHeldDirectionRepeatsLikeAHeldKey) {
  Rig rig;
  VirtualPad pad;
  ASSERT_TRUE(pad.Ok()) << SDL_GetError();
  rig.pads.Poll(0);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  rig.pads.Poll(1000);
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  for (qint64 t = 1016; t <= 1000 + Gamepads::kRepeatDelayMs + 2 * Gamepads::kRepeatMs; t += 16) rig.pads.Poll(t);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
  for (qint64 t = 1400; t <= 2000; t += 16) rig.pads.Poll(t);
  const Key right{Qt::Key_Right, false, false}, x{Qt::Key_X, false, false}, again{Qt::Key_Right, false, true};
  EXPECT_EQ(rig.keys, (std::vector<Key>{right, x, again, again})) << "the jump button does not repeat";
}

TEST(Gamepads, PressesReachTheMenuShortcutOrTheFocusedControl) {
  QMainWindow window;
  int gaveUp = 0;
  QAction* giveUp = window.menuBar()->addMenu("game")->addAction("give up");
  giveUp->setShortcut(Qt::Key_Delete);
  QObject::connect(giveUp, &QAction::triggered, [&] { ++gaveUp; });
  struct Keys : QWidget {
    void keyPressEvent(QKeyEvent* e) override { pressed.push_back(e->key()); }
    std::vector<int> pressed;
  } *field = new Keys;
  field->setFocusPolicy(Qt::StrongFocus);
  window.setCentralWidget(field);
  window.show();
  QApplication::setActiveWindow(&window);
  field->setFocus();
  QApplication::processEvents();
  if (QApplication::activeWindow() != &window) GTEST_SKIP() << "this platform gives no window the focus";
  Gamepads::DeliverToActiveWindow(Qt::Key_Delete, Qt::NoModifier, false);
  Gamepads::DeliverToActiveWindow(Qt::Key_Right, Qt::NoModifier, false);
  Gamepads::DeliverToActiveWindow(Qt::Key_Shift, Qt::ShiftModifier, false);
  EXPECT_EQ(gaveUp, 1);
  EXPECT_EQ(field->pressed, (std::vector<int>{Qt::Key_Right, Qt::Key_Shift}));
}

}  // namespace
}  // namespace morvik
