// Reference counting shared by surfaces, fonts, images and views: made with one
// reference, destroyed when the last one is released. It lives with drawing, the
// lower of the two editor layers, so that both may use it. Counts are plain:
// every owner lives on the editor's thread.
#pragma once

#include <cstdint>

namespace VSTGUI {

class CBaseObject {
 public:
  CBaseObject() = default;
  virtual ~CBaseObject() = default;
  CBaseObject(const CBaseObject&) = delete;
  CBaseObject& operator=(const CBaseObject&) = delete;

  void retain() { ++referenceCount; }
  void release() {
    if (--referenceCount == 0) delete this;
  }
  int32_t getNbReference() const { return referenceCount; }

 private:
  int32_t referenceCount = 1;
};

// Holds one reference for its lifetime.
template <class T>
class SharedPointer {
 public:
  SharedPointer() = default;
  // Takes over a reference the caller already owns.
  static SharedPointer adopt(T* object) {
    SharedPointer p;
    p.object = object;
    return p;
  }
  explicit SharedPointer(T* shared) : object(shared) {
    if (object) object->retain();
  }
  SharedPointer(const SharedPointer& other) : SharedPointer(other.object) {}
  SharedPointer(SharedPointer&& other) noexcept : object(other.object) { other.object = nullptr; }
  SharedPointer& operator=(SharedPointer other) noexcept {
    T* old = object;
    object = other.object;
    other.object = old;
    return *this;
  }
  ~SharedPointer() {
    if (object) object->release();
  }

  T* get() const { return object; }
  T* operator->() const { return object; }
  T& operator*() const { return *object; }
  explicit operator bool() const { return object != nullptr; }

 private:
  T* object = nullptr;
};

}  // namespace VSTGUI
