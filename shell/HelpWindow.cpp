#include "shell/HelpWindow.h"

#include <QScreen>

#include "platform/Fonts.h"

#include <QCoreApplication>
#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <vector>

#include "platform/FindNoCase.h"
#include "platform/Language.h"
#include "shell/HelpIntegrity.h"

namespace morvik {

namespace {

const QString kScheme = QStringLiteral("chm");
constexpr int kPageRole = Qt::UserRole;

QUrl PageUrl(const std::string& entry, const std::string& anchor = {}) {
  QUrl url;
  url.setScheme(kScheme);
  url.setPath(QString::fromStdString(entry));
  if (!anchor.empty()) url.setFragment(QString::fromStdString(anchor));
  return url;
}

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

HelpBrowser::HelpBrowser(const HelpFile& file, QWidget* parent) : QTextBrowser(parent), file_(file) {}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  std::string entry;
  if (name.scheme() == kScheme)
    entry = name.path().toStdString();
  else if (name.isRelative())
    entry = ResolveEntry(PageEntry(), name.toString(QUrl::FullyEncoded).toStdString());
  else
    return QTextBrowser::loadResource(type, name);
  const std::optional<std::string> bytes = file_.Read(entry);
  if (!bytes) return {};
  if (type == QTextDocument::HtmlResource) page_ = PageUrl(entry);
  return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}

std::string HelpBrowser::PageEntry() const {
  return page_.scheme() == kScheme ? page_.path().toStdString() : std::string("/");
}

HelpWindow::HelpWindow(QString programDir, MessageBoxes& messages, QWidget* parent)
    : QMainWindow(parent),
      programDir_(std::move(programDir)),
      messages_(messages),
      browser_(new HelpBrowser(file_, this)),
      contents_(new QTreeWidget(this)),
      indexFilter_(new QLineEdit(this)),
      index_(new QListWidget(this)) {
  setWindowTitle(QCoreApplication::translate("HelpWindow", "モルビクのヘルプ"));
  // As large as it was made to be, but never larger than the screen's free area.
  QSize size(820, 580);
  if (const QScreen* s = screen()) size = size.boundedTo(s->availableGeometry().size() * 9 / 10);
  resize(size);

  browser_->setFont(CaptionFontOf(10));
  // Links are followed here: those inside the help file in this window, web and mail links
  // outside it, and nothing else.
  browser_->setOpenLinks(false);
  browser_->setOpenExternalLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) { FollowLink(link); });
  openExternal = [](const QUrl& link) { QDesktopServices::openUrl(link); };
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& page) { PageShown(page); });

  QToolBar* bar = addToolBar(QCoreApplication::translate("HelpWindow", "ヘルプ"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QCoreApplication::translate("HelpWindow", "戻る"));
  back->setObjectName(QStringLiteral("helpBack"));
  back->setShortcut(QKeySequence::Back);
  back->setEnabled(false);
  connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QCoreApplication::translate("HelpWindow", "進む"));
  forward->setObjectName(QStringLiteral("helpForward"));
  forward->setShortcut(QKeySequence::Forward);
  forward->setEnabled(false);
  connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  QAction* home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QCoreApplication::translate("HelpWindow", "目次"));
  home->setObjectName(QStringLiteral("helpHome"));
  connect(home, &QAction::triggered, this, [this] { Go(PageUrl(system_.defaultPage)); });

  contents_->setHeaderHidden(true);
  contents_->setRootIsDecorated(true);
  connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { Go(item->data(0, kPageRole).toUrl()); });
  connect(contents_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { Go(item->data(0, kPageRole).toUrl()); });

  indexFilter_->setPlaceholderText(QCoreApplication::translate("HelpWindow", "キーワードを入力"));
  indexFilter_->setClearButtonEnabled(true);
  connect(indexFilter_, &QLineEdit::textChanged, this, [this](const QString& text) { FilterIndex(text); });
  connect(indexFilter_, &QLineEdit::returnPressed, this, [this] {
    for (int i = 0; i < index_->count(); ++i)
      if (!index_->item(i)->isHidden()) return Go(index_->item(i)->data(kPageRole).toUrl());
  });
  connect(index_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { Go(item->data(kPageRole).toUrl()); });
  connect(index_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { Go(item->data(kPageRole).toUrl()); });

  auto* indexPane = new QWidget(this);
  auto* indexLayout = new QVBoxLayout(indexPane);
  indexLayout->setContentsMargins(2, 2, 2, 2);
  indexLayout->addWidget(indexFilter_);
  indexLayout->addWidget(index_);

  auto* tabs = new QTabWidget(this);
  tabs->addTab(contents_, QCoreApplication::translate("HelpWindow", "目次"));
  tabs->addTab(indexPane, QCoreApplication::translate("HelpWindow", "キーワード"));

  auto* split = new QSplitter(this);
  split->addWidget(tabs);
  split->addWidget(browser_);
  split->setStretchFactor(1, 1);
  split->setSizes({285, 535});  // wide enough for the longest English topic
  setCentralWidget(split);

  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::hide);
  // F1 here is help about the help: its first page.
  auto* start = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(start, &QShortcut::activated, this, [this] { Go(PageUrl(system_.defaultPage)); });
}

