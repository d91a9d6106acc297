// The help: what the help file says about its pages (read from plain text), the help file
// the build compiles into the program folder (every topic a window asks for, every link and
// picture of every page), and the viewer's window, also when the file is missing or damaged.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>
#include <QUrl>
#include <regex>
#include <set>

#include "editor/FormEdit.h"
#include "play/FormMain.h"
#include "platform/FileDialogs.h"
#include "platform/VirtualScheduler.h"
#include "shell/Application.h"
#include "shell/FormTitle.h"
#include "shell/HelpFile.h"
#include "shell/HelpProject.h"
#include "shell/HelpWindow.h"
#include "tests/play/PlayFixture.h"

namespace morvik {
namespace {

// ---------------------------------------------------------------- reading the help file's texts

TEST(HelpProject, ResolvesReferencesOfAPageToEntries) {
  struct Case {
    const char* page;
    const char* reference;
    const char* entry;
  };
  const Case cases[] = {
      {"/howtoplay.html", "play.html", "/play.html"},
      {"/howtoplay.html", "pictures/elm_10.png", "/pictures/elm_10.png"},
      {"/guide/answer.html", "../pictures/guide_0.png", "/pictures/guide_0.png"},
      {"/guide/answer.html", "./more.html", "/guide/more.html"},
      {"/guide/answer.html", "/index.html", "/index.html"},
      {"/guide/answer.html", "more.html#keys", "/guide/more.html"},
      {"/a.html", "b.html?x=1", "/b.html"},
      {"/a.html", "%E8%8A%B1.html", "/花.html"},
      {"/a.html", "pictures\\elm_12.png", "/pictures/elm_12.png"},
      {"/a.html", "#keys", ""},                       // the same page
      {"/a.html", "http://example.org/x.html", ""},   // outside the help file
      {"/a.html", "mailto:someone@example.org", ""},  // outside the help file
      {"/a.html", "../b.html", ""},                   // above the top
      {"/a.html", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveEntry(c.page, c.reference), c.entry) << c.page << " + " << c.reference;
}

TEST(HelpProject, ReadsTheTopicMap) {
  const auto topics = ParseTopicMap(
      "# topics\r\n"
      "1   title.html\r\n"
      "\t10\thowtoplay.html   # the title's \"How to Play\"\r\n"
      "2 play.html\n"
      "x  broken.html\n"
      "3\n"
      "4editor.html\n"
      "2 later.html");
  const std::map<int, std::string> expected = {{1, "/title.html"}, {2, "/later.html"}, {10, "/howtoplay.html"}};
  EXPECT_EQ(topics, expected);
}

TEST(HelpProject, ReadsTheItemsOfASiteMapWithTheirDepth) {
  const auto items = ParseSitemap(R"(<html><body>
    <!-- <object type="text/sitemap"><param name="Name" value="commented out"></object> -->
    <UL>
      <LI><OBJECT type="text/sitemap"><param name="Name" value="ようこそ"><param name="Local" value="index.html"></OBJECT>
      <ul>
        <li><object TYPE='Text/Sitemap'><PARAM NAME=Local VALUE="howtoplay.html#jump"><param name="name" value="跳ぶ &amp; 降りる &#x2605;">
            <param name="Local" value="second.html"></object>
        <li><object type="text/sitemap"><param name="Name" value="見出しだけ"></object>
      </ul>
      <li><object type="application/x-other"><param name="Name" value="not an item"></object>
      <param name="Name" value="outside">
      <LI><OBJECT type="text/sitemap"><param name="Name" value="最後"><param name="Local" value="last.html"></OBJECT>
    </UL></body></html>)");
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].name, "ようこそ");
  EXPECT_EQ(items[0].page, "/index.html");
  EXPECT_EQ(items[0].depth, 0);
  EXPECT_EQ(items[1].name, "跳ぶ & 降りる ★");
  EXPECT_EQ(items[1].page, "/howtoplay.html");
  EXPECT_EQ(items[1].anchor, "jump");
  EXPECT_EQ(items[1].depth, 1);
  EXPECT_EQ(items[2].name, "見出しだけ");
  EXPECT_EQ(items[2].page, "");
  EXPECT_EQ(items[2].depth, 1);
  EXPECT_EQ(items[3].name, "最後");
  EXPECT_EQ(items[3].depth, 0);
}

std::string Record(uint16_t code, const std::string& data) {
  std::string r;
  r += static_cast<char>(code & 0xFF);
  r += static_cast<char>(code >> 8);
  r += static_cast<char>(data.size() & 0xFF);
  r += static_cast<char>(data.size() >> 8);
  return r + data;
}

TEST(HelpProject, ReadsTheSystemRecords) {
  const std::string version("\x03\0\0\0", 4);
  const std::string bytes = version + Record(9, std::string("compiler\0", 9)) + Record(2, std::string("start.html\0", 11)) +
                            Record(3, "ヘルプ") + Record(0, std::string("toc.hhc\0", 8)) +
                            Record(1, std::string("keys.hhk\0", 9));
  const HelpSystem system = ParseSystem(bytes);
  EXPECT_EQ(system.defaultPage, "/start.html");
  EXPECT_EQ(system.title, "ヘルプ");
  EXPECT_EQ(system.contentsFile, "/toc.hhc");
  EXPECT_EQ(system.indexFile, "/keys.hhk");

  // A record that runs past the end stops the reading; the records before it count.
  const std::string cut = version + Record(2, std::string("start.html\0", 11)) + Record(3, "title").substr(0, 6);
  EXPECT_EQ(ParseSystem(cut).defaultPage, "/start.html");
  EXPECT_EQ(ParseSystem(cut).title, "");
  EXPECT_EQ(ParseSystem("").defaultPage, "");
}

// ---------------------------------------------------------------- the help file of the build

const QString kProgramDir = QStringLiteral(MORVIK_TEST_PROGRAM_DIR);

std::string HelpPath() { return QFile::encodeName(kProgramDir + QStringLiteral("/morvik20.chm")).toStdString(); }

struct BuiltHelp : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(file.Open(HelpPath())) << "the build puts the help file at " << HelpPath(); }
  HelpFile file;
};

