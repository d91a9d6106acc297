#pragma once
// Game controllers as a second keyboard: the d-pad and the left stick are the arrow keys, the
// bottom face button X (the meter and the jump), the right face button Z (dig), either
// shoulder Shift (turn), Start Enter and Back Delete (give up). The presses reach the active
// window as the keyboard's would (a menu shortcut first, else a key event to the focused
// control), so the screens' rules are the same for both. Controllers may come and go at any
// time; with none attached the device list is looked at only once a second, so an idle game
// stays idle.
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>

namespace morvik {

class Gamepads final : public QObject {
 public:
  static constexpr int kPollMs = 16;          // while a controller is attached
  static constexpr int kIdlePollMs = 1000;    // waiting for one to be plugged in
  static constexpr int kRepeatDelayMs = 300;  // a held direction repeats like a held key
  static constexpr int kRepeatMs = 40;

  Gamepads();
  ~Gamepads() override;

  bool Available() const { return available_; }
  int Attached() const { return static_cast<int>(controllers_.size()); }
  int PollInterval() const { return timer_.interval(); }
  // One round: controllers plugged in or out, then every press and release since the last.
  void Poll(qint64 nowMs);
  void Poll();

  // Where the keys go; by default to the active window as described above.
  std::function<void(int key, Qt::KeyboardModifiers mods, bool autoRepeat)> deliver;
  static void DeliverToActiveWindow(int key, Qt::KeyboardModifiers mods, bool autoRepeat);

 private:
  struct Held {
    int sources = 0;
    qint64 since = 0;
    qint64 lastRepeat = 0;
  };
  void Open(int deviceIndex);
  void Close(int instanceId);
  void Press(int key, qint64 now);
  void Release(int key);
  void Stick(int instanceId, int axis, int value, qint64 now);
  void Send(int key, bool autoRepeat);

  bool available_ = false;
  QTimer timer_;
  std::map<int, void*> controllers_;  // SDL instance id -> SDL_GameController*
  std::map<int, std::pair<int, int>> stickAxes_;  // instance id -> left stick x, y
  std::map<int, int> stickKey_;                   // instance id -> arrow key the stick holds, 0 none
  std::map<int, Held> held_;                      // Qt key -> sources holding it
  std::map<std::pair<int, int>, int> buttonKey_;  // (instance id, button) -> key it pressed
};

}  // namespace morvik
