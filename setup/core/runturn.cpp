#include "runturn.h"
#include "switches.h"
#include "engine/names.h"

static BOOL s_bOurTurn;

// The removal copy's claim: its starter holds the mutex until it ends. A mutex whose owner ends is
// handed at once to the thread already waiting for it, so no other run can take it in between;
// this thread then holds it until the copy ends.
static DWORD WINAPI HoldTurnAfterStarter(void* mutex)
{
    WaitForSingleObject(mutex, INFINITE);
    Sleep(INFINITE);
    return 0;
}

void TakeRunTurn(int argc, const char* const* argv)
{
    HANDLE mutex = CreateMutexA(nullptr, FALSE, RUN_TURN_MUTEX_NAME);
    if (!mutex) {
        // A mutex another account's run made is refused to this one: that run holds the turn.
        // Any other failure leaves no lock to take, and the run goes on rather than never running.
        s_bOurTurn = GetLastError() != ERROR_ACCESS_DENIED;
        return;
    }
    if (IsRemovalRun(argc, argv) && FindStarterHandle(argc, argv)) {
        HANDLE claim = CreateThread(nullptr, 0, HoldTurnAfterStarter, mutex, 0, nullptr);
        if (claim) CloseHandle(claim);
        s_bOurTurn = TRUE;
        return;
    }
    DWORD wait = WaitForSingleObject(mutex, 0);
    s_bOurTurn = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

BOOL HasRunTurn() { return s_bOurTurn; }
