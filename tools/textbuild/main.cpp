// morvik-texts: writes the English texts of a translation file (.ts) as a C++ table, so that the
// programs built on the standard library alone (morvik-cli) give the same English as the game.
//   morvik-texts IN.ts OUT.cpp
#include <QCoreApplication>
#include <QFile>
#include <QXmlStreamReader>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

namespace {

// A C++ string literal of the UTF-8 bytes: octal escapes never run into the next character.
std::string Literal(const QString& text) {
  std::string out = "\"";
  char buf[8];
  for (const unsigned char c : text.toStdString()) {
    if (c == '"' || c == '\\' || c < 0x20 || c >= 0x7f) {
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: morvik-texts IN.ts OUT.cpp\n");
    return 2;
  }
  QFile in(QString::fromLocal8Bit(argv[1]));
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "morvik-texts: cannot read %s\n", argv[1]);
    return 1;
  }
  // (context, source) to translation, sorted as the lookup's binary search expects (bytewise).
  std::map<std::pair<std::string, std::string>, QString> texts;
  QXmlStreamReader xml(&in);
  QString context, source;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == QLatin1String("name")) context = xml.readElementText();
    else if (xml.name() == QLatin1String("source")) source = xml.readElementText();
    else if (xml.name() == QLatin1String("translation")) {
      const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
      const QString translation = xml.readElementText();
      if (finished && !translation.isEmpty()) texts[{context.toStdString(), source.toStdString()}] = translation;
    }
  }
  if (xml.hasError()) {
    std::fprintf(stderr, "morvik-texts: %s: %s\n", argv[1], xml.errorString().toLocal8Bit().constData());
    return 1;
  }
  std::string out =
      "// Generated at build time from the English translation file; see tools/textbuild.\n"
      "#include \"tools/textbuild/EnglishTexts.h\"\n\n#include <algorithm>\n#include <cstring>\n#include <iterator>\n\nnamespace morvik {\n\nnamespace {\n"
      "struct Entry {\n  const char* context;\n  const char* source;\n  const char* english;\n};\nconst Entry kEntries[] = {\n";
  for (const auto& [key, english] : texts)
    out += "    {" + Literal(QString::fromStdString(key.first)) + ", " + Literal(QString::fromStdString(key.second)) + ", " +
           Literal(english) + "},\n";
  out +=
      "};\n}  // namespace\n\nstd::string EnglishText(const char* context, const char* text) {\n"
      "  auto before = [](const Entry& e, const Entry& key) {\n"
      "    const int c = std::strcmp(e.context, key.context);\n"
      "    return c < 0 || (c == 0 && std::strcmp(e.source, key.source) < 0);\n  };\n"
      "  const Entry key{context, text, nullptr};\n"
      "  const Entry* found = std::lower_bound(std::begin(kEntries), std::end(kEntries), key, before);\n"
      "  if (found != std::end(kEntries) && !before(key, *found)) return found->english;\n"
      "  return text;\n}\n\n}  // namespace morvik\n";
  QFile file(QString::fromLocal8Bit(argv[2]));
  if (!file.open(QIODevice::WriteOnly) || file.write(out.data(), static_cast<qint64>(out.size())) != static_cast<qint64>(out.size())) {
    std::fprintf(stderr, "morvik-texts: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
