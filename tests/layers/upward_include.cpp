// Built only by the layer test: a Display-page source that reaches up to the
// main window. It must not compile.
#include "measure/ui/value_field.h"
#include LAYER_PROBE_INCLUDE

int LayerProbe() { return 0; }
