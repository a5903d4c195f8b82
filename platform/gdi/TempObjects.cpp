#include "platform/gdi/TempObjects.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"

#include <map>
#include <memory>

namespace platform {
namespace {

struct NotOwning {
    void operator()(CGdiObject* object) const
    {
        object->Detach();
        delete object;
    }
};

using Wrappers = std::map<HGDIOBJ, std::unique_ptr<CGdiObject, NotOwning>>;

Wrappers& Temps()
{
    static Wrappers* temps = new Wrappers;  // outlives every static that may still draw
    return *temps;
}

void SweepDeleted(Wrappers& temps)
{
    for (auto it = temps.begin(); it != temps.end();)
        it = LookupGdiObject(it->first) ? std::next(it) : temps.erase(it);
}

CGdiObject* MakeWrapper(GdiKind kind)
{
    switch (kind) {
    case GdiKind::Brush: return new CBrush;
    case GdiKind::Pen: return new CPen;
    case GdiKind::Font: return new CFont;
    case GdiKind::Bitmap: return new CBitmap;
    case GdiKind::Region: return new CRgn;
    }
    return new CGdiObject;
}

}  // namespace

CGdiObject* TempGdiObject(HGDIOBJ handle)
{
    GdiObject* object = LookupGdiObject(handle);
    if (!object)
        return nullptr;
    Wrappers& temps = Temps();
    auto it = temps.find(handle);
    if (it != temps.end())
        return it->second.get();
    if (temps.size() >= 64)
        SweepDeleted(temps);
    CGdiObject* wrapper = MakeWrapper(object->kind);
    wrapper->m_hObject = handle;
    temps.emplace(handle, std::unique_ptr<CGdiObject, NotOwning>(wrapper));
    return wrapper;
}

CGdiObject* TempGdiObject(HGDIOBJ handle, GdiKind kind)
{
    return LookupGdiObject(handle, kind) ? TempGdiObject(handle) : nullptr;
}

}  // namespace platform
