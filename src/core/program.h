#pragma once

namespace zarnek {

// The application title and main window caption; a second instance finds the
// first one by it.
extern const char* const kProgramTitle;

}  // namespace zarnek
