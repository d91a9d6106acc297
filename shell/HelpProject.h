#pragma once
// What the compiled help file says about its pages: its title and default page (the "/#SYSTEM"
// entry written by the help compiler), the topic numbers of the program's windows (our own
// topic map, a text entry of the file), and its contents and index (site maps in HTML).
// Plain text in, plain values out: no file and no window.
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace morvik {

// The entry that maps topic numbers to pages.
inline constexpr std::string_view HelpTopicMapEntry = "/topics.txt";

struct HelpSystem {
  std::string title;          // the window title of the help
  std::string defaultPage;    // entry of the page shown first, "/index.html"
  std::string contentsFile;   // entry of the contents site map, "/morvik20.hhc"
  std::string indexFile;      // entry of the index site map, "/morvik20.hhk"
};
// Reads the records of "/#SYSTEM": a 4-byte version, then records of a 16-bit code, a 16-bit
// length and that many bytes (code 0 contents file, 1 index file, 2 default page, 3 title),
// all little-endian. Damaged records end the reading; what was read stays.
HelpSystem ParseSystem(std::string_view bytes);

// The topic map: one topic a line, its number and the page, separated by blanks
// ("10  howtoplay.html"); "#" starts a comment. Pages become entries ("/howtoplay.html").
// Lines that do not start with a number are skipped.
std::map<int, std::string> ParseTopicMap(std::string_view text);

// One line of a contents or index site map.
struct SitemapItem {
  std::string name;   // the text shown
  std::string page;   // entry of the page it opens, empty for a heading without a page
  std::string anchor; // the place in the page ("jump" of "howtoplay.html#jump"), empty for its top
  int depth = 0;      // 0 at the top level, 1 inside the first list below it, ...
};
// Reads the items of a site map in document order: every <object type="text/sitemap"> with its
// "Name" and first "Local" parameter (a page, maybe with "#anchor"), the depth counted by the <ul> lists around it. Tags and
// parameter names are matched without regard to case; character references in the values
// are decoded.
std::vector<SitemapItem> ParseSitemap(std::string_view html);

// The entry a link or picture reference of a page leads to: an absolute reference ("/a.html")
// is taken as it is, a relative one from the folder of the page; "." and ".." are resolved,
// %-escapes decoded, and "#fragment" and "?query" dropped. Empty for references that leave
// the help file (with a scheme such as "http:"), for fragment-only references, and for ".."
// above the top.
std::string ResolveEntry(std::string_view page, std::string_view reference);

}  // namespace morvik
