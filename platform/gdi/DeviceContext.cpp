#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/FontMapper.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/HandleTable.h"

#include <QPainter>

namespace platform {
namespace {

HandleTable<DeviceContext>& Table()
{
    static auto* table = new HandleTable<DeviceContext>;   // never destroyed: handles may be used during exit
    return *table;
}

}  // namespace

DeviceContext::DeviceContext(QPainter* painter) : m_painter(painter)
{
    defaultFont = FontFromLogFont(DefaultLogFont());
    state.brush = StockObject(WHITE_BRUSH);
    state.pen = StockObject(BLACK_PEN);
    state.font = StockObject(SYSTEM_FONT);
    m_handle = reinterpret_cast<HDC>(Table().Add(this));
}

DeviceContext::~DeviceContext()
{
    FlushBitmap();
    m_canvasPainter.reset();
    Table().Remove(reinterpret_cast<std::uintptr_t>(m_handle));
    if (m_wrapper)
        m_wrapper->m_hDC = nullptr;
}

DeviceContext* DeviceContext::FromHandle(HDC hdc)
{
    return Table().Get(reinterpret_cast<std::uintptr_t>(hdc));
}

CDC* DeviceContext::Wrapper()
{
    if (!m_wrapper) {
        m_wrapper = std::make_unique<CDC>();
        m_wrapper->m_hDC = m_handle;
    }
    return m_wrapper.get();
}

QPainter* DeviceContext::Painter() const { return m_canvasPainter ? m_canvasPainter.get() : m_painter; }

QFont DeviceContext::Font() const
{
    GdiObject* font = LookupGdiObject(state.font, GdiKind::Font);
    return font ? font->font : defaultFont;
}

QPainter* DeviceContext::Prepare()
{
    QPainter* painter = Painter();
    if (!painter || !painter->isActive())
        return nullptr;
    painter->setFont(Font());
    if (state.clip)
        painter->setClipRect(*state.clip);
    else
        painter->setClipping(false);
    return painter;
}

void DeviceContext::SelectBitmap(HBITMAP newBitmap)
{
    FlushBitmap();
    m_canvasPainter.reset();
    bitmap = newBitmap;
    canvas = QImage();
    if (GdiObject* object = LookupGdiObject(bitmap, GdiKind::Bitmap)) {
        canvas = object->image.copy();
        m_canvasPainter = std::make_unique<QPainter>(&canvas);
    }
}

void DeviceContext::FlushBitmap()
{
    if (!bitmap || canvas.isNull())
        return;
    if (GdiObject* object = LookupGdiObject(bitmap, GdiKind::Bitmap)) {
        if (m_canvasPainter)
            m_canvasPainter->end();
        object->image = canvas.copy();
        if (m_canvasPainter)
            m_canvasPainter->begin(&canvas);
    }
}

}  // namespace platform
