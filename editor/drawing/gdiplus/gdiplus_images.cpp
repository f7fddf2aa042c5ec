// Images of the GDI+ back end: PNG decoded from the module's bytes or from
// files into 32-bit ARGB bitmaps that the image owns.
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "editor/drawing/gdiplus/gdiplus_canvas.h"
#include "editor/drawing/gdiplus/resource_stream.h"
#include "platform/module_services.h"
#include "platform/windows/resource_id.h"
#include "platform/windows/utf16.h"

namespace VSTGUI {

using namespace Gdiplus::DllExports;

namespace {

constexpr int32_t kLargestSide = 32767;

// The pixels of `bitmap`, locked as 32-bit ARGB (not premultiplied) for `mode`.
class LockedPixels {
 public:
  LockedPixels(Gdiplus::GpBitmap* bitmap, int32_t width, int32_t height, UINT mode)
      : bitmap(bitmap) {
    const Gdiplus::Rect area(0, 0, width, height);
    locked = GdipBitmapLockBits(bitmap, &area, mode, PixelFormat32bppARGB, &data) == Gdiplus::Ok;
  }
  ~LockedPixels() {
    if (locked) GdipBitmapUnlockBits(bitmap, &data);
  }
  LockedPixels(const LockedPixels&) = delete;
  LockedPixels& operator=(const LockedPixels&) = delete;

  bool ok() const { return locked; }
  uint32_t* row(int32_t y) const {
    return reinterpret_cast<uint32_t*>(static_cast<unsigned char*>(data.Scan0) +
                                       static_cast<ptrdiff_t>(y) * data.Stride);
  }

 private:
  Gdiplus::GpBitmap* bitmap;
  Gdiplus::BitmapData data{};
  bool locked = false;
};

Gdiplus::GpBitmap* NewBitmap(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) return nullptr;
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap) !=
      Gdiplus::Ok) {
    return nullptr;
  }
  return bitmap;
}

// A decoder's bitmap may keep reading its stream or file for as long as it
// lives; the copy depends on nothing. Takes `decoded` and disposes of it.
std::unique_ptr<PlatformImage> OwnedCopy(Gdiplus::GpBitmap* decoded) {
  UINT width = 0, height = 0;
  GdipGetImageWidth(decoded, &width);
  GdipGetImageHeight(decoded, &height);
  Gdiplus::GpBitmap* copy = NewBitmap(static_cast<int32_t>(width), static_cast<int32_t>(height));
  bool copied = false;
  if (copy) {
    const auto w = static_cast<int32_t>(width), h = static_cast<int32_t>(height);
    LockedPixels from(decoded, w, h, Gdiplus::ImageLockModeRead);
    LockedPixels to(copy, w, h, Gdiplus::ImageLockModeWrite);
    copied = from.ok() && to.ok();
    for (int32_t y = 0; copied && y < h; ++y)
      std::memcpy(to.row(y), from.row(y), static_cast<size_t>(w) * 4);
  }
  GdipDisposeImage(decoded);
  if (!copied) {
    if (copy) GdipDisposeImage(copy);
    return nullptr;
  }
  return std::make_unique<GdiplusImage>(copy);
}

}  // namespace

std::unique_ptr<PlatformImage> DecodeImage(const unsigned char* bytes, size_t size) {
  if (bytes == nullptr || size == 0 || size > std::numeric_limits<uint32_t>::max()) {
    return nullptr;
  }
  GdiplusLibraryReference library;
  if (!library.started()) return nullptr;
  auto* stream = new ResourceStream(bytes, static_cast<uint32_t>(size));
  Gdiplus::GpBitmap* decoded = nullptr;
  const Gdiplus::Status status = GdipCreateBitmapFromStreamICM(stream, &decoded);
  stream->Release();  // the decoder holds its own reference while it needs one
  return status == Gdiplus::Ok ? OwnedCopy(decoded) : nullptr;
}

namespace {

std::unique_ptr<PlatformImage> BitmapResource(const wchar_t* id) {
  GdiplusLibraryReference library;
  if (!library.started()) return nullptr;
  HINSTANCE module = static_cast<HINSTANCE>(const_cast<void*>(OwnModuleHandle()));
  Gdiplus::GpBitmap* decoded = nullptr;
  if (GdipCreateBitmapFromResource(module, id, &decoded) != Gdiplus::Ok) return nullptr;
  return OwnedCopy(decoded);
}

}  // namespace

std::unique_ptr<PlatformImage> LoadBitmapResource(int32_t number) {
  return IsResourceNumber(number) ? BitmapResource(MAKEINTRESOURCEW(number)) : nullptr;
}

std::unique_ptr<PlatformImage> LoadBitmapResource(const std::string& name) {
  return IsResourceName(name) ? BitmapResource(AnsiToUtf16(name).c_str()) : nullptr;
}

std::unique_ptr<PlatformImage> LoadImageFile(const std::string& path) {
  const std::wstring widePath = AnsiToUtf16(path);
  GdiplusLibraryReference library;
  if (widePath.empty() || !library.started()) return nullptr;
  Gdiplus::GpBitmap* decoded = nullptr;
  if (GdipCreateBitmapFromFile(widePath.c_str(), &decoded) != Gdiplus::Ok) return nullptr;
  return OwnedCopy(decoded);
}

std::unique_ptr<PlatformImage> MakeBlankImage(int32_t width, int32_t height) {
  GdiplusLibraryReference library;
  if (!library.started()) return nullptr;
  Gdiplus::GpBitmap* bitmap = NewBitmap(width, height);
  if (bitmap == nullptr) return nullptr;
  {
    LockedPixels pixels(bitmap, width, height, Gdiplus::ImageLockModeWrite);
    for (int32_t y = 0; pixels.ok() && y < height; ++y)
      std::memset(pixels.row(y), 0, static_cast<size_t>(width) * 4);
  }
  return std::make_unique<GdiplusImage>(bitmap);
}

std::unique_ptr<Canvas> MakeImageCanvas(PlatformImage& image) {
  return GdiplusCanvas::onImage(static_cast<GdiplusImage&>(image).getBitmap());
}

namespace {

bool FindPngEncoder(CLSID* encoder) {
  UINT count = 0, bytes = 0;
  if (GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<unsigned char> storage(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
  if (GdipGetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && std::wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      *encoder = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

bool SaveImagePng(PlatformImage& image, const std::string& path) {
  const std::wstring widePath = AnsiToUtf16(path);
  CLSID encoder;
  if (widePath.empty() || !FindPngEncoder(&encoder)) return false;
  return GdipSaveImageToFile(static_cast<GdiplusImage&>(image).getBitmap(), widePath.c_str(),
                             &encoder, nullptr) == Gdiplus::Ok;
}

std::vector<CColor> ImagePixels(PlatformImage& image) {
  const int32_t width = image.width(), height = image.height();
  LockedPixels pixels(static_cast<GdiplusImage&>(image).getBitmap(), width, height,
                      Gdiplus::ImageLockModeRead);
  std::vector<CColor> result;
  if (!pixels.ok()) return result;
  result.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* row = pixels.row(y);
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t argb = row[x];
      result.push_back({static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                        static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24)});
    }
  }
  return result;
}

}  // namespace VSTGUI
