// Repaints a live picture box and caption label 10,000 times each and compares the process's
// GDI object count before and after: every paint makes a composite, selects a font and takes a
// paint DC, so a handle that is not given back shows up here at once. It also checks that the
// paints really drew the picture, and reports how long one repaint takes.
//
// Runs under Wine on a display (ctest starts it on a private Xvfb); exit code 0 when nothing
// leaked and the box shows its picture.
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "ui/picture/picture_box.h"

namespace {

constexpr int kRepaints = 10000;

// The process's GDI objects, as the system reports them and as counted in the handle table.
// Wine's GetGuiResources is a stub that answers 0; Wine does accept a handle's table index on
// its own, so there the objects can be counted one index at a time.
struct GdiCount {
  DWORD reported;
  DWORD counted;
};

GdiCount GdiObjects() {
  GdiCount count{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), 0};
  for (ULONG_PTR index = 1; index < 0x10000; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) {
      ++count.counted;
    }
  }
  return count;
}

// A leak shows in whichever count works here.
bool Leaked(const GdiCount& before, const GdiCount& after) {
  return after.reported > before.reported || after.counted > before.counted;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Repaints `window` `count` times; returns the microseconds one repaint took on average.
double Repaint(HWND window, int count) {
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < count; ++i) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
  }
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
         static_cast<double>(frequency.QuadPart) / count;
}

bool IsDark(COLORREF colour) {
  return colour != CLR_INVALID && GetRValue(colour) < 160 && GetGValue(colour) < 160 &&
         GetBValue(colour) < 160;
}

}  // namespace

int wmain() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"QuorvanePictureGdiCheck";
  if (RegisterClassExW(&windowClass) == 0) {
    std::fprintf(stderr, "cannot register the window class\n");
    return 2;
  }
  const HWND main = CreateWindowExW(0, windowClass.lpszClassName, L"picture box GDI check",
                                    WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 400, 400, nullptr,
                                    nullptr, windowClass.hInstance, nullptr);
  const RECT boxBounds{113, 24, 113 + 120, 24 + 128};
  const RECT labelBounds{85, 303, 85 + 175, 303 + 16};
  const HWND box = main != nullptr
                       ? quorvane::ui::CreatePictureBox(
                             main, 1, boxBounds, quorvane::ui::PictureDisplayMode::kFitCentred)
                       : nullptr;
  const HWND label = main != nullptr ? quorvane::ui::CreateTransparentLabel(
                                           main, 2, labelBounds, L"Drenvik科技有限公司——财务部")
                                     : nullptr;
  if (box == nullptr || label == nullptr) {
    std::fprintf(stderr, "cannot create the windows\n");
    return 2;
  }
  ShowWindow(box, SW_SHOWNA);
  ShowWindow(label, SW_SHOWNA);
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  PumpMessages();

  // A few paints first, so that whatever the system makes once (and keeps) is already there.
  Repaint(box, 10);
  Repaint(label, 10);
  PumpMessages();

  const GdiCount before = GdiObjects();
  const double boxMicroseconds = Repaint(box, kRepaints);
  const GdiCount afterBox = GdiObjects();
  const double labelMicroseconds = Repaint(label, kRepaints);
  const GdiCount afterLabel = GdiObjects();
  std::printf(
      "GDI objects (GetGuiResources / counted in the handle table): %lu / %lu before, "
      "%lu / %lu after %d picture box repaints, %lu / %lu after %d label repaints\n",
      static_cast<unsigned long>(before.reported), static_cast<unsigned long>(before.counted),
      static_cast<unsigned long>(afterBox.reported), static_cast<unsigned long>(afterBox.counted),
      kRepaints, static_cast<unsigned long>(afterLabel.reported),
      static_cast<unsigned long>(afterLabel.counted), kRepaints);
  std::printf("one repaint: picture box %.1f us, label %.1f us\n", boxMicroseconds,
              labelMicroseconds);

  // The paints drew the picture: the planet's outline at its top is dark, the sky beside it
  // and the band above the picture are the face colour.
  const HDC dc = GetDC(box);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF line = GetPixel(dc, 57, 40);
  const COLORREF sky = GetPixel(dc, 8, 8);
  const COLORREF band = GetPixel(dc, 60, 1);
  ReleaseDC(box, dc);
  std::printf("pixels: line %06lx, sky %06lx, band %06lx, face %06lx\n",
              static_cast<unsigned long>(line), static_cast<unsigned long>(sky),
              static_cast<unsigned long>(band), static_cast<unsigned long>(face));

  DestroyWindow(main);
  bool ok = true;
  if ((before.reported == 0 && before.counted == 0) || Leaked(before, afterBox) ||
      Leaked(before, afterLabel)) {
    std::fprintf(stderr, "GDI objects leaked (or could not be counted)\n");
    ok = false;
  }
  if (!IsDark(line) || sky != face || band != face) {
    std::fprintf(stderr, "the picture box does not show its picture\n");
    ok = false;
  }
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
