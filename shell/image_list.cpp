#include "shell/image_list.h"

#include "shell/app_state.h"

namespace shell {

HIMAGELIST CreateSmallImageList() { return ImageList_Create(16, 16, ILC_MASK, 4, 2); }

int AddBitmapPair(HIMAGELIST list, int picture, int mask) {
    HBITMAP pictureBitmap = LoadBitmapA(App().instance, MAKEINTRESOURCEA(picture));
    HBITMAP maskBitmap = LoadBitmapA(App().instance, MAKEINTRESOURCEA(mask));
    const int index = ImageList_Add(list, pictureBitmap, maskBitmap);
    if (pictureBitmap != nullptr) DeleteObject(pictureBitmap);
    if (maskBitmap != nullptr) DeleteObject(maskBitmap);
    return index;
}

}  // namespace shell
