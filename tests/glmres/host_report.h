// Exit-code bits of the stand-in hosts (host.cpp): what happened when they loaded the library.
#pragma once

enum HostReport {
    kLoaded = 1,            // LoadLibrary returned a handle
    kCalled = 2,            // the library called Glm5Callback
    kCalledAgain = 4,       // ... more than once (also counted after FreeLibrary)
    kExeArgIsHost = 8,      // first argument was the host's own module handle
    kLibArgGiven = 16,      // second argument was not null
    kLibArgIsLoaded = 32,   // second argument equals the handle LoadLibrary returned
    kInitFailed = 64,       // the load failed with ERROR_DLL_INIT_FAILED
    kUsage = 256,           // no library path given
};
