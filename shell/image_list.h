// The program's pictures are bitmap pairs (picture and one-bit mask) in 16 x 16 image lists.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace shell {

// A masked 16 x 16 image list with room for 4 images, growing by 2.
HIMAGELIST CreateSmallImageList();

// Loads the picture and mask bitmaps from the program's resources and appends them as one image;
// returns its index (-1 when a bitmap is missing).
int AddBitmapPair(HIMAGELIST list, int picture, int mask);

}  // namespace shell
