// What a drag source offers: a text or file names, in an IDataObject that
// counts how often its data is asked for.
#pragma once

// clang-format off
#include <windows.h>
#include <ole2.h>
// clang-format on

#include <string>
#include <vector>

class TestDataObject final : public IDataObject {
 public:
  // Each starts with one reference, the caller's.
  static TestDataObject* withText(const std::wstring& text);
  static TestDataObject* withFiles(const std::vector<std::wstring>& names);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

  int dataRequests = 0;

 private:
  TestDataObject(CLIPFORMAT format, std::vector<unsigned char> bytes)
      : format(format), bytes(std::move(bytes)) {}
  ~TestDataObject() = default;

  CLIPFORMAT format;
  std::vector<unsigned char> bytes;
  LONG references = 1;
};
