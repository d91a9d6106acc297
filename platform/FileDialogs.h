#pragma once
// File-open and file-save dialogs. Filters are given as the screens write them: description
// and pattern pairs separated by "|" ("モルビクステージデータ(*.mvk)|*.mvk|全てのファイル(*.*)|*.*").
// An empty path means the player cancelled.
#include <QString>
#include <QStringList>
#include <deque>

class QWidget;

namespace morvik {

// The filter of the open and save dialogs for stage-unit files.
// Shown through QCoreApplication::translate("FileDialogs", StageFileFilter).
inline const char* const StageFileFilter = QT_TRANSLATE_NOOP("FileDialogs", "モルビクステージデータ(*.mvk)|*.mvk|全てのファイル(*.*)|*.*");

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // An existing file chosen by the player, or "". The dialog starts in folder (when given).
  virtual QString OpenFile(QWidget* parent, const QString& filter, const QString& folder) = 0;
  // A path to write, starting from suggested (a file or a folder; may be empty); the dialog
  // asks before an existing file is replaced. "" when cancelled.
  virtual QString SaveFile(QWidget* parent, const QString& filter, const QString& suggested) = 0;
};

// Qt's modal file dialogs.
class QtFileDialogs final : public FileDialogs {
 public:
  QString OpenFile(QWidget* parent, const QString& filter, const QString& folder) override;
  QString SaveFile(QWidget* parent, const QString& filter, const QString& suggested) override;
};

// A "|"-separated filter in Qt's form: "モルビクステージデータ (*.mvk);;全てのファイル (*)".
QString QtFileFilter(const QString& filter);

// Answers with queued paths ("" once they run out) and records the filters asked, for tests.
class RecordingFileDialogs final : public FileDialogs {
 public:
  // "open|filter", with "|folder" when the dialog is to start in one.
  QString OpenFile(QWidget*, const QString& filter, const QString& folder) override {
    return Answer(QStringLiteral("open|") + filter + (folder.isEmpty() ? QString() : QStringLiteral("|") + folder));
  }
  QString SaveFile(QWidget*, const QString& filter, const QString& suggested) override {
    return Answer(QStringLiteral("save|") + filter + QStringLiteral("|") + suggested);
  }
  std::deque<QString> answers;
  QStringList asked;

 private:
  QString Answer(const QString& question) {
    asked << question;
    if (answers.empty()) return {};
    QString a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace morvik
