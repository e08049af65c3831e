#include "cli/OutputPath.h"

#include "cli/CliError.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>

namespace cli {

namespace {

bool EndsWithPng(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ext = path.substr(path.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".png";
}

}  // namespace

void CheckNotDirectory(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    throw UsageError("'" + path + "' is a directory; give the path of the file to write");
}

void CheckPngOutput(const std::string& path) {
  if (!EndsWithPng(path))
    throw UsageError("OUT '" + path + "' should end in .png; the picture is a PNG file");
  CheckNotDirectory(path);
}

}  // namespace cli
