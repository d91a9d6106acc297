#pragma once
// Qt's own Japanese texts: the buttons of message boxes (はい / いいえ / キャンセル) and the
// file dialogs, which Qt shows in English unless its translations are loaded.
#include <QString>

class QTranslator;

namespace morvik {

// Where the system keeps Qt's translations.
QString QtTranslationsFolder();

// Loads Qt's Japanese translations from folder into translator and installs it in the
// application. When they are not there, nothing is installed, the program goes on with
// English buttons, and *missing says so (for the standard error).
bool InstallQtJapanese(QTranslator& translator, const QString& folder, QString* missing = nullptr);

}  // namespace morvik
