#pragma once
// Lays out text as DrawText does with the formats the program uses: single
// line with vertical centring, word break, alignment, prefix and ellipsis.

#include "platform/gdi/GdiTypes.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;

namespace platform {

class TextLayout {
public:
    TextLayout(const QString& text, const QFont& font, UINT format, const RECT& rect);

    int Height() const { return m_height; }
    RECT CalculatedRect() const;
    QRect InkRect() const;
    void Draw(QPainter& painter) const;
    const QStringList& Lines() const { return m_lines; }

    static QString StripPrefixes(const QString& text);

private:
    struct Line {
        QString text;
        QRect box;
    };
    QFont m_font;
    UINT m_format;
    RECT m_rect;
    QStringList m_lines;
    std::vector<Line> m_placed;
    int m_height = 0;
    int m_width = 0;
};

}  // namespace platform
