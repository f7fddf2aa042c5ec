// Images of the Cairo back end: PNG decoded into ARGB32 image surfaces.
#include <cstring>
#include <memory>

#include "editor/drawing/cairo/cairo_canvas.h"

namespace VSTGUI {

namespace {

struct ByteReader {
  const unsigned char* bytes;
  size_t size;
  size_t position;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<ByteReader*>(closure);
  if (length > reader->size - reader->position) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, reader->bytes + reader->position, length);
  reader->position += length;
  return CAIRO_STATUS_SUCCESS;
}

// A surface that failed to decode, or decoded to nothing, is no image.
std::unique_ptr<PlatformImage> Adopt(cairo_surface_t* surface) {
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
      cairo_image_surface_get_width(surface) <= 0 || cairo_image_surface_get_height(surface) <= 0) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  return std::make_unique<CairoImage>(surface);
}

}  // namespace

std::unique_ptr<PlatformImage> DecodeImage(const unsigned char* bytes, size_t size) {
  if (bytes == nullptr || size == 0) return nullptr;
  ByteReader reader{bytes, size, 0};
  return Adopt(cairo_image_surface_create_from_png_stream(ReadBytes, &reader));
}

// A shared object carries no bitmap resources.
std::unique_ptr<PlatformImage> LoadBitmapResource(int32_t) {
  return nullptr;
}

std::unique_ptr<PlatformImage> LoadBitmapResource(const std::string&) {
  return nullptr;
}

std::unique_ptr<PlatformImage> LoadImageFile(const std::string& path) {
  return Adopt(cairo_image_surface_create_from_png(path.c_str()));
}

std::unique_ptr<PlatformImage> MakeBlankImage(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return nullptr;
  return Adopt(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
}

std::unique_ptr<Canvas> MakeImageCanvas(PlatformImage& image) {
  return std::make_unique<CairoCanvas>(static_cast<CairoImage&>(image).getSurface());
}

bool SaveImagePng(PlatformImage& image, const std::string& path) {
  cairo_surface_t* surface = static_cast<CairoImage&>(image).getSurface();
  cairo_surface_flush(surface);
  return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

std::vector<CColor> ImagePixels(PlatformImage& image) {
  cairo_surface_t* surface = static_cast<CairoImage&>(image).getSurface();
  cairo_surface_flush(surface);
  const int32_t width = image.width(), height = image.height();
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<CColor> pixels;
  pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t argb = row[x];
      const uint32_t alpha = argb >> 24;
      auto unpremultiply = [alpha](uint32_t c) {
        return static_cast<uint8_t>(alpha ? (c * 255 + alpha / 2) / alpha : 0);
      };
      pixels.push_back({unpremultiply((argb >> 16) & 0xFF), unpremultiply((argb >> 8) & 0xFF),
                        unpremultiply(argb & 0xFF), static_cast<uint8_t>(alpha)});
    }
  }
  return pixels;
}

}  // namespace VSTGUI