std::vector<std::string> Pages(const HelpFile& file) {
  std::vector<std::string> pages;
  for (const std::string& entry : file.Entries())
    if (entry.size() > 5 && entry.compare(entry.size() - 5, 5, ".html") == 0) pages.push_back(entry);
  return pages;
}

// The places a page can be scrolled to: <a name="..."> and id="...".
std::set<std::string> AnchorsOf(const std::string& html) {
  static const std::regex kAnchor(R"((?:\bname|\bid)\s*=\s*["']([^"']+)["'])", std::regex::icase);
  std::set<std::string> anchors;
  for (std::sregex_iterator it(html.begin(), html.end(), kAnchor), end; it != end; ++it) anchors.insert((*it)[1]);
  return anchors;
}

TEST_F(BuiltHelp, NamesItsStartPageContentsAndIndexAndHoldsThem) {
  const HelpSystem system = ParseSystem(file.Read("/#SYSTEM").value_or(""));
  EXPECT_EQ(system.title, "モルビクのヘルプ");
  EXPECT_EQ(system.defaultPage, "/index.html");
  EXPECT_TRUE(file.Has(system.defaultPage));
  EXPECT_TRUE(file.Has(system.contentsFile)) << system.contentsFile;
  EXPECT_TRUE(file.Has(system.indexFile)) << system.indexFile;
  EXPECT_TRUE(file.Has("/INDEX.HTML")) << "entries are matched without regard to case";
  EXPECT_FALSE(file.Has("/nothing.html"));
  EXPECT_FALSE(file.Read("/nothing.html").has_value());
  EXPECT_GE(Pages(file).size(), 8u);
}

TEST_F(BuiltHelp, EveryLinkPictureAndStyleSheetOfEveryPageIsInTheFile) {
  // href, src and background attributes, with either quote.
  static const std::regex kReference(R"(\b(href|src|background)\s*=\s*["']([^"']*)["'])", std::regex::icase);
  int checked = 0;
  for (const std::string& page : Pages(file)) {
    const std::string html = file.Read(page).value_or("");
    ASSERT_FALSE(html.empty()) << page;
    for (std::sregex_iterator it(html.begin(), html.end(), kReference), end; it != end; ++it) {
      const std::string reference = (*it)[2];
      SCOPED_TRACE(page + ": " + reference);
      const size_t hash = reference.find('#');
      const std::string anchor = hash == std::string::npos ? "" : reference.substr(hash + 1);
      if (reference.rfind("http:", 0) == 0 || reference.rfind("https:", 0) == 0) continue;
      const std::string entry = hash == 0 ? page : ResolveEntry(page, reference);
      ASSERT_FALSE(entry.empty()) << "a reference that leads nowhere";
      ASSERT_TRUE(file.Has(entry)) << entry << " is not in the help file";
      if (!anchor.empty()) {
        EXPECT_TRUE(AnchorsOf(file.Read(entry).value_or("")).count(anchor)) << "no place #" << anchor;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST_F(BuiltHelp, EveryPictureIsOneTheViewerCanShow) {
  int pictures = 0;
  for (const std::string& entry : file.Entries()) {
    if (entry.size() < 4 || entry.compare(entry.size() - 4, 4, ".png") != 0) continue;
    const std::string bytes = file.Read(entry).value_or("");
    QImage image;
    EXPECT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())))
        << entry;
    ++pictures;
  }
  EXPECT_GT(pictures, 20);
}

