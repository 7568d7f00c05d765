// The program's resources, as the system reads them: the version strings, the icon
// group DEFAULT_ICON and the link's cursor.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
