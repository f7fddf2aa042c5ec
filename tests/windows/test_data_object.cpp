#include "tests/windows/test_data_object.h"

#include <shlobj.h>

#include <cstring>

TestDataObject* TestDataObject::withText(const std::wstring& text) {
  std::vector<unsigned char> bytes((text.size() + 1) * sizeof(wchar_t), 0);
  std::memcpy(bytes.data(), text.c_str(), text.size() * sizeof(wchar_t));
  return new TestDataObject(CF_UNICODETEXT, std::move(bytes));
}

// A DROPFILES header, then the wide names, each ended by a zero, and one more zero.
TestDataObject* TestDataObject::withFiles(const std::vector<std::wstring>& names) {
  std::wstring list;
  for (const std::wstring& name : names)
    list += name + L'\0';
  list += L'\0';
  std::vector<unsigned char> bytes(sizeof(DROPFILES) + list.size() * sizeof(wchar_t), 0);
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::memcpy(bytes.data(), &header, sizeof header);
  std::memcpy(bytes.data() + sizeof header, list.data(), list.size() * sizeof(wchar_t));
  return new TestDataObject(CF_HDROP, std::move(bytes));
}

HRESULT TestDataObject::QueryInterface(REFIID id, void** object) {
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject)) {
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TestDataObject::Release() {
  const LONG left = --references;
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT TestDataObject::QueryGetData(FORMATETC* requested) {
  return requested->cfFormat == format && (requested->tymed & TYMED_HGLOBAL) ? S_OK
                                                                             : DV_E_FORMATETC;
}

HRESULT TestDataObject::GetData(FORMATETC* requested, STGMEDIUM* medium) {
  ++dataRequests;
  if (QueryGetData(requested) != S_OK) return DV_E_FORMATETC;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = block;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}
