#include "editor/toolkit/win32/drag_container.h"

// clang-format off
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <cwchar>

#include "platform/windows/utf16.h"

namespace VSTGUI {

namespace {

constexpr UINT kMaxFileName = 2048;
constexpr DWORD kShortcutTimeoutMs = 500;

FORMATETC FormatOf(CLIPFORMAT format) {
  return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// Null when the data has nothing in that format.
bool ReadText(IDataObject* data, std::wstring* text) {
  FORMATETC format = FormatOf(CF_UNICODETEXT);
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return false;
  if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(medium.hGlobal))) {
    // The source may leave out the terminating zero: never read past the block.
    const size_t capacity = GlobalSize(medium.hGlobal) / sizeof(wchar_t);
    text->assign(chars, wcsnlen(chars, capacity));
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  return true;
}

bool ReadFileNames(IDataObject* data, std::vector<std::wstring>* names) {
  FORMATETC format = FormatOf(CF_HDROP);
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return false;
  if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      wchar_t name[kMaxFileName];
      const UINT length = DragQueryFileW(drop, i, name, kMaxFileName);
      names->emplace_back(name, length);
    }
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  return true;
}

bool IsShortcut(const std::wstring& path) {
  const size_t nameStart = path.find_last_of(L"\\/") + 1;  // 0 when there is no folder
  const size_t dot = path.rfind(L'.');
  return dot != std::wstring::npos && dot >= nameStart &&
         _wcsicmp(path.c_str() + dot, L".lnk") == 0;
}

// The target of a shortcut; the shortcut itself when it cannot be resolved.
std::wstring ResolveShortcut(const std::wstring& path) {
  std::wstring target = path;
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return target;
  }
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    // With SLR_NO_UI the high word is the time limit in milliseconds.
    if (SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
        SUCCEEDED(link->Resolve(nullptr, SLR_NO_UI | (kShortcutTimeoutMs << 16)))) {
      wchar_t resolved[kMaxFileName] = L"";
      if (link->GetPath(resolved, kMaxFileName, nullptr, 0) == S_OK && resolved[0] != L'\0') {
        target = resolved;
      }
    }
    file->Release();
  }
  link->Release();
  return target;
}

}  // namespace

WinDragContainer::WinDragContainer(IDataObject* data) {
  if (data == nullptr) return;
  std::wstring text;
  if (ReadText(data, &text)) {
    contentKind = Kind::kText;
    items.push_back(std::move(text));
  } else if (ReadFileNames(data, &items)) {
    contentKind = Kind::kFiles;
  }
}

std::string WinDragContainer::item(int32_t index) const {
  if (index < 0 || index >= count()) return {};
  const std::wstring& value = items[static_cast<size_t>(index)];
  if (contentKind == Kind::kFiles && IsShortcut(value)) return Utf16ToUtf8(ResolveShortcut(value));
  return Utf16ToUtf8(value);
}

}  // namespace VSTGUI
