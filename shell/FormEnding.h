#pragma once
// The ending: a borderless window with the closing scene, the congratulation caption, the
// staff credits typed letter by letter, two dissolves to further scenes and the closing
// thanks. The show is a timeline of steps whose cues play like the rules' effect scripts:
// the show's clock starts each step, and a second timer flickers the caption and types the
// lines. Every pause of the show is scheduled time, so the window paints and takes Esc
// throughout. The show never leaves
// for another screen: the program ends from here.
#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <span>

#include "platform/Platform.h"

class QLabel;

namespace morvik {

// a / c − b / 2: where something b wide starts so that its middle sits at a / c.
double CenterOffset(long a, long b, int c);

struct EndingCue;

class FormEnding final : public QWidget {
 public:
  // random gives a uniform value in [0, 1) for the caption's colours and the dissolves'
  // block order; unset, Qt's generator.
  explicit FormEnding(Platform& platform, std::function<double()> random = {}, QWidget* parent = nullptr);
  ~FormEnding() override;

  struct Hooks {
    std::function<void()> endProgram;  // Esc (confirmed where asked): the program ends
  };
  Hooks hooks;

  // The show from its start: the caption placed, a 7 s rest on the colour scene, then the
  // timers. The window is expected to be shown already. A second call does nothing.
  void Start();
  // Cancels everything the show has pending; nothing of it runs afterwards.
  void Stop();

  // Dissolves on the scheduler; done runs once the hundredth block is drawn. Their pauses are
  // the show's own: start one from the show, or once it is stopped.
  // FadeOut (n): picture box n to black, block by block, 5 ms apart.
  void FadeOut(int n, std::function<void()> done = {});
  // FadeIn (n): picture n onto the display picture box (1), ORed block by block, 1 ms apart.
  void FadeIn(int n, std::function<void()> done = {});

  // The credit lines: group 0 (A) has four, groups 1 (B) and 2 (C) three; the icon of the
  // group's last line (0 for none).
  static const QString& CreditLine(int group, int idx);
  static int CreditCount(int group);
  static int CreditIcon(int group);

  // What tests look at.
  int EndingStep() const { return endingStep_; }
  const QString& RevealText() const { return revealText_; }
  int RevealLen() const { return revealLen_; }
  bool TimerEndingEnabled() const { return ending_.id != 0; }
  bool TimerStringShineEnabled() const { return shine_.id != 0; }
  // The persistent image of picture box n (0 to 3), without its frame.
  const QImage& Picture(int n) const;
  // Whether anything of the show is still scheduled.
  bool Pending() const { return ending_.id || shine_.id || pause_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  class PictureBox;
  struct DissolveState;
  // An interval timer on the scheduler. A tick that falls due while the show rests in a
  // pause waits until the pause is over, and several such ticks count as one.
  struct Ticker {
    int intervalMs;
    void (FormEnding::*tick)();
    Scheduler::Id id = 0;
    bool due = false;
  };

  void BuildControls();
  void StartTicker(Ticker& t);
  void StopTicker(Ticker& t);
  void TickerFired(Ticker& t);
  // Rests ms milliseconds, then goes on with next; ticks that fall due meanwhile wait.
  void Pause(int ms, std::function<void()> next);
  void RunDueTicks();

  void TimerEnding_Timer();
  // Plays the cues of a step from the first; a rest or a dissolve plays the rest after it.
  void PlayCues(std::span<const EndingCue> cues);
  void TimerStringShine_Timer();
  void Form_KeyDown(int keyCode);
  // Empties credit label idx and makes text the line to type; returns where the label goes,
  // unrounded, so that a step can add its offsets before it moves it.
  QPointF PlaceStaffText(int idx, const QString& text, int xdiv, int ydiv);
  void SetCaption(QLabel* label, const QString& text);
  void CreditStep(int group, int idx);
  void LineTyped(int group, int idx);
  void Dissolve(int n, bool in, int pauseMs, std::function<void()> done);
  void DissolveBlock(const std::shared_ptr<DissolveState>& s);
  int RandomIndex(int n);

  Platform& platform_;
  std::function<double()> random_;
  std::array<PictureBox*, 4> picEnding_{};
  std::array<PictureBox*, 3> picStaff_{};
  std::array<QLabel*, 4> labelStaff_{};
  QLabel* labelHappy_ = nullptr;
  QLabel* labelEsc_ = nullptr;
  int w_ = 0, h_ = 0;  // the layout size: picture box 3's
  Ticker ending_{800, &FormEnding::TimerEnding_Timer};
  Ticker shine_{50, &FormEnding::TimerStringShine_Timer};
  Scheduler::Id pause_ = 0;
  bool started_ = false;
  int endingStep_ = -1;
  QString revealText_;
  int revealLen_ = 0;
};

}  // namespace morvik
