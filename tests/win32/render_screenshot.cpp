// Renders the native window with the demo library loaded and a group selected, as the README shows it:
//   kitvane_dialog_screenshot OUTPUT.bmp LIBRARY_PARENT_FOLDER OUTPUT_FOLDER
// The demo library is written into LIBRARY_PARENT_FOLDER as "Demo Library"; the window shows both
// folders. The picture is what the display shows of the window.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/dialog_template.h"
#include "app/win32/wide_text.h"
#include "cli/demo_library.h"
#include "tests/win32/dialog_driver.h"

namespace {

using kitvane::win32::Narrow;

// The screen's pixels under the window's client area, as a 24-bit bitmap file. (Without a window manager,
// as on a virtual display, nobody draws the frame.)
bool SaveWindowPicture(HWND window, const std::wstring& file) {
    RECT rect;
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP picture = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, picture);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const DWORD rowBytes = static_cast<DWORD>((width * 3 + 3) & ~3);
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageBytes), 0, 0,
        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::ofstream out(std::filesystem::path(file), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageBytes);
    ::SelectObject(memory, previous);
    ::DeleteObject(picture);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return static_cast<bool>(out);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: kitvane_dialog_screenshot OUTPUT.bmp LIBRARY_PARENT_FOLDER OUTPUT_FOLDER\n");
        return 1;
    }
    const std::wstring library = std::wstring(argv[2]) + L"\\Demo Library";
    if (kitvane::cli::WriteDemoLibrary(Narrow(library), {}) != kitvane::cli::DemoOutcome::Written)
        return 1;
    namespace c = kitvane::control;
    kitvane::testing::AnsweringSeams seams;
    bool saved = false;
    kitvane::testing::DialogDriver::Run(seams, [&](kitvane::testing::DialogDriver& user) {
        user.Drop({library});
        user.TypeInto(c::kOutputFolder, argv[3]);
        user.Click(c::kAddLibrarySubfolder);
        user.Click(c::kAddLibrarySubfolder);
        user.SelectRow(c::kMainList, 3);
        user.SelectRow(c::kWavesList, 0);
        ::RedrawWindow(user.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::Sleep(500);  // the display shows the last paint
        saved = SaveWindowPicture(user.Window(), argv[1]);
    });
    return saved ? 0 : 1;
}
