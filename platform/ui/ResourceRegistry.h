#pragma once
// The resources compiled into the program, registered by the program's
// resource tables before the first window opens:
//
//   void RegisterResources()          // the program's, called from WinMain and test set-up
//   {
//       platform::RegisterStrings({{32814, u"All Items"}, {32815, u"What I Owe"}});
//       platform::RegisterCustomResource(u"LONGSTRING", 166, kCategories, sizeof kCategories);
//       platform::RegisterBitmap(156, kRulePng, sizeof kRulePng);        // platform/gdi/BitmapResources.h
//       platform::RegisterDialog({...});                                  // platform/ui/DialogTemplate.h
//       platform::RegisterMenu({...});                                    // platform/ui/controls/menu/MenuTemplate.h
//       platform::RegisterMenuBar({...});
//   }
//
// Call it explicitly: a registrar object with static storage in a static
// library is only constructed when something else pulls its file into the link.
// Registering an id again replaces the earlier resource. Data is copied.
// The classic look-ups (FindResource, LoadString...) are in Resources.h.

#include "platform/core/CString.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/controls/menu/MenuTemplate.h"

#include <cstddef>
#include <initializer_list>
#include <vector>

namespace platform {

struct StringEntry {
    UINT id;
    const char16_t* text;
};

void RegisterString(UINT id, LPCWSTR text);
void RegisterStrings(std::initializer_list<StringEntry> entries);
void RegisterStrings(const StringEntry* entries, std::size_t count);
// Custom resources by type name ("LONGSTRING") and id.
void RegisterCustomResource(LPCWSTR type, UINT id, const void* data, std::size_t size);
void RegisterDialog(DialogTemplate dialog);
void RegisterMenu(MenuTemplate menu);
void RegisterMenuBar(MenuBarTemplate menuBar);

bool LookupString(UINT id, CString& out);
const DialogTemplate* FindDialogTemplate(UINT id);
const MenuTemplate* FindMenuTemplate(UINT id);
const MenuBarTemplate* FindMenuBarTemplate(UINT id);

struct CustomResource {
    CString type;
    UINT id = 0;
    CString name;                 // resources may also be named by text
    std::vector<BYTE> data;
};
// Type and name as FindResource takes them: MAKEINTRESOURCE(id), "#id" or a name.
const CustomResource* FindCustomResource(LPCWSTR type, LPCWSTR name);

}  // namespace platform
