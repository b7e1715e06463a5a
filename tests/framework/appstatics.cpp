// The application's static instance-registry object, which setup.exe defines beside its entry:
// the dialog tests link the application class, whose start-up refers to it.
#include "core/setupapp.h"
#include "engine/names.h"

CInstanceManager g_InstanceManager(INSTANCE_REGISTRY_NAME, 1024);
