// A read-only IStream over bytes the module keeps (an embedded image), for
// GDI+ to decode from.
#pragma once

#include <atomic>
#include <cstdint>

// clang-format off
#include <windows.h>
#include <objidl.h>
// clang-format on

namespace VSTGUI {

class ResourceStream final : public IStream {
 public:
  // Starts with one reference, the caller's.
  ResourceStream(const unsigned char* data, uint32_t size) : data(data), size(size) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // Reads all n bytes, or nothing (S_FALSE) when fewer than n are left.
  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG n, ULONG* read) override;
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }
  // From the start or the current position to a byte inside the stream; S_FALSE
  // (staying put) elsewhere and for any move from the end.
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin,
                                 ULARGE_INTEGER* newPosition) override;
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*,
                                   ULARGE_INTEGER*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Revert() override;
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return E_NOTIMPL;
  }
  // The size only; every other field zero.
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* status, DWORD) override;
  HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

 private:
  ~ResourceStream() = default;  // through Release only

  const unsigned char* data;
  uint32_t position = 0;
  uint32_t size;
  std::atomic<ULONG> references{1};  // a decoder may hold the stream on another thread
};

}  // namespace VSTGUI
