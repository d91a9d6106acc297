#pragma once
// The help viewer: the compiled help file of the program folder in the game's language
// ("morvik20.chm", or "morvik20.en.chm" in English) in a window of
// its own, with the contents and the keyword index beside the page, links and pictures read
// from the file, and back and forward through the pages seen.
#include <QMainWindow>
#include <QTextBrowser>
#include <functional>
#include <map>
#include <string>

#include "platform/MessageBoxes.h"
#include "shell/HelpFile.h"
#include "shell/HelpProject.h"

class QLineEdit;
class QListWidget;
class QTreeWidget;

namespace morvik {

// A page browser whose pages, pictures and style sheets come from the help file. Pages are
// addressed as "chm:/howtoplay.html"; relative links resolve from the page shown.
class HelpBrowser final : public QTextBrowser {
 public:
  HelpBrowser(const HelpFile& file, QWidget* parent);
  QVariant loadResource(int type, const QUrl& name) override;
  // The entry of the page shown, "/howtoplay.html".
  std::string PageEntry() const;

 private:
  const HelpFile& file_;
  // The page shown, without its place. Every page change (links, back and forward too) reads
  // the new page first, before its pictures, so that they resolve from it.
  QUrl page_;
};

class HelpWindow final : public QMainWindow {
 public:
  HelpWindow(QString programDir, MessageBoxes& messages, QWidget* parent = nullptr);

  // Shows the page of a topic (a topic the file does not know shows its first page). When the
  // help file is missing or cannot be read, a message box says so and no window opens.
  void ShowTopic(int topic);

  // The title of the page shown and its entry in the help file.
  QString PageTitle() const;
  std::string PageEntry() const { return browser_->PageEntry(); }
  const HelpFile& File() const { return file_; }
  HelpBrowser& Browser() { return *browser_; }

  // Opens a web or mail link outside the help (the desktop's browser by default).
  std::function<void(const QUrl&)> openExternal;

 private:
  // Opens the help file when it is not open yet; reports a missing or unreadable file.
  bool Load();
  void FillContents();
  void FillIndex();
  void FilterIndex(const QString& text);
  void Go(const QUrl& page);
  // A link of a page: chm: and relative links in this window, http, https and mailto outside.
  void FollowLink(const QUrl& link);
  void PageShown(const QUrl& page);

  QString programDir_;
  MessageBoxes& messages_;
  HelpFile file_;
  HelpSystem system_;
  std::map<int, std::string> topics_;
  HelpBrowser* browser_;
  QTreeWidget* contents_;
  QLineEdit* indexFilter_;
  QListWidget* index_;
};

}  // namespace morvik
