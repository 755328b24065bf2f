// release_notes.h: the version-history text as Tabrix.exe stores it, read from the file itself.
#pragma once

#include <string>

// The bytes of resource 40101 of type 256 in the program at this path; empty if there is none.
std::string stored_release_notes(const std::string& exe_path);