bool HelpWindow::Load() {
  if (file_.IsOpen()) return true;
  const QString name = Language::HelpFileName();
  const QString found = FindNoCase(programDir_, name);
  if (found.isEmpty()) {
    messages_.Show(QCoreApplication::translate("HelpWindow", "ヘルプファイル（%1）が見つかりません。\n%2").arg(name, QDir(programDir_).filePath(name)),
                   QCoreApplication::translate("HelpWindow", "モルビクのヘルプ"), MsgIcon::Warning, MsgButtons::Ok);
    return false;
  }
  // Only the help file built with the program reaches the help library (see HelpIntegrity.h).
  if (HelpFileMatches(found, Language::IsEnglish() ? BuiltHelpEnSha256 : BuiltHelpSha256) && file_.Open(QFile::encodeName(found).toStdString())) {
    system_ = ParseSystem(file_.Read("/#SYSTEM").value_or(std::string()));
    if (system_.defaultPage.empty()) system_.defaultPage = "/index.html";
    topics_ = ParseTopicMap(file_.Read(HelpTopicMapEntry).value_or(std::string()));
    if (file_.Has(system_.defaultPage)) {
      if (!system_.title.empty()) setWindowTitle(Utf8(system_.title));
      FillContents();
      FillIndex();
      return true;
    }
    file_.Close();
  }
  messages_.Show(QCoreApplication::translate("HelpWindow", "ヘルプファイル（%1）を読み込めません。\n%2").arg(name, found),
                 QCoreApplication::translate("HelpWindow", "モルビクのヘルプ"), MsgIcon::Warning, MsgButtons::Ok);
  return false;
}

void HelpWindow::FillContents() {
  contents_->clear();
  std::vector<QTreeWidgetItem*> parents;  // the last item at each depth
  for (const SitemapItem& entry : ParseSitemap(file_.Read(system_.contentsFile).value_or(std::string()))) {
    const auto depth = static_cast<size_t>(entry.depth);
    parents.resize(std::min(parents.size(), depth));
    auto* item = parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
    item->setText(0, Utf8(entry.name));
    if (!entry.page.empty()) item->setData(0, kPageRole, PageUrl(entry.page, entry.anchor));
    parents.push_back(item);
  }
  contents_->expandAll();
}

void HelpWindow::FillIndex() {
  index_->clear();
  for (const SitemapItem& entry : ParseSitemap(file_.Read(system_.indexFile).value_or(std::string()))) {
    if (entry.page.empty()) continue;
    auto* item = new QListWidgetItem(QString(entry.depth, QChar(0x3000)) + Utf8(entry.name), index_);
    item->setData(kPageRole, PageUrl(entry.page, entry.anchor));
  }
}

void HelpWindow::FilterIndex(const QString& text) {
  const QString wanted = text.trimmed();
  for (int i = 0; i < index_->count(); ++i)
    index_->item(i)->setHidden(!wanted.isEmpty() && !index_->item(i)->text().contains(wanted, Qt::CaseInsensitive));
}

void HelpWindow::Go(const QUrl& page) {
  if (!page.isValid() || page == browser_->source()) return;
  browser_->setSource(page, QTextDocument::HtmlResource);
}

void HelpWindow::FollowLink(const QUrl& link) {
  const QString scheme = link.scheme().toLower();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto")) {
    if (openExternal) openExternal(link);
    return;
  }
  // The browser hands links over resolved against the page shown, which is in the help file.
  const QUrl target = link.isRelative() ? browser_->source().resolved(link) : link;
  if (target.scheme() != kScheme) return;
  if (target == browser_->source()) {
    browser_->scrollToAnchor(target.fragment());  // the place shown, scrolled away from since
    return;
  }
  Go(target);
}

void HelpWindow::PageShown(const QUrl& shown) {
  const QString title = PageTitle();
  const QString help = system_.title.empty() ? QCoreApplication::translate("HelpWindow", "モルビクのヘルプ") : Utf8(system_.title);
  // A page named as the help itself (its front page) is not named twice.
  setWindowTitle(title.isEmpty() || title == help ? help : help + QCoreApplication::translate("HelpWindow", " － ") + title);
  // The contents follow the page shown: the item of the very place, else the first of the page.
  QTreeWidgetItem* pageItem = nullptr;
  for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
    const QUrl item = (*it)->data(0, kPageRole).toUrl();
    if (item.path().compare(shown.path(), Qt::CaseInsensitive) != 0) continue;
    if (item.fragment() == shown.fragment()) {
      pageItem = *it;
      break;
    }
    if (!pageItem) pageItem = *it;
  }
  if (pageItem) {
    contents_->setCurrentItem(pageItem);
    return;
  }
  contents_->clearSelection();
}

void HelpWindow::ShowTopic(int topic) {
  if (!Load()) return;
  const auto known = topics_.find(topic);
  const std::string page = known != topics_.end() && file_.Has(known->second) ? known->second : system_.defaultPage;
  Go(PageUrl(page));
  show();
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

QString HelpWindow::PageTitle() const {
  return browser_->document()->metaInformation(QTextDocument::DocumentTitle);
}

}  // namespace morvik
