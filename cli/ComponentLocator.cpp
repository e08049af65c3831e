#include "cli/ComponentLocator.h"

#include "cli/CliError.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#ifndef TESSOR_BUILD_COMPONENT_DIR
#define TESSOR_BUILD_COMPONENT_DIR ""
#endif

namespace cli {

namespace {

const char kBundleName[] = "TessorEQ.component";

std::string ExecutableDir() {
  char path[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (n <= 0) return "";
  std::string exe(path, static_cast<size_t>(n));
  size_t slash = exe.find_last_of('/');
  return slash == std::string::npos ? "" : exe.substr(0, slash);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::vector<std::string> ComponentSearchPaths() {
  std::vector<std::string> paths;
  const std::string dir = ExecutableDir();
  if (!dir.empty()) {
    paths.push_back(dir + "/" + kBundleName);
    paths.push_back(dir + "/../" + kBundleName);
  }
  if (*TESSOR_BUILD_COMPONENT_DIR) paths.push_back(TESSOR_BUILD_COMPONENT_DIR);
  return paths;
}

std::string LocateComponent(const std::string& explicitPath) {
  if (!explicitPath.empty()) return explicitPath;
  std::string searched;
  for (const std::string& p : ComponentSearchPaths()) {
    if (IsDirectory(p)) return p;
    searched += (searched.empty() ? "" : ", ") + p;
  }
  throw Failure("no " + std::string(kBundleName) + " found (looked in " + searched +
                "); build it or pass --component PATH");
}

}  // namespace cli
