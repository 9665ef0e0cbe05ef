#pragma once

#include <string>

namespace vellumet::testing {

enum class ProgramContents { Full, FoldersOnly };

// Lays out a program folder at `dir` (made when missing): Template/ with a
// small template of every name, each carrying all its markers and its own name
// in a comment; buttons/ with two images; and both icon lists, referring to
// buttons/b1.gif .. b8.gif, with frame style 0 (VellumetDefault.ini) and 2
// (Vellumet.ini). FoldersOnly makes the two folders empty.
void make_program_folder(const std::string& dir, ProgramContents contents = ProgramContents::Full);

}  // namespace vellumet::testing
