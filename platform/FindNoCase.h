#pragma once
// Files beside the program are looked up whatever the letter case of their names.
#include <QString>

namespace morvik {

// The file of that name in the folder, whatever the letter case of either; empty if none.
QString FindNoCase(const QString& folder, const QString& name);

}  // namespace morvik
