#include "editor/toolkit/win32/win32_window.h"

#include <windowsx.h>

#include <cwchar>
#include <utility>

#include "editor/drawing/gdiplus/gdiplus_canvas.h"
#include "editor/toolkit/win32/window_class.h"
#include "platform/module_services.h"

namespace {
// WM_DPICHANGED_AFTERPARENT, which older headers lack: the host's window moved to
// a monitor of another scale.
constexpr UINT kDpiChangedAfterParent = 0x02E3;
}  // namespace

namespace VSTGUI {

namespace {

DWORD PlatformMajorVersion() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  // What the system says of itself to programs without a manifest is what
  // decides composition here.
  if (!GetVersionExW(&version)) return 0;
#pragma GCC diagnostic pop
  return version.dwMajorVersion;
}

bool KeyDown(int key) {
  return GetKeyState(key) < 0;
}

// The buttons and modifiers a mouse message carries, in the toolkit's bits.
uint32_t MessageButtons(WPARAM wParam) {
  uint32_t buttons = 0;
  if (wParam & MK_LBUTTON) buttons |= kLButton;
  if (wParam & MK_RBUTTON) buttons |= kRButton;
  if (wParam & MK_MBUTTON) buttons |= kMButton;
  if (wParam & MK_XBUTTON1) buttons |= kButton4;
  if (wParam & MK_XBUTTON2) buttons |= kButton5;
  if (wParam & MK_SHIFT) buttons |= kShift;
  if (wParam & MK_CONTROL) buttons |= kControl;
  if (KeyDown(VK_MENU)) buttons |= kAlt;
  return buttons;
}

// The cursor relative to a point of the screen.
CPoint CursorFrom(CPoint origin) {
  POINT cursor{};
  GetCursorPos(&cursor);
  return {cursor.x - origin.x, cursor.y - origin.y};
}

SIZE SizeOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void SetSize(HWND window, SIZE size) {
  SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// An MDI host's client area arranges its child windows itself.
bool IsMdiClient(HWND window) {
  wchar_t className[16]{};
  GetClassNameW(window, className, 16);
  return _wcsicmp(className, L"MDIClient") == 0;
}

CPoint MessagePoint(LPARAM lParam) {
  return {double(GET_X_LPARAM(lParam)), double(GET_Y_LPARAM(lParam))};
}

LPCWSTR SystemCursorFor(CCursorType type) {
  switch (type) {
    case kCursorWait:
      return MAKEINTRESOURCEW(32514);
    case kCursorHSize:
      return MAKEINTRESOURCEW(32644);
    case kCursorVSize:
      return MAKEINTRESOURCEW(32645);
    case kCursorSizeAll:
      return MAKEINTRESOURCEW(32646);
    case kCursorNESWSize:
      return MAKEINTRESOURCEW(32643);
    case kCursorNWSESize:
      return MAKEINTRESOURCEW(32642);
    case kCursorNotAllowed:
      return MAKEINTRESOURCEW(32648);
    case kCursorHand:
      return MAKEINTRESOURCEW(32649);
    default:
      return nullptr;
  }
}

}  // namespace

std::unique_ptr<NativeWindow> NativeWindow::create(void* parent, const CRect& size,
                                                   NativeWindowEvents& events) {
  return Win32Window::create(static_cast<HWND>(parent), size, events);
}

std::unique_ptr<Win32Window> Win32Window::create(HWND parent, const CRect& size,
                                                 NativeWindowEvents& events) {
  if (parent == nullptr || !IsWindow(parent) || size.isEmpty()) return nullptr;
  const wchar_t* className = WindowClass::acquire(&Win32Window::procedure);
  if (className == nullptr) return nullptr;
  std::unique_ptr<Win32Window> native(new Win32Window(events, size));
  native->window = CreateWindowExW(
      native->composited ? WS_EX_COMPOSITED : 0, className, L"Window",
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
      static_cast<int>(size.width()), static_cast<int>(size.height()), parent, nullptr,
      static_cast<HINSTANCE>(const_cast<void*>(OwnModuleHandle())), nullptr);
  if (native->window == nullptr) return nullptr;
  native->alive = true;
  SetWindowLongPtrW(native->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(native.get()));
  native->dropTarget = CDropTarget::registerFor(native->window, events);
  return native;
}

Win32Window::Win32Window(NativeWindowEvents& events, const CRect& size)
    : events(events), size(size), composited(PlatformMajorVersion() >= 6) {}

Win32Window::~Win32Window() {
  if (cursorSaved) SetCursor(savedCursor);
  if (alive) {
    revokeDropTarget();
    // No more events: the frame that receives them is going.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
  WindowClass::release();
}

LRESULT CALLBACK Win32Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* native = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (native && native->handle(message, wParam, lParam)) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint();
      return true;
    case WM_ERASEBKGND:
      return true;  // the paint covers every pixel; erasing first would flicker
    case WM_MOUSEMOVE:
      mouseMoved(wParam, lParam);
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      mouseDown(wParam, lParam, 0);
      return true;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDBLCLK:
      mouseDown(wParam, lParam, kDoubleClick);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
      mouseUp(wParam, lParam);
      return true;
    case WM_MOUSEWHEEL:
      wheel(wParam, lParam);
      return false;  // the host's window may scroll as well
    case WM_MOUSELEAVE:
      trackingLeave = false;
      events.onNativeMouseLeave(mouseLocation(), mouseButtons());
      return true;
    case kDpiChangedAfterParent:
      events.onNativeScaleChanged();
      return true;
    case WM_DESTROY:
      destroyed();
      return false;
    default:
      return false;
  }
}

