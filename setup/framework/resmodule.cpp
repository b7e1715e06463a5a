#include "resmodule.h"

static HINSTANCE s_hResource;

HINSTANCE GetResourceModule() { return s_hResource ? s_hResource : GetModuleHandleA(nullptr); }
void SetResourceModule(HINSTANCE hInstance) { s_hResource = hInstance; }
