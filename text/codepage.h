// Conversion between the program's internal single-byte text (Windows-1252)
// and UTF-8, the encoding of our source files and of qvx's terminal.
#pragma once

#include <string>
#include <string_view>

// Characters with no Windows-1252 byte become '?'; bytes that are not valid
// UTF-8 are taken as Windows-1252 bytes as they stand.
std::string utf8ToWindows1252(std::string_view utf8);
std::string windows1252ToUtf8(std::string_view text);