void Win32Window::paint() {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetUpdateRgn(window, region, FALSE);
  if (kind != NULLREGION && kind != ERROR) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const RECT& r = paint.rcPaint;
    const CRect area{double(r.left), double(r.top), double(r.right), double(r.bottom)};
    if (composited) {
      auto context = SharedPointer<CDrawContext>::adopt(
          new CDrawContext(GdiplusCanvas::onDevice(dc), size, screenOrigin(), cursorLocator()));
      events.onPaint(context.get(), area);
    } else {
      if (!backBuffer) backBuffer = COffscreenContext::create(size.width(), size.height());
      if (backBuffer) {
        backBuffer->setCursorLocator(cursorLocator());
        events.onPaint(backBuffer.get(), area);
        if (auto target = GdiplusCanvas::onDevice(dc)) {
          target->drawImage(*backBuffer->getBitmap()->getPlatformImage(), r.left, r.top,
                            r.right - r.left, r.bottom - r.top, r.left, r.top, 255);
        }
      }
    }
    EndPaint(window, &paint);
  }
  DeleteObject(region);
}

void Win32Window::mouseDown(WPARAM wParam, LPARAM lParam, uint32_t extraButtons) {
  const uint32_t buttons = MessageButtons(wParam) | extraButtons;
  if (events.onNativeMouseDown(MessagePoint(lParam), buttons) == kMouseEventHandled) {
    SetCapture(window);
  }
}

void Win32Window::mouseUp(WPARAM wParam, LPARAM lParam) {
  events.onNativeMouseUp(MessagePoint(lParam), MessageButtons(wParam));
  // Only our own capture: another window's is not ours to end.
  if (GetCapture() == window) ReleaseCapture();
}

void Win32Window::mouseMoved(WPARAM wParam, LPARAM lParam) {
  // Windows reports leaving only once per request: ask again after each.
  if (!trackingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
    trackingLeave = TrackMouseEvent(&track) != FALSE;
  }
  events.onNativeMouseMoved(MessagePoint(lParam), MessageButtons(wParam));
}

void Win32Window::wheel(WPARAM wParam, LPARAM lParam) {
  uint32_t modifiers = 0;
  if (KeyDown(VK_SHIFT)) modifiers |= kShift;
  if (KeyDown(VK_CONTROL)) modifiers |= kControl;
  if (KeyDown(VK_MENU)) modifiers |= kAlt;
  // Screen coordinates, signed: monitors left of or above the main one are negative.
  const CPoint origin = screenOrigin(), screen = MessagePoint(lParam);
  const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
  events.onNativeWheel({screen.x - origin.x, screen.y - origin.y}, static_cast<float>(notches),
                       modifiers);
}

