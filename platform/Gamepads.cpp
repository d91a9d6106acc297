#include "platform/Gamepads.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QWidget>
#include <SDL.h>
#include <cstdio>
#include <cstdlib>

namespace morvik {

namespace {

int KeyOfButton(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return Qt::Key_Left;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return Qt::Key_Right;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return Qt::Key_Up;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return Qt::Key_Down;
    case SDL_CONTROLLER_BUTTON_A: return Qt::Key_X;
    case SDL_CONTROLLER_BUTTON_B: return Qt::Key_Z;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return Qt::Key_Shift;
    case SDL_CONTROLLER_BUTTON_START: return Qt::Key_Return;
    case SDL_CONTROLLER_BUTTON_BACK: return Qt::Key_Delete;
    default: return 0;
  }
}

bool IsArrow(int key) { return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down; }

// The stick counts as pushed past half way and as let go below a quarter, so that a stick
// resting near the edge of the threshold does not chatter.
constexpr int kStickOn = 16384;
constexpr int kStickOff = 8192;

qint64 NowMs() { return QDateTime::currentMSecsSinceEpoch(); }

}  // namespace

Gamepads::Gamepads() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "morvik: game controllers cannot be used (%s)\n", SDL_GetError());
  } else {
    available_ = true;
    // Only controller events are wanted from SDL's queue; the windows are Qt's.
    SDL_GameControllerEventState(SDL_ENABLE);
  }
  deliver = &Gamepads::DeliverToActiveWindow;
  timer_.setTimerType(Qt::CoarseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
  if (available_) {
    Poll();
    timer_.start();
  }
}

Gamepads::~Gamepads() {
  if (!available_) return;
  for (auto& [id, c] : controllers_) SDL_GameControllerClose(static_cast<SDL_GameController*>(c));
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepads::Poll() { Poll(NowMs()); }

void Gamepads::Poll(qint64 now) {
  if (!available_) return;
  SDL_PumpEvents();
  SDL_Event e;
  while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERDEVICEREMAPPED) > 0) {
    switch (e.type) {
      case SDL_CONTROLLERDEVICEADDED: Open(e.cdevice.which); break;
      case SDL_CONTROLLERDEVICEREMOVED: Close(e.cdevice.which); break;
      case SDL_CONTROLLERBUTTONDOWN:
        if (controllers_.count(e.cbutton.which))
          if (const int key = KeyOfButton(e.cbutton.button)) {
            buttonKey_[{e.cbutton.which, e.cbutton.button}] = key;
            Press(key, now);
          }
        break;
      case SDL_CONTROLLERBUTTONUP: {
        auto it = buttonKey_.find({e.cbutton.which, e.cbutton.button});
        if (it != buttonKey_.end()) {
          Release(it->second);
          buttonKey_.erase(it);
        }
        break;
      }
      case SDL_CONTROLLERAXISMOTION:
        if (controllers_.count(e.caxis.which)) Stick(e.caxis.which, e.caxis.axis, e.caxis.value, now);
        break;
      default: break;
    }
  }
  // Everything else SDL queued (joystick-level events) is of no use here.
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  for (auto& [key, h] : held_)
    if (IsArrow(key) && h.sources > 0 && now - h.since >= kRepeatDelayMs && now - h.lastRepeat >= kRepeatMs) {
      h.lastRepeat = now;
      Send(key, true);
    }
  const int interval = controllers_.empty() ? kIdlePollMs : kPollMs;
  if (timer_.interval() != interval) timer_.setInterval(interval);
}

void Gamepads::Open(int deviceIndex) {
  SDL_GameController* c = SDL_GameControllerOpen(deviceIndex);
  if (!c) return;
  const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
  if (controllers_.count(id)) {
    SDL_GameControllerClose(c);  // already open: the added event came twice
    return;
  }
  controllers_[id] = c;
}

void Gamepads::Close(int id) {
  auto it = controllers_.find(id);
  if (it == controllers_.end()) return;
  // Whatever it held is let go, so that no key stays down after the cable is pulled.
  for (auto b = buttonKey_.begin(); b != buttonKey_.end();) {
    if (b->first.first == id) {
      Release(b->second);
      b = buttonKey_.erase(b);
    } else {
      ++b;
    }
  }
  if (const int key = stickKey_[id]) Release(key);
  stickKey_.erase(id);
  stickAxes_.erase(id);
  SDL_GameControllerClose(static_cast<SDL_GameController*>(it->second));
  controllers_.erase(it);
}

void Gamepads::Stick(int id, int axis, int value, qint64 now) {
  auto& [x, y] = stickAxes_[id];
  if (axis == SDL_CONTROLLER_AXIS_LEFTX) x = value;
  else if (axis == SDL_CONTROLLER_AXIS_LEFTY) y = value;
  else return;
  int& current = stickKey_[id];
  int want = current;
  const int ax = std::abs(x), ay = std::abs(y);
  if (std::max(ax, ay) >= kStickOn) {
    want = ax >= ay ? (x < 0 ? Qt::Key_Left : Qt::Key_Right) : (y < 0 ? Qt::Key_Up : Qt::Key_Down);
  } else if (std::max(ax, ay) < kStickOff) {
    want = 0;
  }
  if (want == current) return;
  if (current) Release(current);
  current = want;
  if (want) Press(want, now);
}

void Gamepads::Press(int key, qint64 now) {
  Held& h = held_[key];
  if (h.sources++ > 0) return;  // already down through another button or controller
  h.since = h.lastRepeat = now;
  Send(key, false);
}

void Gamepads::Release(int key) {
  auto it = held_.find(key);
  if (it == held_.end() || it->second.sources == 0) return;
  --it->second.sources;
}

void Gamepads::Send(int key, bool autoRepeat) {
  if (deliver) deliver(key, key == Qt::Key_Shift ? Qt::ShiftModifier : Qt::NoModifier, autoRepeat);
}

void Gamepads::DeliverToActiveWindow(int key, Qt::KeyboardModifiers mods, bool autoRepeat) {
  QWidget* window = QApplication::activeModalWidget();
  if (!window) window = QApplication::activeWindow();
  if (!window) return;
  // A shortcut of the window's own menus answers first, as it does for the keyboard.
  if (!autoRepeat) {
    const QKeySequence pressed(QKeyCombination(mods, static_cast<Qt::Key>(key)));
    for (QAction* a : window->findChildren<QAction*>())
      if (a->isEnabled() && a->shortcuts().contains(pressed)) {
        a->trigger();
        return;
      }
  }
  QWidget* target = QApplication::focusWidget();
  if (!target || target->window() != window) target = window;
  QKeyEvent press(QEvent::KeyPress, key, mods, QString(), autoRepeat);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, QString(), autoRepeat);
  QApplication::sendEvent(target, &release);
}

}  // namespace morvik
