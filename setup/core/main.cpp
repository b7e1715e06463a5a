// The program's entry and its static objects, constructed in this order before InitInstance:
// the run's place in the instance registry (which registers this process when the run has its
// turn), then the application object.
#include "framework.h"
#include "setupapp.h"
#include "dllsearch.h"
#include "runturn.h"
#include "instance/instance.h"
#include "engine/names.h"
#include "engine/runrecord.h"
#include <stdlib.h>

// The program's allocation: plain malloc and free. The library's operator new reports failure by
// throwing, which would bring the whole C++ exception runtime (over 100 KB) into a program built
// without exceptions; here a failed allocation yields null.
void* operator new(size_t size) { return malloc(size ? size : 1); }
void* operator new[](size_t size) { return malloc(size ? size : 1); }
void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
void operator delete[](void* block, size_t) noexcept { free(block); }

// Only a run that has its turn joins the instance registry: the run that has it must never count a
// second run, which is about to end with nothing changed, as a running copy of the application.
class CInstanceMembership {
public:
    CInstanceMembership() : m_pInstances(HasRunTurn() ? new CInstanceManager(INSTANCE_REGISTRY_NAME, 1024) : nullptr) {}
    ~CInstanceMembership() { delete m_pInstances; }
    CInstanceManager* const m_pInstances;
};

static CInstanceMembership s_membership;
CSetupApp theApp(s_membership.m_pInstances);

// The program starts without the runtime's start-up code, which would cost several kilobytes of a
// tight size budget for what it does here: it asks msvcrt for the arguments, runs the static
// constructors (in the order the runtime does, the last listed first), and at the end their
// destructors, then ends through msvcrt's exit.
typedef void(__cdecl* ExitFunction)();

extern "C" {
// msvcrt splits the command line into __argc and __argv, without expanding wildcards.
struct StartupInfo { int newMode; };
int __cdecl __getmainargs(int* argc, char*** argv, char*** env, int expandWildcards, StartupInfo* info);
// The static constructors, listed by the linker between -1 and 0; each registers its
// destructors with atexit.
extern ExitFunction __CTOR_LIST__[];
// The linker's list of references to imported data, which the runtime's relocator would patch at
// start. ld refers to the relocator from every program; this one has nothing to patch.
extern char __RUNTIME_PSEUDO_RELOC_LIST__, __RUNTIME_PSEUDO_RELOC_LIST_END__;
void _pei386_runtime_relocator() {}
}

// The destructors of the static objects, run in the reverse order of their construction. The
// program has a few dozen static objects; a table full refuses the next one, as atexit may.
#define MAX_EXIT_FUNCTIONS 64
static ExitFunction s_exitFunctions[MAX_EXIT_FUNCTIONS];
static int s_nExitFunctions;

extern "C" int __cdecl atexit(ExitFunction function)
{
    if (s_nExitFunctions == MAX_EXIT_FUNCTIONS) return -1;
    s_exitFunctions[s_nExitFunctions++] = function;
    return 0;
}

// The entry the linker is given: the DLL search is narrowed before any static object runs, so no
// later load can pick up a library from the program's folder. Windows may call it with a stack
// aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer)) void SetupEntry()
{
    RestrictDllSearch();
    // Nothing patches references to imported data here: a program with any would run with bad
    // pointers, so it stops at once instead.
    if (&__RUNTIME_PSEUDO_RELOC_LIST__ != &__RUNTIME_PSEUDO_RELOC_LIST_END__) ExitProcess(EXIT_FAILED);
    int argc;
    char** argv;
    char** env;
    StartupInfo info = { 0 };
    __getmainargs(&argc, &argv, &env, 0, &info);
    // The turn comes before the static objects, which join the instance registry.
    TakeRunTurn(argc, argv);
    int nConstructors = 0;
    while (__CTOR_LIST__[nConstructors + 1]) nConstructors++;
    for (int i = nConstructors; i >= 1; i--) __CTOR_LIST__[i]();
    int code = RunApp(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWDEFAULT);
    while (s_nExitFunctions > 0) s_exitFunctions[--s_nExitFunctions]();
    exit(code);
}
