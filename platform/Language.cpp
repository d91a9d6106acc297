#include "platform/Language.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include "platform/SettingsFile.h"
#include <QTranslator>
#include <vector>

#include "core/Translate.h"

namespace morvik::Language {

namespace {
const QString kKey = QStringLiteral("view/language");
QString current = Japanese;
// Every window's menu, so that a choice made in one is checked in all.
std::vector<QPointer<QActionGroup>> groups;

bool Known(const QString& language) { return language == Japanese || language == English; }

// The pure libraries' texts go through the translators installed in the application.
std::string QtTranslate(const char* context, const char* text) {
  return QCoreApplication::translate(context, text).toStdString();
}

void CheckEverywhere(const QString& language) {
  for (const QPointer<QActionGroup>& g : groups)
    if (g)
      for (QAction* a : g->actions()) a->setChecked(a->data().toString() == language);
}
}  // namespace

QString Stored(const SettingsFile& settings) {
  const QString language = settings.Value(kKey);
  return Known(language) ? language : Japanese;
}

bool Store(SettingsFile& settings, const QString& language) {
  if (!Known(language)) return false;
  settings.SetValue(kKey, language);
  return settings.Save();
}

QString FromArguments(const QStringList& arguments, QString* error) {
  QString named;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (a == QLatin1String("--lang")) {
      named = i + 1 < arguments.size() ? arguments[++i] : QString();
      if (named.isEmpty()) {
        if (error) *error = QStringLiteral("--lang needs a language: ja or en");
        return {};
      }
    } else if (a.startsWith(QLatin1String("--lang="))) {
      named = a.mid(7);
    }
  }
  if (named.isEmpty()) return {};
  named = named.toLower();
  if (!Known(named)) {
    if (error) *error = QStringLiteral("unknown language \"%1\" for --lang; the game speaks ja and en").arg(named);
    return {};
  }
  return named;
}

bool Install(const QString& language, QTranslator& translator, const QString& folder, QString* missing) {
  current = Japanese;
  SetTranslator(nullptr);
  if (language != English) return true;
  const QString catalogue = QStringLiteral("morvik_en");
  if (translator.load(catalogue, folder) && QCoreApplication::installTranslator(&translator)) {
    current = English;
    SetTranslator(&QtTranslate);
    return true;
  }
  if (missing)
    *missing = QStringLiteral("the English translation (%1.qm) was not found in %2; the game stays in Japanese.")
                   .arg(catalogue, QDir::toNativeSeparators(folder));
  return false;
}

QString Current() { return current; }
bool IsEnglish() { return current == English; }

QString AdviceFileName() { return IsEnglish() ? QStringLiteral("Advice.en.dat") : QStringLiteral("Advice.dat"); }
QString HelpFileName() { return IsEnglish() ? QStringLiteral("morvik20.en.chm") : QStringLiteral("morvik20.chm"); }

void AddMenu(QMainWindow& window, std::function<void(const QString&)> chosen) {
  // The menu's name is the same in both languages, so that a player who cannot read the
  // language shown still finds the way back.
  auto* menu = new QMenu(QStringLiteral("Language / 言語"), &window);  // untranslated: both languages
  menu->setObjectName(QStringLiteral("languageMenu"));
  auto* group = new QActionGroup(menu);
  for (const auto& [language, name] : {std::pair{Japanese, QStringLiteral("日本語")},  // untranslated: each in its own language
                                        std::pair{English, QStringLiteral("English")}}) {
    QAction* a = menu->addAction(name);
    a->setCheckable(true);
    a->setChecked(language == current);
    a->setData(language);
    group->addAction(a);
    QObject::connect(a, &QAction::triggered, &window, [chosen, language = language] {
      CheckEverywhere(language);
      if (chosen) chosen(language);
    });
  }
  groups.emplace_back(group);
  if (auto* view = window.findChild<QMenu*>(QStringLiteral("viewMenu"))) {
    view->addSeparator();
    view->addMenu(menu);
    return;
  }
  const QList<QAction*> menus = window.menuBar()->actions();
  if (menus.isEmpty()) window.menuBar()->addMenu(menu);
  else window.menuBar()->insertMenu(menus.last(), menu);
}

}  // namespace morvik::Language
