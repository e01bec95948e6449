// Built only by the layer test, which expects it not to build: the document reaching up to
// a window.
#include "display/DisplayWindow.h"
