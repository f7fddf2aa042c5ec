#include "clap/editor/clap_gui.h"

#include <cstring>

#include "clap/clap_facts.h"
#include "core/effect_instance.h"
#include "editor/toolkit/frame.h"
#include "effect/meter_model.h"

namespace {

// Twice the graph's frame rate, so that each 1/30 s frame is drawn on time.
constexpr uint32_t kTimerPeriodMs = 16;

bool IsOurApi(const char* api, bool isFloating) {
  return api && !isFloating && std::strcmp(api, ClapFacts::kWindowApi) == 0;
}

void* ParentOf(const clap_window& window) {
#if defined(_WIN32)
  return window.win32;
#else
  return reinterpret_cast<void*>(static_cast<uintptr_t>(window.x11));
#endif
}

}  // namespace

ClapGui::ClapGui(EffectInstance& instance, HostChecks& checks)
    : instance(instance), checks(checks) {}

ClapGui::~ClapGui() {
  destroy();
}

bool ClapGui::isApiSupported(const char* api, bool isFloating) {
  return IsOurApi(api, isFloating);
}

namespace {

// Asks the host's window for the editor's new size, where the host offers clap.gui.
class ResizingEditor final : public EditorCore {
 public:
  ResizingEditor(EffectInstance& instance, HostChecks& checks)
      : EditorCore(instance, kEditorWidth, kEditorHeight), checks(checks) {}

 protected:
  void askHostForSize(int32_t width, int32_t height) override {
    const auto* gui = checks.extension<clap_host_gui>(kClapExtGui);
    if (gui && gui->request_resize) {
      gui->request_resize(checks.clapHost(), static_cast<uint32_t>(width),
                          static_cast<uint32_t>(height));
    }
  }

 private:
  HostChecks& checks;
};

}  // namespace

bool ClapGui::create(const char* api, bool isFloating) {
  if (!IsOurApi(api, isFloating)) return false;
  editor = std::make_unique<ResizingEditor>(instance, checks);
  return true;
}

bool ClapGui::setScale(double scale) {
  return editor->setHostScale(scale);
}

void ClapGui::destroy() {
  closeWindow();
  editor.reset();
}

bool ClapGui::getSize(uint32_t* width, uint32_t* height) {
  *width = static_cast<uint32_t>(editor->getWidth());
  *height = static_cast<uint32_t>(editor->getHeight());
  return true;
}

// No user resize: only the editor's own size is taken.
bool ClapGui::setSize(uint32_t width, uint32_t height) {
  uint32_t ownWidth = 0, ownHeight = 0;
  getSize(&ownWidth, &ownHeight);
  return width == ownWidth && height == ownHeight;
}

bool ClapGui::setParent(const clap_window& window) {
  if (window.api && std::strcmp(window.api, ClapFacts::kWindowApi) != 0) return false;
  closeWindow();
  editor->open(ParentOf(window));
  if (!windowIsOpen()) {
    editor->close();
    return false;
  }
  startTimer();
  watchEvents();
  return true;
}

bool ClapGui::show() {
  return windowIsOpen();
}

bool ClapGui::hide() {
  return windowIsOpen();
}

void ClapGui::onTimer(clap_id id) {
  if (id == timer && timer != kClapInvalidId) idle();
}

void ClapGui::onFd(int fd, uint32_t) {
  if (fd == watchedDescriptor && fd >= 0) idle();
}

uintptr_t ClapGui::windowHandle() const {
  return windowIsOpen() ? editor->getFrame()->getNativeWindow()->handle() : 0;
}

bool ClapGui::windowIsOpen() const {
  return editor && editor->isOpen() && editor->getFrame()->isOpen();
}

void ClapGui::idle() {
  if (windowIsOpen()) editor->idle();
  // The window went with the host's: our connection goes too.
  if (editor && editor->isOpen() && !windowIsOpen()) closeWindow();
}

void ClapGui::closeWindow() {
  stopWatchingEvents();
  stopTimer();
  if (editor) editor->close();
}

void ClapGui::startTimer() {
  const auto* timers = checks.extension<clap_host_timer_support>(kClapExtTimerSupport);
  if (timers && timers->register_timer &&
      timers->register_timer(checks.clapHost(), kTimerPeriodMs, &timer))
    return;
  timer = kClapInvalidId;
  // Never closes from inside its own tick: destroy does that.
  ownTimer = OwnTimer::start(windowHandle(), kTimerPeriodMs, [this] {
    if (windowIsOpen()) editor->idle();
  });
}

void ClapGui::stopTimer() {
  ownTimer.reset();
  if (timer == kClapInvalidId) return;
  const auto* timers = checks.extension<clap_host_timer_support>(kClapExtTimerSupport);
  if (timers && timers->unregister_timer) timers->unregister_timer(checks.clapHost(), timer);
  timer = kClapInvalidId;
}

void ClapGui::watchEvents() {
  const auto* fds = checks.extension<clap_host_posix_fd_support>(kClapExtPosixFdSupport);
  const int descriptor = editor->getFrame()->getNativeWindow()->eventDescriptor();
  if (fds && fds->register_fd && descriptor >= 0 &&
      fds->register_fd(checks.clapHost(), descriptor, CLAP_POSIX_FD_READ))
    watchedDescriptor = descriptor;
}

void ClapGui::stopWatchingEvents() {
  if (watchedDescriptor < 0) return;
  const auto* fds = checks.extension<clap_host_posix_fd_support>(kClapExtPosixFdSupport);
  if (fds && fds->unregister_fd) fds->unregister_fd(checks.clapHost(), watchedDescriptor);
  watchedDescriptor = -1;
}