TEST_F(BuiltHelp, EveryContentsAndIndexItemOpensAPlaceThatExists) {
  const HelpSystem system = ParseSystem(file.Read("/#SYSTEM").value_or(""));
  for (const std::string& list : {system.contentsFile, system.indexFile}) {
    const auto items = ParseSitemap(file.Read(list).value_or(""));
    EXPECT_GE(items.size(), 10u) << list;
    for (const SitemapItem& item : items) {
      SCOPED_TRACE(list + ": " + item.name);
      EXPECT_FALSE(item.name.empty());
      ASSERT_TRUE(file.Has(item.page)) << item.page;
      if (!item.anchor.empty()) {
        EXPECT_TRUE(AnchorsOf(file.Read(item.page).value_or("")).count(item.anchor)) << item.anchor;
      }
    }
  }
}

// ---------------------------------------------------------------- the viewer

// The first top-level heading of the page shown, without its pictures.
QString Heading(HelpWindow& window) {
  for (QTextBlock b = window.Browser().document()->begin(); b.isValid(); b = b.next())
    if (b.blockFormat().headingLevel() == 1) return b.text().remove(QChar::ObjectReplacementCharacter).trimmed();
  return {};
}

struct Viewer : ::testing::Test {
  test::AnsweringMessages messages;
};

TEST_F(Viewer, EveryTopicOfTheScreensOpensItsPage) {
  HelpWindow window(kProgramDir, messages);
  const std::pair<int, const char*> topics[] = {
      {FormTitle::HelpTopicTitle, "タイトル画面"},
      {FormTitle::HelpTopicHowToPlay, "遊び方"},
      {FormMain::HelpTopic, "プレイ画面とキー操作"},
      {FormEdit::HelpTopic, "ステージエディタ"},
      {999, "モルビクのヘルプ"},  // a topic the file does not know: the first page
  };
  for (const auto& [topic, title] : topics) {
    SCOPED_TRACE(topic);
    window.ShowTopic(topic);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.PageTitle(), QString::fromUtf8(title));
    EXPECT_EQ(Heading(window), QString::fromUtf8(title));
    // The caption names the help and the page, the front page once.
    const QString page = QString::fromUtf8(title);
    EXPECT_EQ(window.windowTitle(), page == "モルビクのヘルプ" ? page : "モルビクのヘルプ － " + page);
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Viewer, ShowsThePicturesAndStyleOfAPageFromTheFile) {
  HelpWindow window(kProgramDir, messages);
  window.ShowTopic(FormTitle::HelpTopicHowToPlay);
  HelpBrowser& browser = window.Browser();
  // Relative references resolve from the page shown, as the page's own pictures do.
  const QImage stone =
      QImage::fromData(browser.loadResource(QTextDocument::ImageResource, QUrl("pictures/elm_12.png")).toByteArray());
  EXPECT_EQ(stone.size(), QSize(32, 32));
  EXPECT_FALSE(browser.loadResource(QTextDocument::StyleSheetResource, QUrl("help.css")).toByteArray().isEmpty());
  EXPECT_TRUE(browser.loadResource(QTextDocument::ImageResource, QUrl("pictures/none.png")).isNull());

  // Every picture the page's text refers to arrives.
  int pictures = 0;
  for (QTextBlock b = browser.document()->begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isImageFormat()) {
        const QString name = it.fragment().charFormat().toImageFormat().name();
        EXPECT_FALSE(QImage::fromData(browser.loadResource(QTextDocument::ImageResource, QUrl(name)).toByteArray()).isNull())
            << name.toStdString();
        ++pictures;
      }
  EXPECT_GT(pictures, 30);
}

