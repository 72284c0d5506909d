// The resources that ViewHistory.exe carries, compiled from the same script into this test
// program and read back the way the system reads them.
#include "platform/Platform.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WindowsApi.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

namespace {

using UniqueImageList = platform::win32::UniqueHandle<HIMAGELIST, &::ImageList_Destroy>;
using UniqueBitmap = platform::win32::UniqueHandle<HBITMAP, &::DeleteObject>;
using UniqueLibrary = platform::win32::UniqueHandle<HMODULE, &::FreeLibrary>;

std::string ResourceBytes(const wchar_t* name, const wchar_t* type) {
    HRSRC found = ::FindResourceW(nullptr, name, type);
    if (found == nullptr) {
        return {};
    }
    const void* data = ::LockResource(::LoadResource(nullptr, found));
    return std::string(static_cast<const char*>(data), ::SizeofResource(nullptr, found));
}

template <typename T>
T ReadAt(const std::string& bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TEST(Resources, MainIconIsOne32By32ImageIn256Colours) {
    // The icon group: a 6-byte header, then one 14-byte entry per image.
    const std::string group = ResourceBytes(L"MAINICON", RT_GROUP_ICON);
    ASSERT_EQ(group.size(), 6u + 14u);
    EXPECT_EQ(ReadAt<WORD>(group, 4), 1) << "number of images";
    EXPECT_EQ(static_cast<unsigned char>(group[6]), 32) << "width";
    EXPECT_EQ(static_cast<unsigned char>(group[7]), 32) << "height";
    EXPECT_EQ(ReadAt<WORD>(group, 6 + 6), 8) << "bits per pixel";
    const WORD imageId = ReadAt<WORD>(group, 6 + 12);

    const std::string image = ResourceBytes(MAKEINTRESOURCEW(imageId), RT_ICON);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    const auto header = ReadAt<BITMAPINFOHEADER>(image, 0);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64) << "colour bitmap and mask";
    EXPECT_EQ(header.biBitCount, 8);

    // The AND mask follows the palette and the pixels; rows run bottom-up, 4 bytes each.
    const std::size_t maskOffset = header.biSize + 256 * 4 + 32 * 32;
    ASSERT_EQ(image.size(), maskOffset + 32 * 4);
    const auto masked = [&](int x, int y) {
        const auto byte = static_cast<unsigned char>(image[maskOffset + (31 - y) * 4 + x / 8]);
        return (byte >> (7 - x % 8) & 1) != 0;
    };
    EXPECT_TRUE(masked(0, 0)) << "the corners are transparent";
    EXPECT_TRUE(masked(31, 31));
    EXPECT_FALSE(masked(16, 16)) << "the cube is opaque";
}

TEST(Resources, MainIconLoads) {
    HICON icon = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 32, 32, LR_SHARED));
    EXPECT_NE(icon, nullptr);
}

TEST(Resources, TreeImagesAreTwoMaskedPictures) {
    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    UniqueBitmap bitmap(static_cast<HBITMAP>(::LoadImageW(
        module, MAKEINTRESOURCEW(IDB_TREE_IMAGES), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(bitmap);
    DIBSECTION dib{};
    ASSERT_EQ(::GetObjectW(bitmap.Get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 32);
    EXPECT_EQ(dib.dsBm.bmHeight, 16);
    // The top-left pixel is the mask colour, magenta.
    const auto* bits = static_cast<const unsigned char*>(dib.dsBm.bmBits);
    const auto topRow = static_cast<std::size_t>(dib.dsBm.bmWidthBytes) * 15;
    EXPECT_EQ(std::vector<unsigned>({bits[topRow], bits[topRow + 1], bits[topRow + 2]}),
              std::vector<unsigned>({0xFF, 0x00, 0xFF}));

    UniqueImageList images(::ImageList_LoadImageW(module, MAKEINTRESOURCEW(IDB_TREE_IMAGES), 16, 0,
                                                  RGB(255, 0, 255), IMAGE_BITMAP,
                                                  LR_CREATEDIBSECTION));
    ASSERT_TRUE(images);
    EXPECT_EQ(::ImageList_GetImageCount(images.Get()), 2);
}

TEST(Resources, ManifestSelectsCommonControls6) {
    // Version 6 is a side-by-side assembly; without the manifest the system's folder gives the
    // old version 5.
    UniqueLibrary comctl(::LoadLibraryW(L"comctl32.dll"));
    ASSERT_TRUE(comctl);
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(comctl.Get(), path.data(), MAX_PATH));
    std::transform(path.begin(), path.end(), path.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    EXPECT_NE(path.find(L"\\winsxs\\"), std::wstring::npos);
    EXPECT_NE(path.find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos);
}

TEST(Resources, VersionDescriptionIsTheChineseTitle) {
    const std::wstring path = [] {
        std::wstring buffer(MAX_PATH, L'\0');
        buffer.resize(::GetModuleFileNameW(nullptr, buffer.data(), MAX_PATH));
        return buffer;
    }();
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\StringFileInfo\\080404B0\\FileDescription",
                                 &value, &length));
    // 《KorvanWisplet》信息管理器, which comes out right only if the script's code page is
    // honoured.
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)),
              L"\u300AKorvanWisplet\u300B\u4FE1\u606F\u7BA1\u7406\u5668");
}

TEST(Resources, BackgroundPictureIsIncluded) {
    const std::span<const char> bg = platform::Resource("bg", "FILE");
    ASSERT_GE(bg.size(), 6u);
    EXPECT_EQ(std::string(bg.data(), 3), "GIF");
}

}  // namespace
