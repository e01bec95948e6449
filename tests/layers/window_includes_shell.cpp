// Built only by the layer test, which expects it not to build: a window reaching up to the
// shell.
#include "shell/MainWindow.h"
