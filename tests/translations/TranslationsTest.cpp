// The English translation. Every Japanese text of the code goes through the translation system;
// the translation file, brought up to date from the code by lupdate, has a finished English text
// for each (same placeholders, same menu accelerators); the English advice has a block for every
// Japanese block, and the English help has every page and topic of the Japanese one.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <map>

namespace morvik {
namespace {

const QString kSource = QStringLiteral(MORVIK_SOURCE_DIR);

QString ReadText(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30ff) || (u >= 0x4e00 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef)) return true;
  }
  return false;
}

struct Message {
  QString context, source, translation;
  bool unfinished = false;
};

std::vector<Message> ReadTs(const QString& path) {
  std::vector<Message> out;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return out;
  QXmlStreamReader xml(&f);
  QString context;
  Message m;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (xml.name() == QLatin1String("message")) {
      m = Message{context, {}, {}, false};
    } else if (xml.name() == QLatin1String("source")) {
      m.source = xml.readElementText();
    } else if (xml.name() == QLatin1String("translation")) {
      const QString type = xml.attributes().value(QLatin1String("type")).toString();
      m.unfinished = !type.isEmpty();  // unfinished, vanished or obsolete
      m.translation = xml.readElementText();
      out.push_back(m);
    }
  }
  EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
  return out;
}

QStringList Placeholders(const QString& text) {
  QStringList found;
  for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text)) found << m.captured();
  found.sort();
  found.removeDuplicates();
  return found;
}

// Whether a menu text carries a keyboard accelerator ("ファイル(&F)", "&File"; "&&" is a plain "&").
bool HasAccelerator(QString text) { return text.remove(QStringLiteral("&&")).contains(QLatin1Char('&')); }

TEST(Translation, EveryTextOfTheCodeHasAFinishedEnglishText) {
  // lupdate reads the code into a copy of the translation file: a text added to the code and
  // not yet translated shows there as unfinished.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString ts = dir.filePath(QStringLiteral("morvik_en.ts"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(MORVIK_TS_FILE), ts));
  QFile::setPermissions(ts, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  QStringList args{QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete"),
                   QStringLiteral("-extensions"), QStringLiteral("cpp,h")};
  for (const QString& d : QStringLiteral(MORVIK_TRANSLATED_DIRS).split(QLatin1Char(','))) args << QDir(kSource).filePath(d);
  args << QStringLiteral("-ts") << ts;
  QProcess lupdate;
  lupdate.setWorkingDirectory(kSource);
  lupdate.start(QStringLiteral(MORVIK_LUPDATE), args);
  ASSERT_TRUE(lupdate.waitForFinished(120000)) << "lupdate did not finish";
  ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

  const std::vector<Message> messages = ReadTs(ts);
  EXPECT_GT(messages.size(), 200u) << "the code's texts were not found";
  int missing = 0;
  for (const Message& m : messages) {
    const std::string where = m.context.toStdString() + ": \"" + m.source.toStdString() + "\"";
    if (m.unfinished || m.translation.trimmed().isEmpty()) {
      ADD_FAILURE() << "no English text for " << where;
      ++missing;
      continue;
    }
    EXPECT_FALSE(HasJapanese(m.translation)) << where << " is translated as \"" << m.translation.toStdString() << "\"";
    EXPECT_EQ(Placeholders(m.source), Placeholders(m.translation)) << "placeholders differ in " << where;
    EXPECT_EQ(HasAccelerator(m.source), HasAccelerator(m.translation)) << "the menu accelerator differs in " << where;
  }
  if (missing)
    ADD_FAILURE() << missing << " text(s) lack English: run the build's target morvik_lupdate and translate "
                  << "what translations/morvik_en.ts marks unfinished";
}

// The string literals of a C++ source with their offsets; comments are skipped. `marked` is set
// for literals on a line whose comment says "untranslated:" (a text shown in its own language).
struct Literal {
  qsizetype at, end;
  QString text;
  int line;
  bool marked;
};

std::vector<Literal> Literals(const QString& code) {
  std::vector<Literal> out;
  int line = 1;
  for (qsizetype i = 0; i < code.size(); ++i) {
    const QChar c = code[i];
    if (c == QLatin1Char('\n')) ++line;
    if (c == QLatin1Char('/') && i + 1 < code.size() && code[i + 1] == QLatin1Char('/')) {
      while (i < code.size() && code[i] != QLatin1Char('\n')) ++i;
      --i;
    } else if (c == QLatin1Char('/') && i + 1 < code.size() && code[i + 1] == QLatin1Char('*')) {
      const qsizetype close = code.indexOf(QStringLiteral("*/"), i + 2);
      const qsizetype stop = close < 0 ? code.size() : close + 1;
      line += static_cast<int>(code.mid(i, stop - i).count(QLatin1Char('\n')));
      i = stop;
    } else if (c == QLatin1Char('\'')) {
      for (++i; i < code.size() && code[i] != QLatin1Char('\''); ++i)
        if (code[i] == QLatin1Char('\\')) ++i;
    } else if (c == QLatin1Char('"')) {
      Literal lit{i, 0, {}, line, false};
      for (++i; i < code.size() && code[i] != QLatin1Char('"'); ++i) {
        if (code[i] == QLatin1Char('\\')) lit.text += code[i++];
        lit.text += code[i];
      }
      lit.end = i + 1;
      const qsizetype eol = code.indexOf(QLatin1Char('\n'), i);
      lit.marked = code.mid(i, (eol < 0 ? code.size() : eol) - i).contains(QStringLiteral("untranslated:"));
      out.push_back(lit);
    }
  }
  return out;
}

TEST(Translation, JapaneseTextsOfTheCodeGoThroughTheTranslation) {
  // The text before a literal that hands it to the translation system.
  static const QRegularExpression call(
      QStringLiteral("\\b(tr|translate|QT_TR_NOOP|QT_TRANSLATE_NOOP)\\s*\\(\\s*(\"[^\"]*\"\\s*,\\s*)?$"));
  int files = 0;
  for (const QString& d : QStringLiteral(MORVIK_TRANSLATED_DIRS).split(QLatin1Char(','))) {
    QDirIterator it(QDir(kSource).filePath(d), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      const QString code = ReadText(path);
      ++files;
      bool previousPassed = false;
      qsizetype previousEnd = -1;
      for (const Literal& lit : Literals(code)) {
        // A literal right after another is the same text, continued.
        const bool continued = previousEnd >= 0 && code.mid(previousEnd, lit.at - previousEnd).trimmed().isEmpty();
        const qsizetype from = std::max<qsizetype>(0, lit.at - 160);
        const bool passed = continued ? previousPassed : call.match(code.mid(from, lit.at - from)).hasMatch();
        if (HasJapanese(lit.text) && !passed && !lit.marked)
          ADD_FAILURE() << QDir(kSource).relativeFilePath(path).toStdString() << ":" << lit.line << ": \""
                        << lit.text.toStdString() << "\" is not translated";
        previousPassed = passed;
        previousEnd = lit.end;
      }
    }
  }
  EXPECT_GT(files, 50);
}

// Stage number to the text of its advice block.
std::map<int, QString> AdviceBlocks(const QString& text) {
  std::map<int, QString> out;
  int open = -1;
  QString body;
  for (QString line : text.split(QLatin1Char('\n'))) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (open < 0) {
      static const QRegularExpression opener(QStringLiteral("^@(\\d\\d)$"));
      if (const auto m = opener.match(line); m.hasMatch()) {
        open = m.captured(1).toInt();
        body.clear();
      }
    } else if (line.startsWith(QLatin1Char('*'))) {
      out.emplace(open, body.trimmed());
      open = -1;
    } else {
      body += line + QLatin1Char('\n');
    }
  }
  return out;
}

