#pragma once
// The language the game speaks: Japanese unless the player chose English, in the menu
// "表示" > "Language / 言語" or with `--lang en` on the command line. The choice is kept in the
// user's settings and, like the view size, takes effect when the program starts: the start
// installs the game's translation (or, in Japanese, Qt's own Japanese texts) before any window
// exists, and every screen reads its texts through Qt's translation system.
#include <QString>
#include <QStringList>
#include <functional>

class QMainWindow;
class QTranslator;

namespace morvik {
class SettingsFile;
}  // namespace morvik

namespace morvik::Language {

inline const QString Japanese = QStringLiteral("ja");
inline const QString English = QStringLiteral("en");

// The language kept in the settings: Japanese when none (or one the game does not speak) was kept.
QString Stored(const SettingsFile& settings);
// Keeps the language and saves the settings; false when the language is unknown or the save failed.
bool Store(SettingsFile& settings, const QString& language);
// The language named by "--lang xx" or "--lang=xx" in arguments; empty when none is named.
// A language the game does not speak is refused: *error says so and the result is empty.
QString FromArguments(const QStringList& arguments, QString* error);

// Makes language this run's language. In English the game's translation is loaded from
// `folder` (translations/ of the program folder) into `translator` and installed; when it cannot
// be, the game stays Japanese and *missing says why.
bool Install(const QString& language, QTranslator& translator, const QString& folder, QString* missing = nullptr);
// The language this run speaks.
QString Current();
bool IsEnglish();

// The program folder's files for this run's language.
QString AdviceFileName();  // "Advice.dat" or "Advice.en.dat"
QString HelpFileName();    // "morvik20.chm" or "morvik20.en.chm"

// Adds "Language / 言語" with "日本語" and "English" to the window's view menu (the menu whose
// object name is "viewMenu"), or as a menu of its own before the last menu when there is none;
// `chosen` is called with the language picked.
void AddMenu(QMainWindow& window, std::function<void(const QString&)> chosen);

}  // namespace morvik::Language
