// The program: started from the folder it lives in or from its installed layout.
#include "shell/ProgramStart.h"

int main(int argc, char** argv) {
  morvik::StartOptions options;
  options.installedData = QStringLiteral(MORVIK_INSTALLED_DATA);
  return morvik::RunProgram(argc, argv, options);
}
