#pragma once
// The help viewer: a window of its own that shows the help page of a topic, with links
// between the pages. The pages are the game's own HTML texts.
#include <QMainWindow>

class QTextBrowser;

namespace morvik {

class HelpWindow final : public QMainWindow {
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows the page of a topic (unknown topics show the contents).
  void ShowTopic(int topic);
  QString PageTitle() const;

 private:
  QTextBrowser* browser_;
};

// The HTML of a help topic: 1 the title screen, 2 the play screen, 10 how to play.
QString HelpPage(int topic);

}  // namespace morvik
