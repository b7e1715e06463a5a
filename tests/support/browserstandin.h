// Stands in for the web browser while it lives: the tests' recorder program (tests/driver/
// urlrecorder.cpp), copied into the sandbox, is the prefix's handler of http addresses and records
// every address the setup program opens; the handler that was there before is put back at the end.
#pragma once
#include "sandbox.h"
#include <string>
#include <vector>

class BrowserStandIn {
public:
    // recorderExe: the recorder's path on the host, as the build names it.
    BrowserStandIn(Sandbox& box, const std::string& recorderExe);
    // Waits until no start of the recorder runs any more, then puts the handler back.
    ~BrowserStandIn();
    BrowserStandIn(const BrowserStandIn&) = delete;
    BrowserStandIn& operator=(const BrowserStandIn&) = delete;

    // Copies the recorder into the sandbox (again, after a clean-up of the sandbox removed it).
    void Install();
    // The addresses recorded so far, waiting up to waitMs for at least `expected` of them.
    std::vector<std::string> Opened(size_t expected, DWORD waitMs) const;

private:
    Sandbox& m_box;
    std::string m_source;
    std::string m_recorder;
    std::string m_savedCommand;
};
