#pragma once
// Drawings to files: a drawing routine run on an image, an SVG or a PDF page of a chosen
// size, on the black screen palette or on white paper, or into a DXF document, written
// without ever leaving half a file behind; and a contact sheet of several pictures with
// captions.
#include <QImage>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "drawing/drawing_file.h"

namespace tavo {

enum class ImageFormat { Png, Svg, Pdf, Dxf };
// By the file's extension (any case); nothing for other extensions.
std::optional<ImageFormat> ImageFormatOf(const std::filesystem::path& path);

// Device resolution used for a picture of this size: 96 dpi at 640 x 480, growing with the
// picture so that a larger file shows the same drawing in finer detail.
double ResolutionFor(int width, int height);

QImage RenderImage(const DrawFunction& draw, const ImageRenderOptions& options);
// The file's bytes in the given format.
std::string RenderBytes(ImageFormat format, const DrawFunction& draw, const ImageRenderOptions& options);
bool RenderToFile(const std::filesystem::path& target, const DrawFunction& draw, const ImageRenderOptions& options,
                  std::string* error = nullptr);

// The image as a PNG file, written through a temporary file.
bool WritePng(const QImage& image, const std::filesystem::path& target, std::string* error = nullptr);

struct SheetCell {
  std::string caption;
  DrawFunction draw;
};
// Cells of cellWidth x cellHeight in rows of `columns`, each with its caption.
QImage RenderContactSheet(const std::vector<SheetCell>& cells, int columns, int cellWidth, int cellHeight,
                          const ImageRenderOptions& options);

}  // namespace tavo
