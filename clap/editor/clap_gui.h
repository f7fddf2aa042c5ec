// The meter's editor as a CLAP host embeds it: the editor core in the host's
// window, paced by the host's timer (on Windows, by a timer of its own window
// when the host has none) and, on Linux, woken by the host when our X
// connection has events (clap.posix-fd-support).
#pragma once

#include <cstdint>
#include <memory>

#include "clap/clap_editor.h"
#include "clap/editor/own_timer.h"
#include "clap/host_checks.h"
#include "editor/editor_core.h"

class EffectInstance;

class ClapGui final : public ClapEditor {
 public:
  ClapGui(EffectInstance& instance, HostChecks& checks);
  ~ClapGui() override;
  ClapGui(const ClapGui&) = delete;
  ClapGui& operator=(const ClapGui&) = delete;

  bool isApiSupported(const char* api, bool isFloating) override;
  bool create(const char* api, bool isFloating) override;
  void destroy() override;
  bool isCreated() const override { return editor != nullptr; }
  bool setScale(double scale) override;
  bool getSize(uint32_t* width, uint32_t* height) override;
  bool setSize(uint32_t width, uint32_t height) override;
  bool setParent(const clap_window& window) override;
  bool show() override;
  bool hide() override;
  void onTimer(clap_id timer) override;
  void onFd(int fd, uint32_t flags) override;

  // For tests: the editor's own window (0 while there is none).
  uintptr_t windowHandle() const;

 private:
  bool windowIsOpen() const;
  void idle();
  void closeWindow();
  void startTimer();
  void stopTimer();
  void watchEvents();
  void stopWatchingEvents();

  EffectInstance& instance;
  HostChecks& checks;
  std::unique_ptr<EditorCore> editor;  // between create and destroy
  clap_id timer = kClapInvalidId;
  std::unique_ptr<OwnTimer> ownTimer;  // where the host has no timer to offer
  int watchedDescriptor = -1;
};
