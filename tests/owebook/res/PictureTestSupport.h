#pragma once
// A registered picture as the program shows it: loaded as a bitmap object.

#include "platform/gdi/BitmapResources.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/WinApi.h"

#include <QImage>

inline QImage LoadedPicture(UINT id)
{
    HBITMAP bitmap = platform::LoadBitmapResource(id);
    platform::GdiObject* object = platform::LookupGdiObject(bitmap, platform::GdiKind::Bitmap);
    QImage image = object ? object->image.convertToFormat(QImage::Format_RGB32) : QImage();
    if (bitmap)
        ::DeleteObject(bitmap);
    return image;
}