TEST_F(Viewer, FollowsLinksAndGoesBackAndForward) {
  HelpWindow window(kProgramDir, messages);
  window.ShowTopic(FormMain::HelpTopic);
  auto* back = window.findChild<QAction*>("helpBack");
  auto* forward = window.findChild<QAction*>("helpForward");
  ASSERT_TRUE(back && forward);

  // A relative link of the page, as a click on it follows it.
  window.Browser().setSource(window.Browser().source().resolved(QUrl("howtoplay.html#jump")));
  EXPECT_EQ(window.PageEntry(), "/howtoplay.html");
  EXPECT_EQ(window.PageTitle(), QStringLiteral("遊び方"));
  EXPECT_TRUE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());

  back->trigger();
  EXPECT_EQ(window.PageEntry(), "/play.html");
  EXPECT_TRUE(forward->isEnabled());
  forward->trigger();
  EXPECT_EQ(window.PageEntry(), "/howtoplay.html");

  // The contents list beside the page follows it, and opens the page of an item.
  auto* contents = window.findChild<QTreeWidget*>();
  ASSERT_TRUE(contents && contents->currentItem());
  EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("ジャンプ台とパワーメーター")) << "the item of the place shown";
  QTreeWidgetItem* title = contents->findItems(QStringLiteral("タイトル画面"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
  ASSERT_TRUE(title);
  emit contents->itemClicked(title, 0);
  EXPECT_EQ(window.PageEntry(), "/title.html");
  EXPECT_EQ(contents->currentItem(), title) << contents->currentItem()->text(0).toStdString();
}

TEST_F(Viewer, LinksInsidePagesOpenInTheViewerAndOnlyWebAndMailGoOutside) {
  HelpWindow window(kProgramDir, messages);
  std::vector<QUrl> outside;
  window.openExternal = [&](const QUrl& link) { outside.push_back(link); };
  window.ShowTopic(999);  // the first page
  ASSERT_EQ(window.PageEntry(), "/index.html");
  // As a player follows a link by keyboard: Tab to the page's first link, Enter.
  const auto key = [&](int k) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(&window.Browser(), &press);
  };
  key(Qt::Key_Tab);
  key(Qt::Key_Return);
  EXPECT_EQ(window.PageEntry(), "/howtoplay.html");
  EXPECT_EQ(window.PageTitle(), QStringLiteral("遊び方"));

  // Links as the browser hands them over on a click: resolved against the page shown.
  const QUrl page = window.Browser().source();
  struct Row { const char* href; std::string entry; bool outside; } rows[] = {
      {"play.html", "/play.html", false},
      {"howtoplay.html#jump", "/howtoplay.html", false},
      {"chm:/title.html", "/title.html", false},
      {"https://example.org/morvik", "/title.html", true},
      {"mailto:someone@example.org", "/title.html", true},
      {"file:///etc/passwd", "/title.html", false},
      {"javascript:alert(1)", "/title.html", false},
  };
  for (const Row& r : rows) {
    const std::size_t before = outside.size();
    emit window.Browser().anchorClicked(window.Browser().source().resolved(QUrl(QString::fromLatin1(r.href))));
    EXPECT_EQ(window.PageEntry(), r.entry) << r.href;
    EXPECT_EQ(outside.size(), before + (r.outside ? 1 : 0)) << r.href;
  }
  EXPECT_EQ(outside.front(), QUrl("https://example.org/morvik"));
  EXPECT_NE(page, window.Browser().source());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Viewer, AMissingOrDamagedFileIsReportedAndTheWindowStaysClosed) {
  QTemporaryDir dir;
  HelpWindow window(dir.path(), messages);
  window.ShowTopic(FormMain::HelpTopic);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("ヘルプファイル（morvik20.chm）が見つかりません。")));
  EXPECT_TRUE(messages.shown[0].contains(dir.filePath("morvik20.chm")));
  EXPECT_FALSE(window.isVisible());

  // Not a compiled help file.
  QFile damaged(dir.filePath("morvik20.chm"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("This is not a help file at all, only some text in its place.");
  damaged.close();
  window.ShowTopic(FormMain::HelpTopic);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_TRUE(messages.shown[1].contains(QStringLiteral("ヘルプファイル（morvik20.chm）を読み込めません。")));
  EXPECT_FALSE(window.isVisible());

  // The built file with bytes changed: such changes made the help library divide by zero or
  // read out of bounds. The file is not the one built with the program, so it is never read.
  ASSERT_TRUE(damaged.remove());
  QFile built(kProgramDir + "/morvik20.chm");
  ASSERT_TRUE(built.open(QIODevice::ReadOnly));
  const QByteArray good = built.readAll();
  for (const qsizetype at : {qsizetype{0x20}, qsizetype{0x70}, good.size() / 2, good.size() - 1}) {
    QByteArray bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0x5a);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(bad);
    damaged.close();
    const std::size_t before = messages.shown.size();
    window.ShowTopic(FormMain::HelpTopic);
    ASSERT_EQ(messages.shown.size(), before + 1) << at;
    EXPECT_TRUE(messages.shown.back().contains(QStringLiteral("ヘルプファイル（morvik20.chm）を読み込めません。"))) << at;
    EXPECT_FALSE(window.isVisible());
  }
  const std::size_t refusals = messages.shown.size();

  // Put right while the program runs, and spelt in capitals: found the next time.
  ASSERT_TRUE(damaged.remove());
  ASSERT_TRUE(QFile::copy(kProgramDir + "/morvik20.chm", dir.filePath("MORVIK20.CHM")));
  window.ShowTopic(FormMain::HelpTopic);
  EXPECT_EQ(messages.shown.size(), refusals);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.PageTitle(), QStringLiteral("プレイ画面とキー操作"));
}

