#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace morvik {

namespace {
const QString kCatalogue = QStringLiteral("qtbase_ja");
}

QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool InstallQtJapanese(QTranslator& translator, const QString& folder, QString* missing) {
  if (translator.load(kCatalogue, folder) && QCoreApplication::installTranslator(&translator)) return true;
  if (missing)
    *missing = QStringLiteral("Qt's Japanese translations (%1.qm) were not found in %2; standard dialogs and buttons "
                              "will be in English. They come with the package qt6-translations-l10n.")
                   .arg(kCatalogue, QDir::toNativeSeparators(folder));
  return false;
}

}  // namespace morvik
