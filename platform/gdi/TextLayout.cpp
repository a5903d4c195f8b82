#include "platform/gdi/TextLayout.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace platform {
namespace {

QStringList WrapParagraph(const QString& paragraph, const QFontMetrics& fm, int width)
{
    QStringList lines;
    QString line;
    const QStringList words = paragraph.split(u' ');
    for (const QString& word : words) {
        const QString candidate = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && fm.horizontalAdvance(candidate) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    lines << line;
    return lines;
}

}  // namespace

QString TextLayout::StripPrefixes(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&') {
            if (i + 1 < text.size())
                out += text.at(++i);
            continue;
        }
        out += text.at(i);
    }
    return out;
}

TextLayout::TextLayout(const QString& input, const QFont& font, UINT format, const RECT& rect)
    : m_font(font), m_format(format), m_rect(rect)
{
    QString text = (format & DT_NOPREFIX) ? input : StripPrefixes(input);
    if (format & DT_EXPANDTABS)
        text.replace(u'\t', QStringLiteral("        "));
    const QFontMetrics fm(font);
    const int width = std::max(0, int(rect.right - rect.left));

    if (format & DT_SINGLELINE) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        text.replace(u'\n', u' ');
        text.replace(u'\r', u' ');
        m_lines << text;
    } else {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
        for (const QString& paragraph : text.split(u'\n')) {
            if (format & DT_WORDBREAK)
                m_lines << WrapParagraph(paragraph, fm, width);
            else
                m_lines << paragraph;
        }
    }
    if (format & DT_END_ELLIPSIS)
        for (QString& line : m_lines)
            if (fm.horizontalAdvance(line) > width)
                line = fm.elidedText(line, Qt::ElideRight, width);

    const int lineHeight = fm.height();
    m_height = lineHeight * static_cast<int>(m_lines.size());
    int y = rect.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect.top + ((rect.bottom - rect.top) - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = rect.bottom - lineHeight;
    }
    for (const QString& line : m_lines) {
        const int w = fm.horizontalAdvance(line);
        m_width = std::max(m_width, w);
        int x = rect.left;
        if (format & DT_CENTER)
            x = rect.left + (width - w) / 2;
        else if (format & DT_RIGHT)
            x = rect.right - w;
        m_placed.push_back(Line{line, QRect(x, y, w, lineHeight)});
        y += lineHeight;
    }
}

RECT TextLayout::CalculatedRect() const
{
    RECT r = m_rect;
    if (!(m_format & DT_WORDBREAK) || (m_format & DT_SINGLELINE))
        r.right = r.left + m_width;
    r.bottom = r.top + m_height;
    return r;
}

QRect TextLayout::InkRect() const
{
    QRect ink;
    for (const Line& line : m_placed)
        ink = ink.united(line.box);
    return ink;
}

void TextLayout::Draw(QPainter& painter) const
{
    const QFontMetrics fm(m_font);
    painter.setFont(m_font);
    for (const Line& line : m_placed)
        painter.drawText(QPoint(line.box.left(), line.box.top() + fm.ascent()), line.text);
}

}  // namespace platform
