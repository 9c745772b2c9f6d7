#include "WizardLook.h"

#include <string.h>

#include "Gdi.h"
#include "PackedBmp.h"
#include "SetupApp.h"

void FillWizardBackground(HWND window, HDC dc)
{
    RECT box;
    GetWindowRect(window, &box);
    OffsetRect(&box, -box.left, -box.top);
    CBrush grey(kWizardBackground);
    FillRect(dc, &box, grey.handle);
}

INT_PTR TransparentOnWizardGrey(HDC dc)
{
    SetBkColor(dc, kWizardBackground);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

void DrawPackedImage(HWND control, int index)
{
    const CSetupInfo& info = TheSetupInfo();
    PackedBmp bmp;
    if (!control || index < 0 || index >= IMAGE_COUNT) return;
    if (!ParsePackedBmp(info.images[index], static_cast<size_t>(info.imagesize[index]), &bmp)) return;
    // The information header sits at byte 14 of the file, off the alignment
    // that BITMAPINFO asks for.
    BITMAPINFO header;
    memcpy(&header.bmiHeader, bmp.info, sizeof header.bmiHeader);
    CPaintDC dc(control);
    SetDIBitsToDevice(dc.hdc, 0, 0, bmp.width, bmp.height, 0, 0, 0, bmp.height, bmp.pixels, &header,
                      DIB_RGB_COLORS);
}
