#include "editor/drawing/gdiplus/resource_stream.h"

#include <cstring>

namespace VSTGUI {

HRESULT ResourceStream::QueryInterface(REFIID id, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IStream) ||
      IsEqualIID(id, IID_ISequentialStream)) {
    *object = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG ResourceStream::AddRef() {
  return ++references;
}

ULONG ResourceStream::Release() {
  const ULONG left = --references;
  if (left == 0) delete this;
  return left;
}

HRESULT ResourceStream::Read(void* buffer, ULONG n, ULONG* read) {
  if (read) *read = 0;
  // Summed in 64 bits: a 32-bit sum could wrap and pass the check.
  if (uint64_t{position} + n > size) return S_FALSE;
  if (buffer == nullptr) return STG_E_INVALIDPOINTER;
  std::memcpy(buffer, data + position, n);
  position += n;
  if (read) *read = n;
  return S_OK;
}

HRESULT ResourceStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) {
  HRESULT result = S_FALSE;
  int64_t target = -1;
  switch (origin) {
    case STREAM_SEEK_SET:
      target = move.QuadPart;
      break;
    case STREAM_SEEK_CUR:
      // No overflow: |move| is at most 2^63 and the position below 2^32.
      if (move.QuadPart <= INT64_MAX - position) target = position + move.QuadPart;
      break;
    case STREAM_SEEK_END:
      break;
    default:
      result = STG_E_INVALIDFUNCTION;
      break;
  }
  if (target >= 0 && target < static_cast<int64_t>(size)) {
    position = static_cast<uint32_t>(target);
    result = S_OK;
  }
  if (newPosition) newPosition->QuadPart = position;
  return result;
}

HRESULT ResourceStream::Revert() {
  position = 0;
  return S_OK;
}

HRESULT ResourceStream::Stat(STATSTG* status, DWORD) {
  if (status == nullptr) return STG_E_INVALIDPOINTER;
  *status = STATSTG{};
  status->cbSize.QuadPart = size;
  return S_OK;
}

}  // namespace VSTGUI