// The host destroyed its window, and ours with it.
void Win32Window::destroyed() {
  revokeDropTarget();
  alive = false;
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  events.onNativeWindowDestroyed();
}

void Win32Window::revokeDropTarget() {
  if (dropTarget == nullptr) return;
  // A drag in progress may still hold the target: it must not reach the frame.
  dropTarget->detach();
  dropTarget = nullptr;
  RevokeDragDrop(window);
}

CPoint Win32Window::screenOrigin() const {
  RECT r{};
  GetWindowRect(window, &r);
  return {double(r.left), double(r.top)};
}

void Win32Window::invalidRect(const CRect& rect) {
  if (!alive) return;
  const RECT r{TruncateToPixel(rect.left), TruncateToPixel(rect.top), TruncateToPixel(rect.right),
               TruncateToPixel(rect.bottom)};
  InvalidateRect(window, &r, TRUE);
}

void Win32Window::paintNow(const CRect& rect) {
  invalidRect(rect);
  if (alive) UpdateWindow(window);  // WM_PAINT through the procedure, before returning
}

void Win32Window::setCursor(CCursorType type) {
  if (!cursorSaved) {
    savedCursor = GetCursor();
    cursorSaved = true;
  }
  const LPCWSTR shape = SystemCursorFor(type);
  SetCursor(shape ? LoadCursorW(nullptr, shape) : savedCursor);
}

CPoint Win32Window::mouseLocation() {
  return CursorFrom(screenOrigin());
}

// The live state of the physical buttons: where the user swapped them, the
// physical left button is the logical right one.
uint32_t Win32Window::mouseButtons() {
  auto pressed = [](int key) { return GetAsyncKeyState(key) < 0; };
  bool left = pressed(VK_LBUTTON), right = pressed(VK_RBUTTON);
  if (WindowClass::buttonsSwapped()) std::swap(left, right);
  uint32_t buttons = 0;
  if (left) buttons |= kLButton;
  if (right) buttons |= kRButton;
  if (pressed(VK_MBUTTON)) buttons |= kMButton;
  if (pressed(VK_XBUTTON1)) buttons |= kButton4;
  if (pressed(VK_XBUTTON2)) buttons |= kButton5;
  if (pressed(VK_SHIFT)) buttons |= kShift;
  if (pressed(VK_CONTROL)) buttons |= kControl;
  if (pressed(VK_MENU)) buttons |= kAlt;
  return buttons;
}

SharedPointer<CDrawContext> Win32Window::makeSurface() {
  if (!alive) return {};
  return SharedPointer<CDrawContext>::adopt(new CDrawContext(
      GdiplusCanvas::onDevice(GetDC(window), window), size, screenOrigin(), cursorLocator()));
}

// The origin taken when the surface is made, as its window origin is.
CursorLocator Win32Window::cursorLocator() const {
  return [origin = screenOrigin()] { return CursorFrom(origin); };
}

void Win32Window::resize(const CRect& newSize) {
  size = newSize;
  backBuffer = {};  // made again at the new size by the next paint
  if (!alive) return;
  HWND previous = window;
  SIZE previousBefore = SizeOf(window);
  SIZE previousAfter{static_cast<LONG>(size.width()), static_cast<LONG>(size.height())};
  SetSize(window, previousAfter);
  // GA_PARENT, unlike GetParent, never leads from a top-level window to its owner.
  for (HWND parent = GetAncestor(previous, GA_PARENT);
       parent != nullptr && parent != GetDesktopWindow() && !IsMdiClient(parent);
       parent = GetAncestor(previous, GA_PARENT)) {
    const SIZE before = SizeOf(parent);
    const SIZE after{previousAfter.cx + before.cx - previousBefore.cx,
                     previousAfter.cy + before.cy - previousBefore.cy};
    SetSize(parent, after);
    previous = parent;
    previousBefore = before;
    previousAfter = after;
  }
}

}  // namespace VSTGUI
