#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vestrix::record::files {

// The few file operations the record file and its reader need, on the
// system's descriptors; each system brings its own. Error numbers are the
// C library's (errno).

// What a descriptor or a path names.
struct Facts {
  bool regular = false;  // a file, not a folder, FIFO or device
  std::int64_t size = 0;
  std::uint64_t device = 0;  // with inode: the file's identity (0 and 0 where the system has none)
  std::uint64_t inode = 0;
  std::uint64_t links = 1;  // names it has left (0: deleted while open)
};

struct Opened {
  int fd = -1;
  int error = 0;          // when fd < 0
  bool readable = false;  // also open for reading
};

// For appending, created when missing; never blocks (a FIFO without a
// reader must not hold the caller), and other programs may read the file
// meanwhile.
Opened OpenForAppend(const QString& path);
// For reading; never blocks.
Opened OpenForReading(const QString& path);
void Close(int fd);

std::optional<Facts> FactsOf(int fd);
// Of what a path names now; *error set when it names nothing.
std::optional<Facts> FactsOfPath(const QString& path, int* error);

// Once the file is known to be one: reads and writes wait again.
void MakeBlocking(int fd);
// Like write(2) and read(2): what was done, or -1 with errno; retried
// when interrupted.
long long WriteSome(int fd, const char* data, std::size_t size);
long long ReadSome(int fd, char* buffer, std::size_t size);
// One byte at an offset, without moving the file position.
std::optional<char> ByteAt(int fd, std::int64_t offset);
// Cuts the file back to a size.
bool TruncateTo(int fd, std::int64_t size);

// The system's words for an error number.
QString ErrorText(int error);
// Whether a write failed because its reader went away (a closed pipe).
bool ReaderGone(int error);

}  // namespace vestrix::record::files
