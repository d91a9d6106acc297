#include "shell/HelpProject.h"

#include <cctype>
#include <charconv>
#include <cstdint>

namespace morvik {

namespace {

std::string AsEntry(std::string_view page) {
  std::string entry(page);
  if (entry.empty() || entry.front() != '/') entry.insert(entry.begin(), '/');
  return entry;
}

uint16_t Word(std::string_view bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// A record's text ends at its first NUL.
std::string Text(std::string_view data) { return std::string(data.substr(0, data.find('\0'))); }

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool StartsNoCase(std::string_view text, size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (Lower(text[at + i]) != word[i]) return false;
  return true;
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Decodes &amp; &lt; &gt; &quot; &apos; and numeric character references; others stay.
std::string DecodeReferences(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t semi = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
    if (semi == std::string_view::npos || semi - i > 10) {
      out += text[i];
      continue;
    }
    const std::string_view name = text.substr(i + 1, semi - i - 1);
    static const std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    bool done = false;
    for (const auto& [n, c] : kNamed)
      if (name == n) {
        out += c;
        done = true;
      }
    if (!done && name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x' || name[1] == 'X';
      const std::string_view digits = name.substr(hex ? 2 : 1);
      uint32_t code = 0;
      const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
      if (ec == std::errc{} && end == digits.data() + digits.size() && !digits.empty() && code <= 0x10FFFF) {
        AppendUtf8(out, code);
        done = true;
      }
    }
    if (done)
      i = semi;
    else
      out += text[i];
  }
  return out;
}

// The attributes of a tag, names in lower case; the text runs from after the tag name to '>'.
std::map<std::string, std::string> Attributes(std::string_view tag) {
  std::map<std::string, std::string> attributes;
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < tag.size() && std::isspace(static_cast<unsigned char>(tag[i]))) ++i;
  };
  while (i < tag.size()) {
    skipBlanks();
    const size_t nameStart = i;
    while (i < tag.size() && !std::isspace(static_cast<unsigned char>(tag[i])) && tag[i] != '=' && tag[i] != '/') ++i;
    std::string name;
    for (char c : tag.substr(nameStart, i - nameStart)) name += Lower(c);
    skipBlanks();
    std::string value;
    if (i < tag.size() && tag[i] == '=') {
      ++i;
      skipBlanks();
      if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
        const char quote = tag[i++];
        const size_t end = std::min(tag.find(quote, i), tag.size());
        value = tag.substr(i, end - i);
        i = end + 1;
      } else {
        const size_t start = i;
        while (i < tag.size() && !std::isspace(static_cast<unsigned char>(tag[i]))) ++i;
        value = tag.substr(start, i - start);
      }
    }
    if (!name.empty()) attributes.emplace(name, DecodeReferences(value));
    if (i == nameStart) ++i;  // a lone '/' or '='
  }
  return attributes;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

HelpSystem ParseSystem(std::string_view bytes) {
  HelpSystem system;
  size_t at = 4;
  while (at + 4 <= bytes.size()) {
    const uint16_t code = Word(bytes, at);
    const uint16_t length = Word(bytes, at + 2);
    at += 4;
    if (at + length > bytes.size()) break;
    const std::string_view data = bytes.substr(at, length);
    at += length;
    switch (code) {
      case 0: system.contentsFile = AsEntry(Text(data)); break;
      case 1: system.indexFile = AsEntry(Text(data)); break;
      case 2: system.defaultPage = AsEntry(Text(data)); break;
      case 3: system.title = Text(data); break;
      default: break;
    }
  }
  return system;
}

std::map<int, std::string> ParseTopicMap(std::string_view text) {
  std::map<int, std::string> topics;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    line = line.substr(0, std::min(line.find('#'), line.size()));
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front())) line.remove_prefix(1);
    while (!line.empty() && blank(line.back())) line.remove_suffix(1);
    int topic = 0;
    const auto [rest, ec] = std::from_chars(line.data(), line.data() + line.size(), topic);
    if (ec != std::errc{} || rest == line.data() + line.size() || !blank(*rest)) continue;
    std::string_view page = line.substr(static_cast<size_t>(rest - line.data()));
    while (!page.empty() && blank(page.front())) page.remove_prefix(1);
    if (!page.empty()) topics[topic] = AsEntry(page);
  }
  return topics;
}

