// The wizard run modally in the test's own process while a script walks it from a second thread
// with the UI robot, in a sandbox with a package folder, an installation folder and its own shell
// folders.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include "sandbox.h"
#include "wizardrobot.h"
#include "wizardtexts.h"
#include "wizard/setupwizarddlg.h"
#include "engine/settings.h"
#include "resource.h"
#include <atomic>
#include <functional>
#include <thread>

const DWORD kWait = 5000;
// The agreement in code page 1250, as a package holds it.
const char kAgreement[] = "Licenc 1. sor\r\nLicenc 2. sor \xe1rv\xedzt\xfbr\xf5\r\n";

class WizardFixture : public ::testing::Test {
protected:
    Sandbox m_box{"wizard"};

    void SetUp() override
    {
        m_box.RedirectShellFolders();
        MakeFolders(m_box.Path("pkg"));
        WriteFileBytes(m_box.Path("pkg\\Glmr5.exe"), "stand-in");
        WriteFileBytes(m_box.Path("pkg\\GlmUnInst.log"), "File Copy: Glmr5.exe\r\n");
        WriteFileBytes(m_box.Path("pkg\\agreement.txt"), kAgreement);
        SetCurrentDirectoryA(m_box.Path("pkg").c_str());
        g_strSourceDir = m_box.Path("pkg").c_str();
        g_strInstallDir = m_box.Path("target\\Glimra 5").c_str();
        MakeFolders(m_box.Path("target"));
        g_strProgramGroup = "Glimra 5";
        g_bNewInstall = TRUE;
        g_bAllUsers = FALSE;
        g_bAutoStart = FALSE;
        g_bDesktopIcon = TRUE;
        g_bRunAfter = FALSE;
        g_bUpgrade = FALSE;
        g_bSilent = FALSE;
        g_FileVersion = { 5, 40, 6, 0 };
    }

    void TearDown() override { SetCurrentDirectoryA("C:\\"); }

    // Runs the wizard modally here while the script walks it from another thread. When the
    // script leaves the wizard open, it is cancelled so that the test cannot hang.
    INT_PTR RunWizard(const std::function<void(HWND)>& script)
    {
        std::atomic<bool> done(false);
        std::thread robot([&] {
            WindowQuery query;
            query.caption = TXT_FRAME_CAPTION;
            query.className = DIALOG_CLASS;
            query.processId = GetCurrentProcessId();
            HWND frame = WaitForTopWindow(query, kWait);
            if (frame) script(frame);
            else ADD_FAILURE() << "the wizard frame did not appear";
            done = true;
            CloseLeftOver(frame);
        });
        CSetupWizardDlg wizard(nullptr);
        INT_PTR result = wizard.DoModal();
        robot.join();
        return result;
    }

    static void CloseLeftOver(HWND frame)
    {
        if (!frame) return;
        bool closed = WaitUntil([&] {
            if (!IsWindow(frame)) return true;
            MessageBoxView box = WaitForQuestion(GetCurrentProcessId(), 0);
            if (box.window) ClickButton(box.window, IDYES);
            else PostMessageA(frame, WM_COMMAND, IDCANCEL, 0);
            Sleep(100);
            return !IsWindow(frame);
        }, 10000);
        if (!closed) {
            fprintf(stderr, "the wizard could not be closed\n");
            ExitProcess(3);
        }
    }

    // Next through the pages up to the one with the given control.
    static void Next(HWND frame, int idOnNextPage)
    {
        ASSERT_TRUE(Press(frame, IDOK)) << "Next not pressable";
        ASSERT_TRUE(WaitForPageWith(frame, idOnNextPage, kWait)) << "page with control " << idOnNextPage << " not shown";
    }
    static void Back(HWND frame, int idOnPreviousPage)
    {
        ASSERT_TRUE(Press(frame, IDC_BACK)) << "Back not pressable";
        ASSERT_TRUE(WaitForPageWith(frame, idOnPreviousPage, kWait)) << "page with control " << idOnPreviousPage << " not shown";
    }
};
