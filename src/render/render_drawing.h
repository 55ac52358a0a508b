#pragma once
// Pictures to files: a drawing routine run on an image, an SVG or a PDF page of a chosen
// size, on the black screen palette or on white paper, written without ever leaving half
// a file behind; and a contact sheet of several pictures with captions.
#include <QImage>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/units.h"
#include "drawing/drawing_context.h"

namespace tavo {

struct ImageRenderOptions {
  int width = 640;
  int height = 480;
  bool printColours = false;  // white paper: print flag set, white background
  bool dimensions = true;     // false: the "no dimention" mode
  int uiFontSize = 12;
  char language = 'E';
  UnitSystem displayUnits;
};

using DrawFunction = std::function<void(DrawingContext&)>;

enum class ImageFormat { Png, Svg, Pdf };
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