// ---------------------------------------------------------------- the program's F1

// The program in a folder of its own, with or without the help file the build made.
struct Program {
  explicit Program(bool withHelpFile) {
    if (withHelpFile) {
      EXPECT_TRUE(QFile::copy(kProgramDir + "/morvik20.chm", dir.filePath("morvik20.chm")));
    }
    app = std::make_unique<Application>(dir.path(), Application::Services{scheduler, sound, messages, files, pictures});
    app->onEnd = [] {};
    app->Main();
  }
  // F1 typed in a window, which is then the active one.
  void F1(QWidget& window) {
    QApplication::setActiveWindow(&window);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&window, &release);
  }
  HelpWindow* Help() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* help = dynamic_cast<HelpWindow*>(w)) return help;
    return nullptr;
  }

  QTemporaryDir dir;
  VirtualScheduler scheduler;
  RecordingSound sound;
  test::AnsweringMessages messages;
  RecordingFileDialogs files;
  PictureStore pictures;
  std::unique_ptr<Application> app;
};

TEST(ProgramHelp, F1InEachWindowOpensTheHelpFileOfTheProgramFolderAtThatWindowsPage) {
  Program p(true);
  p.F1(p.app->Title());
  HelpWindow* help = p.Help();
  ASSERT_TRUE(help);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->PageTitle(), QStringLiteral("タイトル画面"));

  p.F1(p.app->Play());
  EXPECT_EQ(p.Help(), help) << "one help window";
  EXPECT_EQ(help->PageTitle(), QStringLiteral("プレイ画面とキー操作"));

  p.app->ChangeScreen(Application::Screen::Editor);
  p.F1(p.app->Edit());
  EXPECT_EQ(help->PageTitle(), QStringLiteral("ステージエディタ"));
  EXPECT_TRUE(p.messages.shown.empty());
}

// "作者ホームページへ" of the title and of the play screen opens the help's welcome page.
TEST(ProgramHelp, TheHomePageIsTheWelcomePageOfTheHelp) {
  Program p(true);
  for (QMainWindow* window : std::initializer_list<QMainWindow*>{&p.app->Title(), &p.app->Play()}) {
    QAction* item = nullptr;
    for (QAction* a : window->findChildren<QAction*>())
      if (a->text().startsWith(QStringLiteral("作者ホーム"))) item = a;
    ASSERT_NE(item, nullptr);
    if (p.Help()) p.Help()->hide();
    item->trigger();
    ASSERT_TRUE(p.Help());
    EXPECT_TRUE(p.Help()->isVisible());
    EXPECT_EQ(p.Help()->PageEntry(), "/index.html");
  }
  EXPECT_TRUE(p.messages.shown.empty());
}

TEST(ProgramHelp, WithoutTheHelpFileF1SaysSoAndTheProgramGoesOn) {
  Program p(false);
  p.F1(p.app->Title());
  ASSERT_EQ(p.messages.shown.size(), 1u);
  EXPECT_TRUE(p.messages.shown[0].contains(QStringLiteral("ヘルプファイル（morvik20.chm）が見つかりません。")));
  EXPECT_TRUE(p.messages.shown[0].contains(p.dir.filePath("morvik20.chm")));
  EXPECT_TRUE(!p.Help() || !p.Help()->isVisible());
  EXPECT_TRUE(p.app->Title().isVisible());
}

}  // namespace
}  // namespace morvik
