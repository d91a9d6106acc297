// The play screen's undo and redo: every press that changed the board leaves a snapshot of
// the board and of what the screen shows; undo and redo put one back as a whole.
#include <QAction>

#include "play/FieldWidget.h"
#include "core/SoundEffects.h"
#include "play/FormMain.h"
#include "play/HintPanel.h"
#include "play/PressCounter.h"

namespace morvik {

FormMain::PlaySnapshot FormMain::TakeSnapshot() const {
  return {game_.board, scene_, nextPicture_, game_.testPlay ? game_.ansData : std::string(), guideRunner_.Guide()};
}

void FormMain::RestoreSnapshot(const PlaySnapshot& s) {
  game_.board = s.board;
  performer_.PaintTerrain(s.board);
  scene_.stones = s.scene.stones;
  scene_.pxPieces = s.scene.pxPieces;
  scene_.yellows = s.scene.yellows;
  scene_.reds = s.scene.reds;
  scene_.hero = s.scene.hero;
  scene_.shadow = s.scene.shadow;
  scene_.inWater.visible = false;
  SetNextPicture(s.nextPicture);
  if (game_.testPlay) game_.ansData = s.ansData;
  // The guide goes back with the moves it followed; a guide started later keeps its place.
  guideRunner_.Rewind(s.guide);
  hint_->Stop();
  UpdateUndoMenu();
  counter_->Update();
  field_->update();
}

// The opening has ended: the line of play starts here. A fresh start after a miss keeps the
// line before the fatal press for the first undo.
void FormMain::StartHistory() {
  pressChanged_ = undoQueued_ = false;
  // A test play records the line that clears, from the stage start on.
  if (game_.testPlay) game_.ansData.clear();
  if (missed_) {
    history_.StartAfterMiss(TakeSnapshot());
  } else {
    history_.Start(TakeSnapshot());
  }
  missed_ = false;
  UpdateUndoMenu();
  counter_->AttemptStarted();
}

// A press has been played to its end; one that changed the board and did not end the
// attempt joins the line.
void FormMain::AfterPress() {
  if (!pressChanged_) return;
  pressChanged_ = false;
  if (game_.board.Ended() || !stageActive_) return;
  hint_->Stop();
  history_.Record(TakeSnapshot());
  UpdateUndoMenu();
  counter_->Update();
}

// Undo and redo act only where a press would: the field takes keys and nothing is playing.
// While the jump meter runs they cancel it, as every other key does.
bool FormMain::UndoKeysAct() {
  if (!keyPreview_ || !stageActive_ || player_.Busy() || meter_->Paused()) return false;
  if (meter_->Running()) {
    platform_.sound.PlayEffect(sfx::Refused);
    meter_->Reset();
    return false;
  }
  return true;
}

void FormMain::mnuUndo_Click() {
  // An undo during a step or jump is kept (one) and made when the press has been played.
  if (stageActive_ && player_.Busy() && !game_.board.Ended()) {
    undoQueued_ = true;
    return;
  }
  if (!UndoKeysAct()) return;
  if (const PlaySnapshot* s = history_.Undo()) RestoreSnapshot(*s);
}

void FormMain::UndoAfterPress() {
  if (!undoQueued_) return;
  undoQueued_ = false;
  if (stageActive_) mnuUndo_Click();
}

void FormMain::mnuRedo_Click() {
  if (!UndoKeysAct()) return;
  if (const PlaySnapshot* s = history_.Redo()) RestoreSnapshot(*s);
}

void FormMain::UpdateUndoMenu() {
  mnuUndo_->setEnabled(history_.CanUndo());
  mnuRedo_->setEnabled(history_.CanRedo());
}

}  // namespace morvik