TEST(Translation, EnglishAdviceHasABlockForEveryStage) {
  const auto japanese = AdviceBlocks(ReadText(kSource + QStringLiteral("/assets/advice/Advice.txt")));
  const auto english = AdviceBlocks(ReadText(kSource + QStringLiteral("/assets/advice/Advice.en.txt")));
  ASSERT_GT(japanese.size(), 30u);
  for (const auto& [stage, text] : japanese) {
    const auto found = english.find(stage);
    if (found == english.end()) {
      ADD_FAILURE() << "stage " << stage << " has no English advice";
      continue;
    }
    EXPECT_FALSE(found->second.isEmpty()) << "stage " << stage;
    for (const QChar c : found->second) EXPECT_LT(c.unicode(), 0x80) << "stage " << stage << " is not plain English";
  }
  for (const auto& [stage, text] : english)
    EXPECT_TRUE(japanese.count(stage)) << "stage " << stage << " has English advice but no Japanese";
  // The built file the game reads in English carries the same blocks.
  QFile built(QStringLiteral(MORVIK_TEST_PROGRAM_DIR "/Advice.en.dat"));
  ASSERT_TRUE(built.open(QIODevice::ReadOnly));
  EXPECT_EQ(AdviceBlocks(QString::fromLatin1(built.readAll())).size(), english.size());
}

// The help project's pages (its [FILES] lines that are not pictures) and its topic numbers.
QStringList ProjectPages(const QString& folder) {
  QStringList pages;
  bool inFiles = false;
  for (const QString& raw : ReadText(folder + QStringLiteral("/morvik20.hhp")).split(QLatin1Char('\n'))) {
    const QString line = raw.trimmed();
    if (line.startsWith(QLatin1Char('['))) inFiles = line == QLatin1String("[FILES]");
    else if (inFiles && !line.isEmpty() && !line.startsWith(QStringLiteral("pictures/"))) pages << line;
  }
  pages.sort();
  return pages;
}

TEST(Translation, EnglishHelpHasEveryPageAndTopicInEnglish) {
  const QString ja = kSource + QStringLiteral("/assets/help");
  const QString en = ja + QStringLiteral("/en");
  EXPECT_EQ(ProjectPages(ja), ProjectPages(en));
  EXPECT_EQ(ReadText(ja + QStringLiteral("/topics.txt")), ReadText(en + QStringLiteral("/topics.txt")));
  for (const QString& page : ProjectPages(en) + QStringList{QStringLiteral("morvik20.hhc"), QStringLiteral("morvik20.hhk")}) {
    if (!page.endsWith(QStringLiteral(".html")) && !page.startsWith(QStringLiteral("morvik20"))) continue;
    const QString path = QFile::exists(en + QLatin1Char('/') + page) ? en + QLatin1Char('/') + page : QString();
    ASSERT_FALSE(path.isEmpty()) << page.toStdString() << " has no English page";
    // The language menu's own name and the word for Japanese are the only Japanese allowed.
    QString text = ReadText(path);
    text.remove(QStringLiteral("言語")).remove(QStringLiteral("日本語"));
    EXPECT_FALSE(HasJapanese(text)) << page.toStdString() << " still holds Japanese";
  }
  EXPECT_TRUE(QFile::exists(QStringLiteral(MORVIK_TEST_PROGRAM_DIR "/morvik20.en.chm")));
}

}  // namespace
}  // namespace morvik
