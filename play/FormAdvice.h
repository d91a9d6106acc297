#pragma once
// The advice window: Mussan's portrait, the advice of the stage on light yellow, and "了解".
#include <QDialog>

class QLabel;

namespace morvik {

class PictureStore;

class FormAdvice final : public QDialog {
 public:
  FormAdvice(const PictureStore& pictures, QWidget* parent = nullptr);
  void SetText(const QString& text);
  QString Text() const;

 private:
  QLabel* labelAdvice_;
};

}  // namespace morvik
