// What is dragged over the editor reaches it as UTF-8 items.
#include "editor/toolkit/win32/drag_container.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <filesystem>
#include <fstream>

#include "tests/windows/test_data_object.h"

using namespace VSTGUI;

namespace {

class DragContainer : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }

  static WinDragContainer Over(TestDataObject* data) {
    WinDragContainer container(data);
    data->Release();
    return container;
  }
};

// A shortcut at `link` to `target`, as Explorer makes one.
bool MakeShortcut(const std::wstring& link, const std::wstring& target) {
  IShellLinkW* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&shellLink)))) {
    return false;
  }
  IPersistFile* file = nullptr;
  bool saved =
      SUCCEEDED(shellLink->SetPath(target.c_str())) &&
      SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Save(link.c_str(), TRUE));
  if (file) file->Release();
  shellLink->Release();
  return saved;
}

}  // namespace

TEST_F(DragContainer, UnicodeTextIsTheOnlyItemInUtf8) {
  const WinDragContainer container = Over(TestDataObject::withText(L"h\u00e9llo \u266a"));
  EXPECT_EQ(container.kind(), WinDragContainer::Kind::kText);
  ASSERT_EQ(container.count(), 1);
  EXPECT_EQ(container.item(0), "h\xc3\xa9llo \xe2\x99\xaa");
  EXPECT_EQ(container.item(1), "");
  EXPECT_EQ(container.item(-1), "");
}

TEST_F(DragContainer, DroppedFilesAreItemsInTheirOrder) {
  const WinDragContainer container =
      Over(TestDataObject::withFiles({L"C:\\music\\take \u00e9.wav", L"C:\\x.y\\notes.txt"}));
  EXPECT_EQ(container.kind(), WinDragContainer::Kind::kFiles);
  ASSERT_EQ(container.count(), 2);
  EXPECT_EQ(container.item(0), "C:\\music\\take \xc3\xa9.wav");
  EXPECT_EQ(container.item(1), "C:\\x.y\\notes.txt");
}

TEST_F(DragContainer, AShortcutGivesItsTarget) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / "drag container test";
  fs::create_directories(folder);
  const fs::path target = folder / "take.wav";
  std::ofstream(target) << "RIFF";
  const fs::path link = folder / "my.take.LNK";
  ASSERT_TRUE(MakeShortcut(link.wstring(), target.wstring()));

  const WinDragContainer container = Over(TestDataObject::withFiles({link.wstring()}));
  ASSERT_EQ(container.count(), 1);
  EXPECT_EQ(fs::path(container.item(0)), target);
  fs::remove_all(folder);
}

TEST_F(DragContainer, NoDataMeansNoItems) {
  const WinDragContainer container(nullptr);
  EXPECT_EQ(container.kind(), WinDragContainer::Kind::kNothing);
  EXPECT_EQ(container.count(), 0);
  EXPECT_EQ(container.item(0), "");
}
