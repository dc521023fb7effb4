#pragma once

#include <string>
#include <string_view>

#include <sys/types.h>

namespace vestrix::hid::linux_hid {

// Who holds the flock(2) lock on a file, as /proc/locks tells it (readable
// by every user): "name (pid N)" with the name from /proc/N/comm, or just
// "pid N" where the process's name cannot be read; empty when no lock of
// the file is listed (another PID namespace, or the lock is gone).
std::string LockHolder(dev_t device, ino_t inode, const std::string& procRoot = "/proc");

// The pid of the flock(2) lock on the file in the text of /proc/locks, or
// 0 when none is listed ("1: FLOCK  ADVISORY  WRITE 1234 00:05:471 0 EOF").
pid_t FlockPid(std::string_view locks, dev_t device, ino_t inode);

}  // namespace vestrix::hid::linux_hid
