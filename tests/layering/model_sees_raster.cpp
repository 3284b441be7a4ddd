// Model may use raster: this compiles.
#include "model/gradation_document.h"
#include "raster/surface.h"
