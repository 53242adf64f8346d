// The menu bar, the bitmaps and the program icon as the windows load them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

TEST(MainMenu, HasSixCommandsOnTheBarWithApplyGreyed) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    const struct {
        const char* text;
        UINT id;
        bool greyed;
    } expected[] = {
        {"&Options", 40001, false}, {"&Apply", 40005, true},  {"&Hide", 40002, false},
        {"&Close", 40004, false},   {"A&bout", 40003, false}, {"&Help", 40006, false},
    };
    ASSERT_EQ(GetMenuItemCount(menu), 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(expected[i].text);
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(text, expected[i].text);
        EXPECT_EQ(GetMenuItemID(menu, i), expected[i].id);
        EXPECT_EQ(GetSubMenu(menu, i), nullptr);
        EXPECT_EQ((GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) != 0, expected[i].greyed);
    }
    DestroyMenu(menu);
}

struct ExpectedBitmap {
    int id;
    int width, height, bits;
};

std::vector<ExpectedBitmap> ExpectedBitmaps() {
    std::vector<ExpectedBitmap> bitmaps;
    for (int id : {102, 112, 114, 117, 118, 121, 123, 129, 130, 131, 132, 137, 139, 140, 149, 151,
                   157, 159, 161, 163, 165, 167, 169, 170, 173, 175, 177, 179, 181, 183, 189}) {
        bitmaps.push_back({id, 16, 16, 4});
    }
    for (int id : {103, 113, 115, 119, 120, 122, 124, 133, 134, 135, 136, 138, 141, 142, 158, 160,
                   162, 164, 166, 168, 171, 172, 174, 176, 178, 180, 182, 184, 185}) {
        bitmaps.push_back({id, 16, 16, 1});
    }
    bitmaps.push_back({152, 48, 16, 4});
    bitmaps.push_back({153, 48, 16, 1});
    bitmaps.push_back({187, 164, 314, 8});
    return bitmaps;
}

TEST(Bitmaps, EveryNumberIsStoredWithItsSizeAndDepthAndLoads) {
    for (const ExpectedBitmap& want : ExpectedBitmaps()) {
        SCOPED_TRACE("bitmap " + std::to_string(want.id));
        HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(want.id), RT_BITMAP);
        ASSERT_NE(found, nullptr);
        ASSERT_GE(SizeofResource(nullptr, found), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        std::memcpy(&header, LockResource(LoadResource(nullptr, found)), sizeof(header));
        EXPECT_EQ(header.biWidth, want.width);
        EXPECT_EQ(header.biHeight, want.height);
        EXPECT_EQ(header.biBitCount, want.bits);

        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(want.id));
        ASSERT_NE(bitmap, nullptr);
        BITMAP info = {};
        ASSERT_NE(GetObjectA(bitmap, sizeof(info), &info), 0);
        EXPECT_EQ(info.bmWidth, want.width);
        EXPECT_EQ(info.bmHeight, want.height);
        DeleteObject(bitmap);
    }
}

// A picture drawn with a separate mask shows only where the mask is black, so an image whose
// opaque pixels fall outside its mask (or the reverse) would lose or gain pixels on screen.
TEST(Bitmaps, MasksCoverExactlyThePicturesTheyAreUsedWith) {
    const int pairs[][2] = {
        {102, 103}, {112, 113}, {114, 115}, {117, 120}, {118, 119}, {121, 122}, {123, 124},
        {129, 133}, {130, 134}, {131, 136}, {132, 135}, {137, 138}, {149, 138}, {139, 142},
        {140, 141}, {151, 185}, {152, 153}, {157, 158}, {159, 160}, {161, 162}, {163, 164},
        {165, 166}, {167, 168}, {169, 171}, {170, 172}, {173, 174}, {175, 176}, {177, 178},
        {179, 180}, {181, 182}, {183, 184},
        // pictures that serve as their own mask: white is see-through
        {112, 112}, {117, 117}, {189, 189},
    };
    HDC screen = GetDC(nullptr);
    for (const auto& pair : pairs) {
        SCOPED_TRACE("picture " + std::to_string(pair[0]) + ", mask " + std::to_string(pair[1]));
        HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(pair[0]));
        HBITMAP mask = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(pair[1]));
        ASSERT_NE(picture, nullptr);
        ASSERT_NE(mask, nullptr);
        BITMAP size = {};
        GetObjectA(picture, sizeof(size), &size);
        BITMAPINFO format = {};
        format.bmiHeader = {sizeof(BITMAPINFOHEADER), size.bmWidth, -size.bmHeight, 1, 32,
                            BI_RGB, 0, 0, 0, 0, 0};
        std::vector<DWORD> pixels(size.bmWidth * size.bmHeight), cover(pixels.size());
        ASSERT_NE(GetDIBits(screen, picture, 0, size.bmHeight, pixels.data(), &format,
                            DIB_RGB_COLORS), 0);
        ASSERT_NE(GetDIBits(screen, mask, 0, size.bmHeight, cover.data(), &format,
                            DIB_RGB_COLORS), 0);
        int opaque = 0, mismatched = 0;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const bool shown = (cover[i] & 0xFFFFFF) != 0xFFFFFF;
            // Transparent pixels are stored white, so white is background in every picture.
            const bool drawn = (pixels[i] & 0xFFFFFF) != 0xFFFFFF;
            opaque += shown;
            if (pair[0] != pair[1] && drawn && !shown) ++mismatched;
        }
        EXPECT_EQ(mismatched, 0);
        EXPECT_GT(opaque, 0);  // not an empty picture
        DeleteObject(picture);
        DeleteObject(mask);
    }
    ReleaseDC(nullptr, screen);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(ProgramIcon, HoldsSmallSixteenColourAndLargeSixteenAnd256ColourImages) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDI_ZUMBLE), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    WORD count;
    std::memcpy(&count, bytes + 4, 2);
    ASSERT_EQ(count, 3);
    std::vector<std::vector<int>> images;
    for (int i = 0; i < count; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, bytes + 6 + i * sizeof(entry), sizeof(entry));
        images.push_back({entry.width, entry.height, entry.bits});
        // Each image must itself be a readable icon of its size.
        HRSRC image = FindResourceA(nullptr, MAKEINTRESOURCEA(entry.id), RT_ICON);
        ASSERT_NE(image, nullptr);
        HICON icon = CreateIconFromResourceEx(
            static_cast<PBYTE>(LockResource(LoadResource(nullptr, image))),
            SizeofResource(nullptr, image), TRUE, 0x00030000, entry.width, entry.height, 0);
        EXPECT_NE(icon, nullptr) << "image " << i;
        if (icon != nullptr) DestroyIcon(icon);
    }
    const std::vector<std::vector<int>> expected = {{16, 16, 4}, {32, 32, 4}, {32, 32, 8}};
    EXPECT_EQ(images, expected);

    for (int side : {16, 32}) {
        HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ZUMBLE),
                                 IMAGE_ICON, side, side, 0);
        EXPECT_NE(icon, nullptr) << side;
        if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
    }
}

}  // namespace
