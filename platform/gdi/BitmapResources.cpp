#include "platform/gdi/BitmapResources.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>

#include <map>

namespace platform {
namespace {

struct Entry {
    QByteArray encoded;
    int width = 0;
    int height = 0;
    BitmapPainter painter = nullptr;
    QImage cache;
};

std::map<UINT, Entry>& Registry()
{
    static std::map<UINT, Entry> registry;
    return registry;
}

QImage Render(Entry& entry)
{
    if (!entry.cache.isNull())
        return entry.cache;
    if (entry.painter) {
        QImage image(entry.width, entry.height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            DeviceContext dc(&painter);
            entry.painter(*dc.Wrapper(), entry.width, entry.height);
        }
        entry.cache = image;
    } else {
        entry.cache = QImage::fromData(entry.encoded);
        if (!entry.cache.isNull())
            entry.cache = entry.cache.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return entry.cache;
}

HBITMAP AddBitmap(const QImage& image)
{
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiKind::Bitmap;
    object->image = image;
    return AddGdiObject(std::move(object));
}

}  // namespace

void RegisterBitmap(UINT id, const BYTE* data, std::size_t size)
{
    Entry entry;
    if (data && size > 0)
        entry.encoded = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Registry()[id] = std::move(entry);
}

void RegisterBitmap(UINT id, int width, int height, BitmapPainter painter)
{
    Entry entry;
    entry.width = width > 0 ? width : 1;
    entry.height = height > 0 ? height : 1;
    entry.painter = painter;
    Registry()[id] = std::move(entry);
}

bool HasBitmapResource(UINT id) { return Registry().count(id) != 0; }

HBITMAP LoadBitmapResource(UINT id)
{
    auto it = Registry().find(id);
    if (it == Registry().end())
        return nullptr;
    QImage image = Render(it->second);
    if (image.isNull())
        return nullptr;
    return AddBitmap(image);
}

HBITMAP CreateBitmapObject(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return AddBitmap(image);
}

}  // namespace platform
