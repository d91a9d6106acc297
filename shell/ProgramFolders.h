#pragma once
// Where the program's files are: beside the program (the build folder "build/bin", or a copy
// unpacked anywhere), or in the data folder of an installed layout, found from the program's
// own folder (bin beside share/morvik, whatever the prefix). An installed program keeps the
// player's progress in the user's data folder only.
#include <QString>
#include <QStringList>

namespace morvik {

struct ProgramFolders {
  QString data;              // the stages, pictures, sound, help and advice
  bool installed = false;
  QStringList importFrom;    // an installed program: where an older progress file may lie
};

// installedData: the installed data folder, relative to programDir or absolute; stages: the
// name of the stages' file. The files beside the program win; the installed folder counts
// only when it holds the stages.
ProgramFolders FindProgramFolders(const QString& programDir, const QString& installedData, const QString& stages);

}  // namespace morvik
