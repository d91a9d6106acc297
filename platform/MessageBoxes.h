#pragma once
// Modal message boxes with a Japanese text and title.
#include <QString>

namespace morvik {

enum class MsgIcon { None, Information, Warning, Error, Question };
// YesNoDefaultNo: Yes and No with No preselected, for questions whose Yes cannot be undone.
enum class MsgButtons { Ok, YesNo, YesNoCancel, YesNoDefaultNo };
enum class MsgResult { Ok, Yes, No, Cancel };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MsgResult Show(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) = 0;
};

// Qt's modal message box over the active window.
class QtMessageBoxes final : public MessageBoxes {
 public:
  MsgResult Show(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) override;
};

}  // namespace morvik