std::vector<SitemapItem> ParseSitemap(std::string_view html) {
  std::vector<SitemapItem> items;
  int depth = -1;  // the outermost list holds the top level
  bool open = false;  // inside an <object> of the site map: its parameters go to the last item
  size_t at = 0;
  while ((at = html.find('<', at)) != std::string_view::npos) {
    if (html.compare(at, 4, "<!--") == 0) {
      const size_t end = html.find("-->", at + 4);
      if (end == std::string_view::npos) break;
      at = end + 3;
      continue;
    }
    const size_t end = html.find('>', at);
    if (end == std::string_view::npos) break;
    const std::string_view tag = html.substr(at + 1, end - at - 1);
    at = end + 1;
    if (StartsNoCase(tag, 0, "ul") && (tag.size() == 2 || std::isspace(static_cast<unsigned char>(tag[2])))) {
      ++depth;
    } else if (StartsNoCase(tag, 0, "/ul")) {
      depth = std::max(depth - 1, -1);
    } else if (StartsNoCase(tag, 0, "object")) {
      const auto attributes = Attributes(tag.substr(6));
      const auto type = attributes.find("type");
      if (type == attributes.end()) continue;
      std::string kind;
      for (char c : type->second) kind += Lower(c);
      if (kind != "text/sitemap") continue;
      items.push_back({{}, {}, {}, std::max(depth, 0)});
      open = true;
    } else if (StartsNoCase(tag, 0, "/object")) {
      open = false;
    } else if (open && StartsNoCase(tag, 0, "param")) {
      const auto attributes = Attributes(tag.substr(5));
      const auto name = attributes.find("name");
      const auto value = attributes.find("value");
      if (name == attributes.end() || value == attributes.end()) continue;
      std::string key;
      for (char c : name->second) key += Lower(c);
      SitemapItem& item = items.back();
      if (key == "name" && item.name.empty()) item.name = value->second;
      if (key == "local" && item.page.empty()) {
        item.page = ResolveEntry("/", value->second);
        const size_t hash = value->second.find('#');
        if (!item.page.empty() && hash != std::string::npos) item.anchor = value->second.substr(hash + 1);
      }
    }
  }
  return items;
}

std::string ResolveEntry(std::string_view page, std::string_view reference) {
  reference = reference.substr(0, std::min(reference.find_first_of("#?"), reference.size()));
  if (reference.empty()) return {};
  const size_t colon = reference.find(':');
  if (colon != std::string_view::npos && colon < reference.find('/')) return {};

  std::string decoded;
  for (size_t i = 0; i < reference.size(); ++i) {
    if (reference[i] == '%' && i + 2 < reference.size() && HexValue(reference[i + 1]) >= 0 &&
        HexValue(reference[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(reference[i + 1]) * 16 + HexValue(reference[i + 2]));
      i += 2;
    } else {
      decoded += reference[i] == '\\' ? '/' : reference[i];
    }
  }

  std::string joined;
  if (decoded.front() == '/') {
    joined = decoded;
  } else {
    const size_t slash = page.rfind('/');
    joined = std::string(slash == std::string_view::npos ? std::string_view{} : page.substr(0, slash)) + "/" + decoded;
  }

  std::vector<std::string_view> parts;
  std::string_view rest = joined;
  while (!rest.empty()) {
    const size_t end = std::min(rest.find('/'), rest.size());
    const std::string_view part = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (parts.empty()) return {};
      parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  if (parts.empty()) return {};
  std::string entry;
  for (std::string_view part : parts) {
    entry += '/';
    entry += part;
  }
  return entry;
}

}  // namespace morvik
