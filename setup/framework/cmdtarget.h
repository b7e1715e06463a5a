// CCmdTarget and message maps: a class lists the commands it handles in a static table, and
// OnCmdMsg looks a command up in the class's table, then in its base classes' tables.
#pragma once
#include <windows.h>
#include "cobject.h"

class CCmdTarget;
typedef void (CCmdTarget::*CommandHandler)();

struct MessageMapEntry {
    UINT nMessage;   // WM_COMMAND; 0 ends the table
    UINT nCode;      // notification code (BN_CLICKED, or 0 for a menu or accelerator command)
    UINT nID;        // control or command id
    CommandHandler pfn;
};

struct MessageMap {
    const MessageMap* (*pfnGetBaseMap)();   // null for the root of the chain
    const MessageMapEntry* lpEntries;
};

class CCmdTarget : public CObject {
public:
    // Calls the handler of command nID with notification nCode; FALSE when no table has one.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                              \
protected:                                                 \
    static const MessageMap* GetThisMessageMap();          \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                   \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MessageMap* theClass::GetThisMessageMap()                              \
    {                                                                            \
        using ThisClass [[maybe_unused]] = theClass;                             \
        using TheBaseClass = baseClass;                                          \
        static const MessageMapEntry _messageEntries[] = {

#define END_MESSAGE_MAP()                                                        \
            { 0, 0, 0, nullptr }                                                 \
        };                                                                       \
        static const MessageMap messageMap = { &TheBaseClass::GetThisMessageMap, _messageEntries }; \
        return &messageMap;                                                      \
    }

// Handlers take no arguments and return nothing. A base-class handler is named with its class
// (ON_COMMAND(ID_HELP, CWinApp::OnHelp)).
#define ON_COMMAND(id, memberFxn)                                                \
    { WM_COMMAND, 0, (UINT)(id),                                                 \
      static_cast<CommandHandler>(static_cast<void (ThisClass::*)()>(&ThisClass::memberFxn)) },

#define ON_BN_CLICKED(id, memberFxn)                                             \
    { WM_COMMAND, BN_CLICKED, (UINT)(id),                                        \
      static_cast<CommandHandler>(static_cast<void (ThisClass::*)()>(&ThisClass::memberFxn)) },
