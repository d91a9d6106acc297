// The screens' "|"-separated file filters in the form Qt's file dialogs take.
#include <gtest/gtest.h>

#include "platform/FileDialogs.h"

namespace morvik {
namespace {

TEST(FileDialogs, FiltersInQtForm) {
  struct Row { const char* filter; const char* qt; } rows[] = {
      {"モルビクステージデータ(*.mvk)|*.mvk|全てのファイル(*.*)|*.*", "モルビクステージデータ (*.mvk);;全てのファイル (*)"},
      {"Text files|*.txt;*.log", "Text files (*.txt *.log)"},
      {"Answers (*.mvka)|*.mvka", "Answers (*.mvka)"},
      {"No patterns|", "No patterns (*)"},
      {"", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(QtFileFilter(QString::fromUtf8(r.filter)), QString::fromUtf8(r.qt)) << r.filter;
}

}  // namespace
}  // namespace morvik
