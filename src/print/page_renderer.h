#pragma once
// Replays a PageImage onto any painter: printer, preview bitmap or exported image.
#include <QImage>
#include <QRectF>
#include <optional>
#include <string>

#include "print/page_image.h"

class QPainter;

namespace qm {

// Paints `target` white, then every operation scaled from the page's dot size into
// `target`. Shrinking a page or shifting it by the printer's margins is only a
// different target rectangle. Text is set in the page font (print/page_font.h), every
// character at the position of the fixed-pitch rule; throws qm::Error when the page font
// cannot be read.
void RenderPage(const PageImage& page, QPainter& painter, const QRectF& target);

// The page as an ARGB32 image of round(size x scale) pixels.
QImage RenderToImage(const PageImage& page, double scale = 1.0);
// The image in `format` ("PNG", "BMP", "JPEG"); nullopt when Qt cannot encode it.
std::optional<std::string> EncodeImage(const QImage& image, const char* format);

}  // namespace qm
