#include "screenshot.h"

#include <cstdint>
#include <vector>

#include "failure.h"
#include "files.h"

namespace e2e {
namespace {

// Top-down 32-bit pixels, blue-green-red-unused.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;
};

template <typename Draw>
Pixels capture(int width, int height, Draw draw) {
    Pixels pixels{width, height, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        const HGDIOBJ old = SelectObject(memory, bitmap);
        draw(memory, screen);
        GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        pixels.data.assign(first, first + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

void count(const Pixels& pixels, WindowImage& image) {
    image.greenPixels = image.redPixels = 0;
    for (const std::uint32_t pixel : pixels.data) {
        const std::uint32_t rgb = pixel & 0xFFFFFF;
        if (rgb == 0x00FF00) ++image.greenPixels;
        if (rgb == 0xFF0000) ++image.redPixels;
    }
}

void writeBmp(const Pixels& pixels, const std::wstring& path) {
    const int rowBytes = (pixels.width * 3 + 3) & ~3;
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes) * static_cast<std::uint32_t>(pixels.height);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageBytes;
    header.biSize = sizeof header;
    header.biWidth = pixels.width;
    header.biHeight = pixels.height;  // bottom-up rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = imageBytes;

    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    for (int y = pixels.height - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(rowBytes), '\0');
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t pixel = pixels.data[static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.width) +
                                                    static_cast<std::size_t>(x)];
            row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<char>(pixel & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        bytes += row;
    }
    writeFileAtomically(path, bytes);
}

}  // namespace

WindowImage saveWindowImage(HWND window, const std::wstring& path) {
    RECT area{};
    expect(GetWindowRect(window, &area) != FALSE, "cannot measure the window for its picture");
    WindowImage image;
    image.width = area.right - area.left;
    image.height = area.bottom - area.top;
    expect(image.width > 0 && image.height > 0, "the window has no size to picture");

    Pixels pixels = capture(image.width, image.height, [&](HDC memory, HDC) { PrintWindow(window, memory, 0); });
    count(pixels, image);
    if (image.greenPixels == 0 && image.redPixels == 0) {
        // Nothing painted for us: take what the screen shows, with the window on top.
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        // Its own thread paints; give it the moment it needs.
        Sleep(300);
        pixels = capture(image.width, image.height, [&](HDC memory, HDC screen) {
            BitBlt(memory, 0, 0, image.width, image.height, screen, area.left, area.top, SRCCOPY);
        });
        count(pixels, image);
        image.fromScreen = true;
    }
    writeBmp(pixels, path);
    return image;
}

}  // namespace e2e
