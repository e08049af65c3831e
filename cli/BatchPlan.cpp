#include "cli/BatchPlan.h"

#include "cli/AudioFile.h"
#include "cli/CliError.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <utility>

namespace cli {

namespace {

// A file's identity: device and inode when it exists, else its path as given, so that
// "a.wav", "./a.wav" and a hard link all count as the same input.
struct FileId {
  dev_t device = 0;
  ino_t inode = 0;
  std::string path;  // only for files that do not exist

  bool operator<(const FileId& o) const {
    if (device != o.device) return device < o.device;
    if (inode != o.inode) return inode < o.inode;
    return path < o.path;
  }
};

FileId IdOf(const std::string& path) {
  FileId id;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) {
    id.device = st.st_dev;
    id.inode = st.st_ino;
  } else {
    id.path = path;
  }
  return id;
}

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Join(std::string dir, const std::string& name) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir == "/" ? "/" + name : dir + "/" + name;
}

}  // namespace

std::vector<BatchItem> PlanBatch(const std::vector<std::string>& inputs, const std::string& dir) {
  struct stat st;
  if (::stat(dir.c_str(), &st) == 0 && !S_ISDIR(st.st_mode))
    throw UsageError("--out-dir '" + dir + "' is not a directory");

  std::map<FileId, std::string> inputIds;      // identity -> the input as first given
  std::map<std::string, std::string> writers;  // output -> the input that writes it
  std::vector<BatchItem> items;
  for (const std::string& input : inputs) {
    auto named = inputIds.emplace(IdOf(input), input);
    if (!named.second)
      throw UsageError(
          "'" + input + "' is given twice" +
          (named.first->second == input ? "" : " (also as '" + named.first->second + "')") +
          "; give each input once");
    const std::string name = FileName(input);
    if (name.empty() || name == "." || name == "..")
      throw UsageError("'" + input + "' names no file to render");
    const std::string output = Join(dir, name);
    auto written = writers.emplace(output, input);
    if (!written.second)
      throw UsageError("'" + written.first->second + "' and '" + input +
                       "' would both be written to '" + output +
                       "'; render files with the same name into different directories");
    CheckWritableExtension(output);
    items.push_back({input, output});
  }
  // Only now are all inputs known, so an output can be checked against every one of them.
  for (const BatchItem& item : items) {
    if (::stat(item.output.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode))
      throw UsageError("'" + item.output + "' is a directory; it cannot take the render of '" +
                       item.input + "'");
    auto replaced = inputIds.find(IdOf(item.output));
    if (replaced != inputIds.end())
      throw UsageError("'" + item.output + "' would replace the input '" + replaced->second + "'" +
                       (replaced->second == item.input ? " with its own render" : "") +
                       "; choose an --out-dir that holds none of the inputs");
  }
  return items;
}

void MakeOutputDirectory(const std::string& dir) {
  if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST)
    throw Failure("cannot create the directory '" + dir + "': " + std::strerror(errno));
}

}  // namespace cli
