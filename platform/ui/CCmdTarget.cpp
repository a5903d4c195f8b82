#include "platform/ui/CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntryInMap(const AFX_MSGMAP_ENTRY* entry, UINT nMessage, UINT nCode,
                                                   UINT nID)
{
    for (; entry && entry->pfn; ++entry) {
        if (entry->pnRegistered) {
            if (nMessage >= WM_REGISTERED_FIRST && *entry->pnRegistered == nMessage)
                return entry;
            continue;
        }
        if (entry->nMessage == nMessage && entry->nCode == nCode && nID >= entry->nID && nID <= entry->nLastID)
            return entry;
    }
    return nullptr;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        if (const AFX_MSGMAP_ENTRY* entry = FindEntryInMap(map->lpEntries, nMessage, nCode, nID))
            return entry;
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMessage = WM_COMMAND;
    UINT code = CN_UPDATE_COMMAND_UI_CODE;
    if (nCode != CN_UPDATE_COMMAND_UI) {
        nMessage = HIWORD(static_cast<DWORD>(nCode));
        if (nMessage == 0)
            nMessage = WM_COMMAND;
        code = LOWORD(static_cast<DWORD>(nCode));
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(nMessage, code, nID);
    if (!entry)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    platform::MsgCall call;
    call.message = nMessage;
    call.nID = nID;
    call.nCode = static_cast<int>(code);
    call.pExtra = pExtra;
    return entry->pfn(this, call);
}
