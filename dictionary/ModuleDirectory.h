#pragma once
#include <string>

// The full path of the running executable, whatever its length.
std::wstring ModuleFilePath();

// ModuleFilePath cut at its last backslash, without it: every file the
// program opens is this folder followed by a path that begins with "\".
std::wstring ModuleDirectory();
