#include "play/FormAdvice.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Fonts.h"
#include "platform/PictureStore.h"

namespace morvik {

FormAdvice::FormAdvice(const PictureStore& pictures, QWidget* parent) : QDialog(parent), labelAdvice_(new QLabel(this)) {
  setWindowTitle(QCoreApplication::translate("FormAdvice", "睦さん -Mussan- からのアドヴァイス"));
  auto* mussan = new QLabel(this);
  mussan->setPixmap(QPixmap::fromImage(pictures.Named(QStringLiteral("mussan"))));
  mussan->setAlignment(Qt::AlignTop);
  labelAdvice_->setAutoFillBackground(true);
  QPalette pal = labelAdvice_->palette();
  pal.setColor(QPalette::Window, QColor(255, 255, 192));
  pal.setColor(QPalette::WindowText, Qt::black);
  labelAdvice_->setPalette(pal);
  labelAdvice_->setFont(CaptionFontOf(11));
  labelAdvice_->setMargin(8);
  labelAdvice_->setMinimumSize(280, 96);
  labelAdvice_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labelAdvice_->setWordWrap(true);
  auto* ok = new QPushButton(QCoreApplication::translate("FormAdvice", "了解"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addWidget(mussan);
  row->addWidget(labelAdvice_, 1);
  auto* column = new QVBoxLayout(this);
  column->addLayout(row);
  column->addWidget(ok, 0, Qt::AlignRight);
}

void FormAdvice::SetText(const QString& text) { labelAdvice_->setText(text); }
QString FormAdvice::Text() const { return labelAdvice_->text(); }

}  // namespace morvik
