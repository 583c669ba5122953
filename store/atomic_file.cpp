#include "store/atomic_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

WriteOutcome replaceFileContents(const std::string& path, const std::string& contents) {
  // The temporary file lies beside the target, so the final rename stays
  // within one folder (and one drive).
  std::string temporary = path + ".new";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return WriteOutcome::OpenFailed;
  bool complete = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
  complete = std::fflush(file) == 0 && complete;
  complete = std::fclose(file) == 0 && complete;
  std::error_code error;
  if (complete) {
    std::filesystem::rename(temporary, path, error);
    if (!error) return WriteOutcome::Written;
  }
  std::filesystem::remove(temporary, error);
  return complete ? WriteOutcome::OpenFailed : WriteOutcome::WriteFailed;
}
