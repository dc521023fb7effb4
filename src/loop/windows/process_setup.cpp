#include "loop/process_setup.h"

#include <cstdio>

#include <fcntl.h>
#include <io.h>

namespace vestrix::loop {

void PrepareProcess() {
  // Records go out with their own CR LF; text mode would make it CR CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
}

}  // namespace vestrix::loop
