#include "shell/HelpWindow.h"

#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

namespace morvik {

namespace {

const char* const kStyle = "<style>body{font-family:'ＭＳ Ｐゴシック';} h2{color:#5a3a6e;} td{padding:2px 8px;}</style>";

const char* const kContents =
    "<h2>モルビクのヘルプ</h2>"
    "<ul><li><a href='topic:10'>遊び方</a></li>"
    "<li><a href='topic:2'>キー操作とプレイ画面</a></li>"
    "<li><a href='topic:1'>タイトル画面</a></li></ul>";

const char* const kHowToPlay =
    "<h2>遊び方</h2>"
    "<p>モルビクを動かして、ステージにある花を<b>黄色と赤の順番に交互に</b>すべて取り、"
    "PX（小さな渦）をすべて穴に落とすとステージクリアです。最初に取る花の色は画面下の「Next」に出ています。</p>"
    "<ul><li>石は押して動かせます。穴に落とすと穴が埋まり、水に落とすと沈みます。</li>"
    "<li>PXを穴に落とすと渦になります。最後のPXを落とすと閉じた門がすべて開きます。</li>"
    "<li>石やPXを花の上に押したり、PXを水に落としたり、渦やトゲの上に乗ったりするとミスです。</li>"
    "<li>順番でない色の花の上は歩いて通れます。花はそのまま残ります。</li>"
    "<li>ひびの入った氷は、上を歩いて離れると割れて水になります。</li>"
    "<li>明るい地面と草地には Z キーで穴を掘れます。掘った穴には石やPXを落とせます。</li>"
    "<li>ジャンプ台の上で X を押すとパワーメーターが動きだし、もう一度 X を押すとメーターの分だけ跳びます。"
    "石の上に降りると跳ね返り、氷の上では滑ります。長く跳んで別のジャンプ台に降りると、もう一度跳ね上がります。</li></ul>"
    "<p><a href='topic:2'>キー操作</a> ・ <a href='topic:0'>目次</a></p>";

const char* const kPlayScreen =
    "<h2>キー操作とプレイ画面</h2>"
    "<table><tr><td>矢印キー、テンキー 4 8 6 2</td><td>向きを変えて一歩進む（石やPXを押す）</td></tr>"
    "<tr><td>Shift</td><td>その場で右回りに向きを変える</td></tr>"
    "<tr><td>Z</td><td>目の前に穴を掘る</td></tr>"
    "<tr><td>X</td><td>ジャンプ台の上でパワーメーターを動かす／もう一度押してジャンプ</td></tr>"
    "<tr><td>Delete</td><td>ギブアップ（ステージをやり直す）</td></tr>"
    "<tr><td>Ctrl+Q</td><td>タイトル画面に戻る</td></tr>"
    "<tr><td>F12</td><td>ゲーム終了</td></tr></table>"
    "<p>「設定」メニューでBGMと効果音を切り替えられます。</p>"
    "<p><a href='topic:10'>遊び方</a> ・ <a href='topic:0'>目次</a></p>";

const char* const kTitle =
    "<h2>タイトル画面</h2>"
    "<p>「STAGE」の一覧から始めるステージを選び、「Start !」（Enter キー）で始めます。"
    "一覧には、これまでにたどり着いたステージまでが並びます。</p>"
    "<p>「ゲーム」メニューの「ステージデータを開く」で、ステージエディタで作ったステージファイル（*.mvk）を遊べます。"
    "ファイルをタイトル画面にドロップしても遊べます。</p>"
    "<p>「プレイデータ消去」で、進んだステージの記録を最初に戻します。</p>"
    "<p><a href='topic:10'>遊び方</a> ・ <a href='topic:0'>目次</a></p>";

}  // namespace

QString HelpPage(int topic) {
  const char* body = topic == 10 ? kHowToPlay : topic == 2 ? kPlayScreen : topic == 1 ? kTitle : kContents;
  return QString::fromUtf8(kStyle) + QString::fromUtf8(body);
}

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent), browser_(new QTextBrowser(this)) {
  setWindowTitle(QStringLiteral("モルビクのヘルプ"));
  resize(520, 440);
  browser_->setOpenLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    if (url.scheme() == QLatin1String("topic")) ShowTopic(url.path().toInt());
  });
  setCentralWidget(browser_);
}

void HelpWindow::ShowTopic(int topic) {
  browser_->setHtml(HelpPage(topic));
  show();
  raise();
  activateWindow();
}

QString HelpWindow::PageTitle() const {
  return browser_->document()->findBlockByNumber(0).text();
}

}  // namespace morvik
