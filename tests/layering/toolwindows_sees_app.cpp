// The tool windows must not see the program above them: this fails to compile.
#include "app/app_state.h"
