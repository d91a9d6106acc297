#pragma once
// The texts the pure libraries hand to people (stage file errors, the editor's caption) are
// written in Japanese and pass through translate(), so that the program can show them in the
// player's language: the program sets a translator at its start (Qt's translation system), and
// until one is set every text comes back as written. The texts are collected into the
// translation files from the calls themselves, so a context and a text are always literals.
#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text for the translation files where it is written down; it is translated where it is
// used (Qt defines the same macro, to the same effect).
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace morvik {

using Translator = std::string (*)(const char* context, const char* text);

// Sets the translator every later translate() goes through; nullptr takes it away again.
void SetTranslator(Translator translator);
std::string translate(const char* context, const char* text);

// The pattern with "%1" to "%9" replaced by the arguments, in one pass: an argument that holds
// "%2" is not read again. A number with no argument stays as written.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments);

}  // namespace morvik
