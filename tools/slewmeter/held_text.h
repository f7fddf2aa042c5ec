// Text for a stream, held back while inputs run side by side and written to
// the stream when let go, so that each input's lines come out in the inputs'
// order. Not held, it goes straight to the stream.
#pragma once

#include <cstdio>
#include <cstdlib>

class HeldText {
 public:
  HeldText(std::FILE* destination, bool held)
      : destination(destination), stream(held ? open_memstream(&text, &size) : nullptr) {}
  ~HeldText() {
    if (stream == nullptr) return;
    std::fclose(stream);
    std::fwrite(text, 1, size, destination);
    std::free(text);
  }
  HeldText(const HeldText&) = delete;
  HeldText& operator=(const HeldText&) = delete;

  // Where to write; the destination itself when the text cannot be held.
  std::FILE* file() const { return stream != nullptr ? stream : destination; }

 private:
  std::FILE* destination;
  char* text = nullptr;
  size_t size = 0;
  std::FILE* stream;
};
