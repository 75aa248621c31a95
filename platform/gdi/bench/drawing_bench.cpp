// What painting a screen costs: filling it, copying windows into it, drawing a dialog's texts.
#include <benchmark/benchmark.h>

#include "gdi/device_context.h"
#include "win/gdi.h"

namespace {

using namespace platform::gdi;

void FillWholeScreen(benchmark::State& state) {
    auto screen = makeFramebuffer(1024, 768);
    HDC dc = createDc(screen, POINT{0, 0}, boundsOf(*screen));
    RECT all{0, 0, 1024, 768};
    HBRUSH brush = CreateSolidBrush(RGB(0, 128, 128));
    for (auto _ : state) FillRect(dc, &all, brush);
    state.SetItemsProcessed(state.iterations() * 1024 * 768);
    DeleteObject(brush);
    DeleteDC(dc);
}
BENCHMARK(FillWholeScreen);

void ComposeDialogIntoScreen(benchmark::State& state) {
    Framebuffer screen(1024, 768);
    Framebuffer dialog(333, 206, RGB(192, 192, 192));
    for (auto _ : state) copyPixels(screen, POINT{345, 281}, dialog, boundsOf(dialog));
    state.SetItemsProcessed(state.iterations() * 333 * 206);
}
BENCHMARK(ComposeDialogIntoScreen);

void DrawWrappedPrompt(benchmark::State& state) {
    auto window = makeFramebuffer(333, 206, RGB(192, 192, 192));
    HDC dc = createDc(window, POINT{0, 0}, boundsOf(*window));
    HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const char* prompt = "Please enter the path and Program Group name that you want the software installed to:";
    for (auto _ : state) {
        RECT rect{15, 41, 260, 73};
        DrawTextA(dc, prompt, -1, &rect, DT_WORDBREAK);
    }
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    DeleteDC(dc);
}
BENCHMARK(DrawWrappedPrompt);

void StretchPicture(benchmark::State& state) {
    auto screen = makeFramebuffer(1024, 768);
    HDC dc = createDc(screen, POINT{0, 0}, boundsOf(*screen));
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP picture = CreateCompatibleBitmap(dc, 180, 430);
    HGDIOBJ original = SelectObject(memory, picture);
    for (auto _ : state) StretchBlt(dc, 0, 0, 360, 860, memory, 0, 0, 180, 430, SRCCOPY);
    state.SetItemsProcessed(state.iterations() * 360 * 768);
    SelectObject(memory, original);
    DeleteObject(picture);
    DeleteDC(memory);
    DeleteDC(dc);
}
BENCHMARK(StretchPicture);

}  // namespace

BENCHMARK_MAIN();
