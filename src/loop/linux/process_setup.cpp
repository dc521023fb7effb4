#include "loop/process_setup.h"

#include <csignal>

namespace vestrix::loop {

void PrepareProcess() {
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace vestrix::loop
