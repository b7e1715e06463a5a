#include "scaling.h"
#include "resmodule.h"
#include "resource.h"

// A source position with 16 fraction bits, kept within the pixels 0 to last.
static int ClampToPixels(int position, int last)
{
    return position < 0 ? 0 : position > last << 16 ? last << 16 : position;
}

// The colour fraction / 256 of the way from a to b (0x00RRGGBB each). Red and blue are blended
// together, 8 bits apart; what one borrows from the other is masked away.
static DWORD Blend(DWORD a, DWORD b, int fraction)
{
    DWORD redBlue = ((((b & 0xFF00FF) - (a & 0xFF00FF)) * fraction >> 8) + a) & 0xFF00FF;
    DWORD green = ((((b & 0xFF00) - (a & 0xFF00)) * fraction >> 8) + a) & 0xFF00;
    return redBlue | green;
}

// The picture's colour at a source position (16 fraction bits each way, from the centre of the
// top left pixel), blended from the four pixels around it (bilinear). The picture has 8 bits per
// pixel after its 256 palette entries, in bottom-up rows of whole words. Out of line, the loop
// that calls it keeps its values in registers.
__attribute__((noinline)) static DWORD SampleAt(const BITMAPINFO* info, int sx, int sy)
{
    int width = info->bmiHeader.biWidth, height = info->bmiHeader.biHeight;
    sx = ClampToPixels(sx, width - 1);
    sy = ClampToPixels(sy, height - 1);
    const DWORD* palette = (const DWORD*)info->bmiColors;
    int stride = (width + 3) & ~3;
    const BYTE* pixel = (const BYTE*)(palette + 256) + (height - 1 - (sy >> 16)) * stride + (sx >> 16);
    int right = sx >> 16 < width - 1, below = sy >> 16 < height - 1 ? -stride : 0;
    int fx = sx >> 8 & 0xFF;
    return Blend(Blend(palette[pixel[0]], palette[pixel[right]], fx),
                 Blend(palette[pixel[below]], palette[pixel[below + right]], fx), sy >> 8 & 0xFF);
}

HBITMAP FitPicture(HWND picture)
{
    RECT area;
    ::GetClientRect(picture, &area);
    HINSTANCE module = GetResourceModule();
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(IDB_WIZARD), (LPCSTR)RT_BITMAP);
    const BITMAPINFO* info = (const BITMAPINFO*)LockResource(LoadResource(module, resource));
    if (!info || area.right <= 0 || area.bottom <= 0) return nullptr;
    int width = info->bmiHeader.biWidth, height = info->bmiHeader.biHeight;
    // Source pixels per target pixel with 16 fraction bits, the same both ways: the smaller of
    // the two ratios, so that the picture covers the whole area.
    int step = (width << 16) / area.right, stepY = (height << 16) / area.bottom;
    if (stepY < step) step = stepY;
    // Where the centre of the first target pixel falls in the source, the cut even on both sides.
    int left = ((width << 16) - area.right * step + step) / 2 - 0x8000;
    int top = ((height << 16) - area.bottom * step + step) / 2 - 0x8000;

    // Top-down rows of 32 bits per pixel, 0x00RRGGBB as the palette's entries.
    BITMAPINFOHEADER header = { sizeof(header), area.right, -area.bottom, 1, 32 };
    DWORD* target;
    HBITMAP bitmap = CreateDIBSection(nullptr, (BITMAPINFO*)&header, DIB_RGB_COLORS, (void**)&target, nullptr, 0);
    if (!bitmap) return nullptr;
    for (int y = 0; y < area.bottom; y++)
        for (int x = 0; x < area.right; x++) *target++ = SampleAt(info, left + x * step, top + y * step);
    DeleteObject((HGDIOBJ)SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap));
    return bitmap;
}

int PageMargin(HWND dialog)
{
    // 8 dialog units are 12 pixels with the templates' font at 96 DPI.
    RECT margin = { 0, 0, 8, 0 };
    MapDialogRect(dialog, &margin);
    return margin.right / 3;
}
