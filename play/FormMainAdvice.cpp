// The play screen's advice for story stages, and the double click that calls the visitor.
#include <QCoreApplication>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>

#include "core/KeyCommands.h"
#include "core/SoundEffects.h"
#include "core/Stories.h"
#include "play/AdviceText.h"
#include "play/FormAdvice.h"
#include "play/FieldWidget.h"
#include "play/FormMain.h"
#include "play/StageLoader.h"
#include "platform/FindNoCase.h"
#include "platform/Language.h"
#include "platform/TextCodec.h"

namespace morvik {

namespace {
// The hidden clear of the advice picture: F8 with Ctrl and Shift held.
constexpr int kHiddenClearKey = 119;
constexpr int kHiddenClearModifiers = ModShift | ModCtrl;
}  // namespace

void FormMain::AdviceCheck() {
  adviceText_.clear();
  const QString path = FindNoCase(QString::fromStdString(game_.appDir), Language::AdviceFileName());
  // A missing or unreadable advice file only means there is no advice.
  const auto bytes = path.isEmpty() ? std::nullopt : ReadWholeFile(path, AdviceFileMaxBytes);
  if (!bytes) return;
  // The block is found in the file's own bytes (its openers and closers are ASCII at the start
  // of a line, where no Shift JIS trail byte can stand) and only its text is converted: a bad
  // byte elsewhere in the file costs no other stage its advice.
  const Advice advice = FindAdvice(*bytes, game_.stageNo);
  if (advice.unterminated) QApplication::beep();
  if (!advice.found) return;
  const auto text = ShiftJisToUtf8(advice.text);
  if (!text) return;
  picAdvice_->setEnabled(true);
  adviceText_ = QString::fromStdString(*text).trimmed();
}

void FormMain::PicAdvice_Click() {
  if (adviceText_.isEmpty()) {
    platform_.sound.PlayEffect(sfx::NoAdvice);
    return;
  }
  platform_.sound.PlayEffect(sfx::AdviceOpens);
  if (hooks.showAdvice) {
    hooks.showAdvice(adviceText_);
    return;
  }
  FormAdvice dialog(platform_.pictures, this);
  dialog.SetText(adviceText_);
  dialog.exec();
}

void FormMain::PicAdvice_KeyDown(int keyCode, int modifiers) {
  if (keyCode == kHiddenClearKey && modifiers == kHiddenClearModifiers && stageActive_ && !player_.Busy())
    StageEnd(Outcome::Clear);
}

void FormMain::PicMeter_DblClick() {
  if (game_.testPlay || game_.stageNo != VisitorStage || game_.unitPlay) return;
  visitor_.MeterDoubleClicked();
}

}  // namespace morvik
