// The program's resources, as the system reads them: the version strings, the icon
// group DEFAULT_ICON and the link's cursor.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/main_window.h"

namespace {

std::vector<BYTE> VersionBlock() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path, &ignored));
    if (block.empty() || !GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()))
        return {};
    return block;
}

std::wstring VersionString(std::vector<BYTE>& block, const wchar_t* name) {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || !value) return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

TEST(Resources, VersionResourceIsChineseWithTheProductsStrings) {
    std::vector<BYTE> block = VersionBlock();
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(VersionString(block, L"ProductName"), L"Talvine复制粘贴精简版V1.0");
    EXPECT_EQ(VersionString(block, L"FileDescription"), L"最简单的复制粘贴工具\r\n鼠标左键划取，中键粘贴。");
    EXPECT_EQ(VersionString(block, L"FileVersion"), L"1.0.0.0");
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1.0.0.0");

    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 1200);  // Unicode

    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupIconDir {
    WORD reserved, type, count;
    GroupIconEntry entries[1];
};
#pragma pack(pop)

TEST(Resources, DefaultIconHoldsTwo32PixelImagesOf32And24Bits) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, "DEFAULT_ICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(found, nullptr);
    const auto* dir = static_cast<const GroupIconDir*>(LockResource(LoadResource(self, found)));
    ASSERT_EQ(dir->count, 2);
    EXPECT_EQ(dir->entries[0].width, 32);
    EXPECT_EQ(dir->entries[0].height, 32);
    EXPECT_EQ(dir->entries[0].bitCount, 32);
    EXPECT_EQ(dir->entries[1].width, 32);
    EXPECT_EQ(dir->entries[1].height, 32);
    EXPECT_EQ(dir->entries[1].bitCount, 24);

    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(LoadImageA(self, "DEFAULT_ICON", IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectA(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(Resources, LinkCursorIsAMonochrome32PixelHandWithItsHotSpotAtTheFingertip) {
    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), "LINK_HAND");
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 6u);
    EXPECT_EQ(info.yHotspot, 1u);
    EXPECT_EQ(info.hbmColor, nullptr) << "a monochrome cursor has no colour bitmap";
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64);  // AND and XOR masks stacked
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

// Windows reads the manifest from resource 1 of type RT_MANIFEST when it starts the
// program; a manifest under another name or type is never seen.
TEST(Resources, TheManifestIsResourceOneOfTypeManifest) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const std::string_view text(static_cast<const char*>(LockResource(LoadResource(self, found))),
                                SizeofResource(self, found));
    for (const char* part : {"Microsoft.Windows.Common-Controls", "PerMonitorV2", "true/pm", "asInvoker",
                             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(text.find(part), std::string_view::npos) << part;
}

// The manifest's dependency makes the window's buttons and edit box version 6 of
// the common controls: only that version knows BCM_GETIDEALSIZE. This test program
// carries the same manifest, so every other Win32 test here runs against version 6:
// the caption read back byte for byte, the tab order, the edit box's limit.
TEST(Resources, TheWindowsControlsAreVersionSixOfTheCommonControls) {
    talvine::MainWindow window;
    ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr), {}));
    for (HWND button : {window.按钮5.hwnd, window.按钮6.hwnd}) {
        SIZE ideal{};
        EXPECT_TRUE(SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
        EXPECT_GT(ideal.cx, 0);
    }
    EXPECT_EQ(SendMessageA(window.编辑框1.hwnd, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << "the largest limit";
    DestroyWindow(window.hwnd);
}

}  // namespace
