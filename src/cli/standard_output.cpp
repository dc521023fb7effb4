#include "cli/standard_output.h"

#include <cerrno>

namespace vestrix::cli {

void StandardOutput::fail(int error) {
  if (error_ == 0) error_ = error != 0 ? error : EIO;
}

bool StandardOutput::write(const char* data, std::size_t size) {
  if (error_ != 0) return false;
  errno = 0;
  if (std::fwrite(data, 1, size, out_) != size || std::fflush(out_) != 0 || std::ferror(out_) != 0) {
    fail(errno);
    return false;
  }
  return true;
}

int StandardOutput::finish() {
  if (error_ == 0) {
    errno = 0;
    if (std::fflush(out_) != 0 || std::ferror(out_) != 0) fail(errno);
  }
  return error_;
}

bool StandardOutput::readerGone() const { return error_ == EPIPE; }

}  // namespace vestrix::cli
