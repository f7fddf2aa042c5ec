// The stream GDI+ decodes the embedded images from answers as a read-only
// stream over bytes it does not own.
#include "editor/drawing/gdiplus/resource_stream.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <thread>

using namespace VSTGUI;

namespace {

class Stream : public ::testing::Test {
 protected:
  Stream() {
    for (size_t i = 0; i < bytes.size(); ++i)
      bytes[i] = static_cast<unsigned char>(i);
  }
  ~Stream() override { EXPECT_EQ(stream->Release(), 0u); }

  uint64_t Seek(int64_t move, DWORD origin, HRESULT expected) {
    LARGE_INTEGER distance;
    distance.QuadPart = move;
    ULARGE_INTEGER position{};
    EXPECT_EQ(stream->Seek(distance, origin, &position), expected) << move << " from " << origin;
    return position.QuadPart;
  }

  std::array<unsigned char, 20> bytes{};
  ResourceStream* stream = new ResourceStream(bytes.data(), 20);
};

}  // namespace

TEST_F(Stream, ReadsWholeRequestsOrNothing) {
  unsigned char buffer[16] = {};
  ULONG read = 99;
  EXPECT_EQ(stream->Read(buffer, 8, &read), S_OK);
  EXPECT_EQ(read, 8u);
  EXPECT_EQ(buffer[7], 7);
  EXPECT_EQ(stream->Read(buffer, 16, &read), S_FALSE);  // 12 left
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(stream->Read(buffer, 12, &read), S_OK);
  EXPECT_EQ(buffer[0], 8);
  EXPECT_EQ(buffer[11], 19);
}

TEST_F(Stream, ARequestSoLargeItsEndWrapsAroundReadsNothing) {
  Seek(10, STREAM_SEEK_SET, S_OK);
  unsigned char buffer[4] = {};
  ULONG read = 99;
  EXPECT_EQ(stream->Read(buffer, 0xFFFFFFF8u, &read), S_FALSE);
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(stream->Read(buffer, 1, &read), S_OK);
  EXPECT_EQ(buffer[0], 10);
}

TEST_F(Stream, SeeksStayInsideTheBytes) {
  EXPECT_EQ(Seek(19, STREAM_SEEK_SET, S_OK), 19u);
  EXPECT_EQ(Seek(20, STREAM_SEEK_SET, S_FALSE), 19u);
  EXPECT_EQ(Seek(-1, STREAM_SEEK_SET, S_FALSE), 19u);
  EXPECT_EQ(Seek(-9, STREAM_SEEK_CUR, S_OK), 10u);
  EXPECT_EQ(Seek(-11, STREAM_SEEK_CUR, S_FALSE), 10u);
  EXPECT_EQ(Seek(INT64_MAX, STREAM_SEEK_CUR, S_FALSE), 10u);
  EXPECT_EQ(Seek(0, STREAM_SEEK_END, S_FALSE), 10u);
  EXPECT_EQ(Seek(0, 7, STG_E_INVALIDFUNCTION), 10u);
  EXPECT_EQ(stream->Revert(), S_OK);
  EXPECT_EQ(Seek(0, STREAM_SEEK_CUR, S_OK), 0u);
}

TEST_F(Stream, StatGivesTheSizeOnly) {
  STATSTG status;
  std::memset(&status, 0xAB, sizeof status);
  EXPECT_EQ(stream->Stat(&status, STATFLAG_DEFAULT), S_OK);
  EXPECT_EQ(status.cbSize.QuadPart, 20u);
  EXPECT_EQ(status.pwcsName, nullptr);
  EXPECT_EQ(status.type, 0u);
  EXPECT_EQ(status.grfMode, 0u);
}

TEST_F(Stream, ItIsAStreamAndNothingElseAndCannotChange) {
  for (const IID& id : {IID_IUnknown, IID_IStream, IID_ISequentialStream}) {
    void* object = nullptr;
    ASSERT_EQ(stream->QueryInterface(id, &object), S_OK);
    EXPECT_EQ(object, static_cast<IStream*>(stream));
    stream->Release();
  }
  void* object = &object;
  EXPECT_EQ(stream->QueryInterface(IID_IPersistStream, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  ULARGE_INTEGER size{};
  IStream* clone = nullptr;
  EXPECT_EQ(stream->Write("x", 1, nullptr), E_NOTIMPL);
  EXPECT_EQ(stream->SetSize(size), E_NOTIMPL);
  EXPECT_EQ(stream->CopyTo(nullptr, size, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(stream->Commit(0), E_NOTIMPL);
  EXPECT_EQ(stream->LockRegion(size, size, 0), E_NOTIMPL);
  EXPECT_EQ(stream->UnlockRegion(size, size, 0), E_NOTIMPL);
  EXPECT_EQ(stream->Clone(&clone), E_NOTIMPL);
}

// A decoder may hold and release the stream on threads of its own.
TEST_F(Stream, ReferencesCountedFromTwoThreadsBalance) {
  auto churn = [this] {
    for (int i = 0; i < 200000; ++i) {
      stream->AddRef();
      stream->Release();
    }
  };
  std::thread other(churn);
  churn();
  other.join();
  EXPECT_EQ(stream->AddRef(), 2u);
  EXPECT_EQ(stream->Release(), 1u);
}
