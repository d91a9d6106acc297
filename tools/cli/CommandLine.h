#pragma once
// The words of morvik-cli's command lines that every command reads alike: help asked for
// anywhere before "--", and the play command's file, stage and moves.
#include <string>
#include <vector>

namespace morvik {

// True when "--help" or "-h" stands before any "--" (the command word included).
bool WantsHelp(const std::vector<std::string>& args);

struct PlayArgs {
  std::string file;
  int stage = -1;      // -1: the file is a stage-unit file
  std::string moves;   // every word after the file, joined
};

// args[0] is the command. Options may stand anywhere before "--"; after it every word is the
// file or moves. "" when fine, else the complaint.
std::string ParsePlayArgs(const std::vector<std::string>& args, PlayArgs& a);

// A stage number 0 to 99, or -1.
int ParseStageNumber(const std::string& s);

}  // namespace morvik
