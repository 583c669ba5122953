// Replacing a file only once its new contents are complete, so that a
// failed or interrupted write leaves the old file as it was.
#pragma once

#include <string>

enum class WriteOutcome { Written, OpenFailed, WriteFailed };

WriteOutcome replaceFileContents(const std::string& path, const std::string& contents);
