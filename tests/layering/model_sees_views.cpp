// Model must not see the views above it: this fails to compile.
#include "views/graph_painter.h"
