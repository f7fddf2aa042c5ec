// The editor as the CLAP adapter sees it: the calls of the host's clap.gui,
// clap.timer-support and clap.posix-fd-support, which clap/editor/ answers with
// the editor core. Every call comes on the main thread.
#pragma once

#include <cstdint>

#include "clap/clap_abi.h"

class ClapEditor {
 public:
  virtual ~ClapEditor() = default;

  virtual bool isApiSupported(const char* api, bool isFloating) = 0;
  virtual bool create(const char* api, bool isFloating) = 0;
  // Leaves the host's window and X error handler as they were; also when not created.
  virtual void destroy() = 0;
  virtual bool isCreated() const = 0;
  // The scale of the host's window (sizes are physical pixels); false when ignored.
  virtual bool setScale(double scale) = 0;
  virtual bool getSize(uint32_t* width, uint32_t* height) = 0;
  virtual bool setSize(uint32_t width, uint32_t height) = 0;
  virtual bool setParent(const clap_window& window) = 0;
  virtual bool show() = 0;
  virtual bool hide() = 0;
  virtual void onTimer(clap_id timer) = 0;
  virtual void onFd(int fd, uint32_t flags) = 0;
};
