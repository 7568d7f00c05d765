#include "ui/balloon_paint.h"

#include <cstring>
#include <optional>

#include "base/handles.h"
#include "ui/texts.h"

namespace talvine {

namespace {

BITMAPINFO TopDown32(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A top-down 32-bit picture with a memory DC that draws into it.
class Canvas {
public:
    Canvas(int32_t width, int32_t height) : width_(width), height_(height) {
        const ScreenDc screen;
        dc_.reset(CreateCompatibleDC(screen.get()));
        const BITMAPINFO info = TopDown32(width, height);
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!dc_ || !bitmap_ || !bits) return;
        selected_.emplace(dc_.get(), bitmap_.get());
        bits_ = static_cast<uint32_t*>(bits);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_.get(); }
    bool ok() const { return bits_ != nullptr; }
    std::span<uint32_t> pixels() const {
        GdiFlush();  // GDI may still hold drawing back from the bits
        return {bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
    }

private:
    int32_t width_;
    int32_t height_;
    UniqueMemoryDc dc_;
    UniqueGdiObject bitmap_;
    std::optional<ScopedSelect> selected_;  // declared last: deselects before the DC and bitmap go
    uint32_t* bits_ = nullptr;
};

// A COLORREF (0x00BBGGRR) as a DIB pixel (0x00RRGGBB).
uint32_t PixelOf(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

int CALLBACK NoteFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

}  // namespace

const char* InstalledFace(const char* preferred, const char* fallback) {
    const ScreenDc screen;
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    strncpy(wanted.lfFaceName, preferred, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExA(screen.get(), &wanted, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found ? preferred : fallback;
}

HFONT CreateBalloonFont(int32_t fontHeight) {
    return CreateFontA(-fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       InstalledFace(texts::kBalloonFontFace, "Verdana"));
}

TextSize MeasureLines(HFONT font, const std::vector<std::string>& lines) {
    const ScreenDc screen;
    const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    const ScopedSelect selected(dc.get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    TextSize size{0, metrics.tmHeight};
    for (const std::string& line : lines) {
        SIZE extent{};
        GetTextExtentPoint32A(dc.get(), line.data(), static_cast<int>(line.size()), &extent);
        if (extent.cx > size.width) size.width = extent.cx;
    }
    return size;
}

std::vector<uint32_t> DrawBalloonFace(HFONT font, const BalloonLayout& layout, std::span<const uint8_t> shape,
                                      std::span<const uint8_t> border, const std::vector<std::string>& lines,
                                      int32_t lineHeight) {
    const int32_t width = layout.window.Width();
    const int32_t height = layout.window.Height();
    const Canvas canvas(width, height);
    if (!canvas.ok()) return std::vector<uint32_t>(shape.size(), 0);

    const uint32_t background = PixelOf(GetSysColor(COLOR_INFOBK));
    const uint32_t frame = PixelOf(GetSysColor(COLOR_INFOTEXT));
    const std::span<uint32_t> bits = canvas.pixels();
    for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = border[i] ? frame : shape[i] ? background : 0;

    const ScopedSelect selected(canvas.dc(), font);
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), RGB(0, 0, 0));
    const int32_t margin = layout.metrics.margin;
    int32_t y = layout.body.top + margin;
    for (const std::string& line : lines) {
        TextOutA(canvas.dc(), layout.body.left + margin, y, line.data(), static_cast<int>(line.size()));
        y += lineHeight;
    }
    const std::span<uint32_t> drawn = canvas.pixels();
    return {drawn.begin(), drawn.end()};
}

std::vector<uint32_t> CaptureScreen(const PixelRect& r) {
    const Canvas canvas(r.Width(), r.Height());
    if (!canvas.ok()) return std::vector<uint32_t>(static_cast<std::size_t>(r.Width()) * r.Height(), 0);
    const ScreenDc screen;
    // CAPTUREBLT takes layered windows along, which are part of what the user sees.
    BitBlt(canvas.dc(), 0, 0, r.Width(), r.Height(), screen.get(), r.left, r.top, SRCCOPY | CAPTUREBLT);
    std::vector<uint32_t> picture;
    for (const uint32_t p : canvas.pixels()) picture.push_back(p & 0x00FFFFFFu);  // GDI leaves junk in the top byte
    return picture;
}

HRGN RegionFromRuns(const std::vector<PixelRun>& runs) {
    if (runs.empty()) return CreateRectRgn(0, 0, 0, 0);
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(runs.size());
    header->nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    RECT bounds{runs.front().left, runs.front().y, runs.front().right, runs.front().y + 1};
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (std::size_t i = 0; i < runs.size(); ++i) {
        rects[i] = {runs[i].left, runs[i].y, runs[i].right, runs[i].y + 1};
        UnionRect(&bounds, &bounds, &rects[i]);
    }
    header->rcBound = bounds;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

void PaintPicture(HDC dc, const std::vector<uint32_t>& picture, int32_t width, int32_t height) {
    if (picture.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return;
    const BITMAPINFO info = TopDown32(width, height);
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), picture.data(), &info, DIB_RGB_COLORS);
}

}  // namespace talvine
