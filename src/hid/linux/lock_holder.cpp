#include "hid/linux/lock_holder.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

#include <sys/sysmacros.h>

namespace vestrix::hid::linux_hid {

namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  while (!line.empty()) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) break;
    line.remove_prefix(start);
    const std::size_t end = line.find_first_of(" \t");
    words.push_back(line.substr(0, end));
    line.remove_prefix(end == std::string_view::npos ? line.size() : end);
  }
  return words;
}

template <class T>
bool Number(std::string_view text, T& value, int base) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

// "MAJ:MIN:INODE", the device numbers in hex and the inode in decimal.
bool SameFile(std::string_view text, dev_t device, ino_t inode) {
  const std::size_t first = text.find(':');
  const std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
  if (second == std::string_view::npos) return false;
  unsigned major = 0;
  unsigned minor = 0;
  unsigned long long ino = 0;
  return Number(text.substr(0, first), major, 16) && Number(text.substr(first + 1, second - first - 1), minor, 16) &&
         Number(text.substr(second + 1), ino, 10) && major == ::major(device) && minor == ::minor(device) &&
         ino == static_cast<unsigned long long>(inode);
}

}  // namespace

pid_t FlockPid(std::string_view locks, dev_t device, ino_t inode) {
  while (!locks.empty()) {
    const std::size_t end = locks.find('\n');
    const std::string_view line = locks.substr(0, end);
    locks.remove_prefix(end == std::string_view::npos ? locks.size() : end + 1);
    // Waiting locks are listed as "1: -> FLOCK ..."; only a holder counts.
    const std::vector<std::string_view> words = Words(line);
    if (words.size() < 6 || words[1] != "FLOCK") continue;
    pid_t pid = 0;
    if (SameFile(words[5], device, inode) && Number(words[4], pid, 10) && pid > 0) return pid;
  }
  return 0;
}

std::string LockHolder(dev_t device, ino_t inode, const std::string& procRoot) {
  std::ifstream locksFile(procRoot + "/locks");
  std::ostringstream locks;
  locks << locksFile.rdbuf();
  const pid_t pid = FlockPid(locks.str(), device, inode);
  if (pid == 0) return {};
  std::ifstream commFile(procRoot + "/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(commFile, name);
  const std::string id = "pid " + std::to_string(pid);
  return name.empty() ? id : name + " (" + id + ")";
}

}  // namespace vestrix::hid::linux_hid
