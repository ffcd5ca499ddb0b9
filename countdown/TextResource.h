// Texts shipped as resources of type TEXT: one text file each, read as lines.
#pragma once

#include <string>
#include <vector>

namespace zv {

// The lines of the text resource `name`; the line break that ends the file starts no line of its own.
// Throws Exception when the program carries no such resource.
std::vector<std::string> TextResourceLines(const char* name);

} // namespace zv
