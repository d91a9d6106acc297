#pragma once
// The game's English texts for the programs built on the standard library alone: the table is
// written at build time from the English translation file, so morvik-cli's messages from the
// shared libraries read exactly as the game's. A translator for SetTranslator (core/Translate.h).
#include <string>

namespace morvik {

// The English of a text of the translation file; a text it does not hold comes back as it is.
std::string EnglishText(const char* context, const char* text);

}  // namespace morvik
