// The eyes moved to a monitor of another scale: Windows sends each window WM_DPICHANGED with the new
// DPI and a suggested rectangle. Wine gives every monitor the same DPI, so the test sends it itself.

#include "art/ScaledPictures.h"
#include "art/Skins.h"
#include "art/src/Artwork.h"
#include "eyes/Program.h"
#include "menu/Form3.h"
#include "tests/support/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

void Pump(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG message;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(5);
    }
}

HWND Window(const std::string& caption) {
    struct Search {
        std::string Caption;
        HWND Found = nullptr;
    } search{caption};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(data);
            char text[64] = {};
            GetWindowTextA(window, text, sizeof text);
            if (wanted->Caption != text) return TRUE;
            wanted->Found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

RECT Rect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// Form1's square children (the pupils), left one first: their rectangles in its client area.
std::vector<RECT> Pupils(HWND form1) {
    std::vector<RECT> pupils;
    for (HWND child = GetWindow(form1, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect = Rect(child);
        MapWindowPoints(nullptr, form1, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.right - rect.left == rect.bottom - rect.top) pupils.push_back(rect);
    }
    std::sort(pupils.begin(), pupils.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
    return pupils;
}

void SendDpi(HWND window, int dpi, RECT suggested) {
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

TEST(DpiChange, TheEyesTakeTheNewScaleTogetherAndKeepTracking) {
    settings::MemoryRegistry registry;
    eyes::Program program{registry};
    program.Start();
    Pump(100);
    const HWND form1 = Window("Form1"), form6 = Window("Form6");
    ASSERT_TRUE(form1 && form6);
    ASSERT_EQ(Rect(form1).right - Rect(form1).left, 130) << "this test runs at 96 dpi";
    // "On Top" either way: Form1 directly above the overlay, in the band chosen.
    for (const bool topmost : {true, false, true}) {
        program.SetZOrder(topmost);
        EXPECT_EQ(GetWindow(form1, GW_HWNDNEXT), form6) << "topmost " << topmost;
        EXPECT_EQ((GetWindowLongA(form6, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, topmost);
    }

    // Onto a monitor at 200 %. The overlay hears of it first, with a rectangle of its own: it still
    // ends where Form1 ends.
    SendDpi(form6, 192, {300, 205, 560, 385});
    SendDpi(form1, 192, {300, 200, 560, 376});
    const RECT eyes = Rect(form1), overlay = Rect(form6);
    EXPECT_EQ(eyes.left, 300);
    EXPECT_EQ(eyes.top, 200);
    EXPECT_EQ(eyes.right - eyes.left, 260);
    EXPECT_EQ(eyes.bottom - eyes.top, 176);
    EXPECT_EQ(overlay.left, 300);
    EXPECT_EQ(overlay.top, 200);
    EXPECT_EQ(overlay.right - overlay.left, 260) << "the skin drawn at 260 x 180";
    EXPECT_EQ(overlay.bottom - overlay.top, 180);
    std::vector<RECT> pupils = Pupils(form1);
    ASSERT_EQ(pupils.size(), 2u);
    EXPECT_EQ(pupils[0].right - pupils[0].left, 28);

    // Tracking at the new scale: the cursor far to the left at the height of the eyes' centre puts the
    // left pupil at the left end of its range, half way down: eye area 24, 36, 90 x 118 at 200 %.
    SetCursorPos(0, 200 + 36 + 59);
    Pump(100);
    pupils = Pupils(form1);
    EXPECT_EQ(pupils[0].left, 24);
    EXPECT_EQ(pupils[0].top, 36 + 59 - 14);

    // Back onto a monitor at 100 %: the sizes of 100 % again.
    SendDpi(form1, 96, {40, 50, 170, 138});
    SendDpi(form6, 96, {40, 50, 170, 140});
    EXPECT_EQ(Rect(form1).left, 40);
    EXPECT_EQ(Rect(form1).right - Rect(form1).left, 130);
    EXPECT_EQ(Rect(form1).bottom - Rect(form1).top, 88);
    EXPECT_EQ(Rect(form6).left, 40);
    EXPECT_EQ(Rect(form6).top, 50);
    EXPECT_EQ(Rect(form6).right - Rect(form6).left, 130);
    EXPECT_EQ(Rect(form6).bottom - Rect(form6).top, 90);
    EXPECT_EQ(Pupils(form1)[0].right - Pupils(form1)[0].left, 14);
}

}  // namespace

namespace {

// The width of the small icon a window shows in its title bar.
int SmallIconWidth(HWND window) {
    ICONINFO icon{};
    GetIconInfo(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0)), &icon);
    forms::unique_hbitmap colour(icon.hbmColor), mask(icon.hbmMask);
    BITMAP bitmap{};
    GetObjectA(icon.hbmColor, sizeof bitmap, &bitmap);
    return bitmap.bmWidth;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The About window at each scale Windows offers up to 200 %: its size from the layout's twips, and
// every text as drawn inside its panel or window, the texts that share a line apart, the badge and
// the button inside.
TEST(DpiChange, TheAboutWindowKeepsEveryTextInsideAtEachScale) {
    menu::Form3 about;
    about.Load();
    const struct {
        int Dpi, Width, Height;
    } scales[] = {{96, 275, 391}, {120, 344, 489}, {144, 413, 587}, {192, 550, 782}};
    for (const auto& scale : scales) {
        SCOPED_TRACE(scale.Dpi);
        // Windows suggests the frame around the client area at the new scale.
        const RECT suggested = forms::FrameAroundAt(
            {0, 0, scale.Width, scale.Height}, static_cast<DWORD>(GetWindowLongA(about.hWnd(), GWL_STYLE)),
            static_cast<DWORD>(GetWindowLongA(about.hWnd(), GWL_EXSTYLE)), scale.Dpi);
        about.ApplyDpi(scale.Dpi, suggested);
        RECT client{};
        GetClientRect(about.hWnd(), &client);
        EXPECT_EQ(client.right, scale.Width);
        EXPECT_EQ(client.bottom, scale.Height);
        RECT panel{};
        GetClientRect(about.Picture1.hWnd(), &panel);
        for (forms::Label* label : {&about.Label6, &about.Label13, &about.Label4, &about.Label14, &about.Label3})
            EXPECT_TRUE(Inside(label->HitRect(), panel)) << label->Caption;
        for (forms::Label* label : {&about.Label10, &about.Label7, &about.Label8, &about.Label12, &about.Label2})
            EXPECT_TRUE(Inside(label->HitRect(), client)) << label->Caption;
        EXPECT_LT(about.Label4.HitRect().right, about.Label13.HitRect().left);
        EXPECT_LT(about.Label10.HitRect().right, about.Label7.HitRect().left);
        EXPECT_LT(about.Label8.HitRect().right, about.Label12.HitRect().left);
        EXPECT_TRUE(Inside(about.Image3.PixelRect(), client));
        RECT button{};
        GetWindowRect(about.Command1.hWnd(), &button);
        MapWindowPoints(nullptr, about.hWnd(), reinterpret_cast<POINT*>(&button), 2);
        EXPECT_TRUE(Inside(button, client));
        // The title bar's icon loaded at the scale: 16 pixels at 100 %.
        EXPECT_EQ(SmallIconWidth(about.hWnd()), 16 * scale.Dpi / 96);
    }
}

}  // namespace

namespace {

// A picture's pixels as the program holds them: 0xAARRGGBB, row by row from the top.
std::vector<std::uint32_t> PixelsOf(const forms::Picture& picture) {
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), picture.PixelWidth(), -picture.PixelHeight(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(picture.PixelWidth()) * picture.PixelHeight());
    forms::unique_hdc_window screen(nullptr);
    GetDIBits(screen.get(), picture.Handle(), 0, static_cast<UINT>(picture.PixelHeight()), pixels.data(), &info,
              DIB_RGB_COLORS);
    return pixels;
}

std::vector<std::uint32_t> PixelsOf(const art::Pixmap& design) {
    std::vector<std::uint32_t> pixels;
    for (const art::Rgba8& p : design.Pixels)
        pixels.push_back(std::uint32_t{p.Alpha} << 24 | std::uint32_t{p.Red} << 16 | std::uint32_t{p.Green} << 8 |
                         p.Blue);
    return pixels;
}

// At 150 % the eyes show their designs drawn at 1.5, pixel for pixel: never the 100 % pictures
// stretched. (The pupil is opaque, so premultiplying leaves it as drawn.)
TEST(DpiChange, TheEyesPicturesAt150PercentAreTheirDesignsDrawnAtThatScale) {
    for (const art::Skin& row : art::Skins) {
        const forms::PicturePtr skin = art::SkinPicture(row, 144);
        const art::Pixmap design = art::Premultiplied(art::DrawSkin(row.Design, 1.5));
        ASSERT_EQ(skin->PixelWidth(), 195);
        ASSERT_EQ(skin->PixelHeight(), 135);
        EXPECT_TRUE(PixelsOf(*skin) == PixelsOf(design)) << row.Caption;
    }
    const forms::PicturePtr pupil = art::PupilPicture(144);
    ASSERT_EQ(pupil->PixelWidth(), 20);
    EXPECT_TRUE(PixelsOf(*pupil) == PixelsOf(art::DrawPupil(1.5)));
}

}  // namespace

namespace {

// A window whose DPI is not the system's from the start, as one made on a monitor of another scale:
// under Wine, a window made while its thread is DPI unaware has 96 dpi whatever the system's. Run at
// a system DPI other than 96 (the display-scale scenario starts it so); at 96 it has nothing to show.
TEST(DpiChange, AFormTakesTheDpiOfItsWindowWhenItIsMade) {
    if (forms::Screen.Dpi() == 96) GTEST_SKIP() << "the system is at 96 dpi";
    using SetContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto setContext = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    ASSERT_TRUE(setContext);
    menu::Form3 about;
    const DPI_AWARENESS_CONTEXT aware = setContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    about.Load();
    // The screen as the window sees it (Wine scales the metrics of a DPI-unaware thread).
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    setContext(aware);
    EXPECT_EQ(about.Dpi(), 96);
    EXPECT_EQ(SmallIconWidth(about.hWnd()), 16) << "its title bar's icon at 96 dpi";
    // Centred on the screen again at its new size.
    const RECT window = Rect(about.hWnd());
    EXPECT_NEAR((window.left + window.right) / 2.0, screenWidth / 2.0, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2.0, screenHeight / 2.0, 1);
}

}  // namespace
