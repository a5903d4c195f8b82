#include "platform/ui/ResourceRegistry.h"

#include <map>
#include <memory>

namespace platform {
namespace {

struct Registry {
    std::map<UINT, CString> strings;
    std::vector<std::unique_ptr<CustomResource>> custom;   // stable addresses for HRSRC
    std::map<UINT, std::unique_ptr<DialogTemplate>> dialogs;
    std::map<UINT, std::unique_ptr<MenuTemplate>> menus;
    std::map<UINT, std::unique_ptr<MenuBarTemplate>> menuBars;
};

Registry& Resources()
{
    static Registry registry;
    return registry;
}

bool LoadStringEntry(UINT id, CString& out) { return LookupString(id, out); }

void InstallStringLoader()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        SetStringLoader(&LoadStringEntry);
    }
}

// Installed as soon as this file is linked, so CString::LoadString works even
// before the first string is registered.
const bool kLoaderInstalled = (InstallStringLoader(), true);

bool NameMatches(const CustomResource& r, LPCWSTR name)
{
    if (!name)
        return false;
    if (IS_INTRESOURCE(name))
        return r.id != 0 && r.id == static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name));
    if (name[0] == u'#') {
        UINT id = 0;
        for (const WCHAR* p = name + 1; *p; ++p) {
            if (*p < u'0' || *p > u'9' || id > 0xFFFF)
                return false;
            id = id * 10 + (*p - u'0');
        }
        return r.id != 0 && r.id == id;
    }
    return !r.name.IsEmpty() && r.name.CompareNoCase(name) == 0;
}

bool TypeMatches(const CustomResource& r, LPCWSTR type)
{
    if (!type)
        return false;
    if (IS_INTRESOURCE(type))
        return false;   // numbered types (RT_RCDATA...) are not used by the program
    return r.type.CompareNoCase(type) == 0;
}

}  // namespace

void RegisterString(UINT id, LPCWSTR text)
{
    (void)kLoaderInstalled;
    InstallStringLoader();
    Resources().strings[id] = CString(text);
}

void RegisterStrings(std::initializer_list<StringEntry> entries)
{
    for (const StringEntry& e : entries)
        RegisterString(e.id, e.text);
}

void RegisterStrings(const StringEntry* entries, std::size_t count)
{
    for (std::size_t i = 0; entries && i < count; ++i)
        RegisterString(entries[i].id, entries[i].text);
}

void RegisterCustomResource(LPCWSTR type, UINT id, const void* data, std::size_t size)
{
    if (!type)
        return;
    const auto* bytes = static_cast<const BYTE*>(data);
    std::vector<BYTE> copy(bytes, bytes + (bytes ? size : 0));
    for (auto& r : Resources().custom) {
        if (r->id == id && r->type.CompareNoCase(type) == 0) {
            r->data = std::move(copy);
            return;
        }
    }
    auto r = std::make_unique<CustomResource>();
    r->type = type;
    r->id = id;
    r->data = std::move(copy);
    Resources().custom.push_back(std::move(r));
}

void RegisterDialog(DialogTemplate dialog)
{
    const UINT id = dialog.id;
    Resources().dialogs[id] = std::make_unique<DialogTemplate>(std::move(dialog));
}

void RegisterMenu(MenuTemplate menu)
{
    const UINT id = menu.id;
    Resources().menus[id] = std::make_unique<MenuTemplate>(std::move(menu));
}

void RegisterMenuBar(MenuBarTemplate menuBar)
{
    const UINT id = menuBar.id;
    Resources().menuBars[id] = std::make_unique<MenuBarTemplate>(std::move(menuBar));
}

bool LookupString(UINT id, CString& out)
{
    auto it = Resources().strings.find(id);
    if (it == Resources().strings.end())
        return false;
    out = it->second;
    return true;
}

const DialogTemplate* FindDialogTemplate(UINT id)
{
    auto it = Resources().dialogs.find(id);
    return it == Resources().dialogs.end() ? nullptr : it->second.get();
}

const MenuTemplate* FindMenuTemplate(UINT id)
{
    auto it = Resources().menus.find(id);
    return it == Resources().menus.end() ? nullptr : it->second.get();
}

const MenuBarTemplate* FindMenuBarTemplate(UINT id)
{
    auto it = Resources().menuBars.find(id);
    return it == Resources().menuBars.end() ? nullptr : it->second.get();
}

const CustomResource* FindCustomResource(LPCWSTR type, LPCWSTR name)
{
    for (const auto& r : Resources().custom)
        if (TypeMatches(*r, type) && NameMatches(*r, name))
            return r.get();
    return nullptr;
}

CString ResourceName::WindowText() const
{
    if (!IsId())
        return text;
    CString s;
    s.Format(u"#%u", id);
    return s;
}

}  // namespace platform
