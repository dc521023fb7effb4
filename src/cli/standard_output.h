#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace vestrix::cli {

// Standard output as a command writes it: every write checked, and the
// first failure kept, after which nothing more is written. A reader that
// went away (a closed pipe) is told apart from a real failure (a full
// disk): the first ends a command quietly, the second is an error.
class StandardOutput {
 public:
  explicit StandardOutput(std::FILE* out) : out_(out) {}

  // Whether the bytes reached the system (flushed); false once any write
  // has failed.
  bool write(const char* data, std::size_t size);
  bool write(const std::string& text) { return write(text.data(), text.size()); }
  bool line(const std::string& text) { return write(text + "\n"); }
  // Flushes what is left; the system's error of the first failure, 0 when
  // everything was written.
  int finish();

  bool failed() const { return error_ != 0; }
  int error() const { return error_; }
  // The reader went away: nothing to say about it.
  bool readerGone() const;
  // Output failed: the command goes on or stops, but nothing more is written.
  void fail(int error);

 private:
  std::FILE* out_;
  int error_ = 0;
};

}  // namespace vestrix::cli
