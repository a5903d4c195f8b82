#pragma once
// Turns a drawn picture into a palette bitmap file: a handful of colours for
// the handheld's 16- and 256-colour bitmaps, written as a Windows BMP.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// At most `colours` colours, chosen by median cut. The colours in `exact`
// (the background white, the main inks) are kept as they are, so that flat
// areas match the dialog around the picture pixel for pixel. Every pixel
// takes the nearest palette colour: no dithering, shapes stay clean.
QImage ReduceColours(const QImage& picture, int colours, const QList<QRgb>& exact);

// An uncompressed bottom-up BMP with a BITMAPINFOHEADER, `bitsPerPixel`
// 1, 4 or 8, and the image's palette (which must fit that depth).
QByteArray EncodeBmp(const QImage& indexed, int bitsPerPixel);
