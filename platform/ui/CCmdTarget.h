#pragma once
// Base of everything that receives commands through a message map.

#include "platform/ui/CObject.h"
#include "platform/ui/MessageMap.h"

class CCmdTarget;

// Filled instead of calling the handler when OnCmdMsg is asked whether one exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Looks the command or notification up in this object's map chain and calls
    // the handler. nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra is the
    // CCmdUI), MAKELONG(code, 0) for control notifications, MAKELONG(code,
    // WM_NOTIFY) for WM_NOTIFY (pExtra is an AFX_NOTIFY), or MAKELONG(code,
    // WM_REFLECT_BASE + WM_COMMAND / WM_NOTIFY) for reflected ones. Frames,
    // views and documents override it to route commands on.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The first entry for (message, code, id) in the map chain, or null.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
    static const AFX_MSGMAP_ENTRY* FindEntryInMap(const AFX_MSGMAP_ENTRY* entries, UINT nMessage, UINT nCode,
                                                  UINT nID);

    // The root of every map chain; the classes below declare theirs with
    // DECLARE_MESSAGE_MAP.
protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
