#include "programme/CPreviewPlayer.h"

#include "app/CVemtApp.h"
#include "programme/CPreviewSprites.h"
#include "programme/CScreenInfoTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// Copies the w x h block of src at (sx, sy) to (dx, dy) of dst. Like a block transfer
// between memory bitmaps, parts outside either bitmap are skipped and the destination
// keeps its pixels there.
void Blit(CRasterSurface& dst, int dx, int dy, const CRasterSurface& src, int sx, int sy, int w, int h)
{
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    if (dx < 0) { sx -= dx; w += dx; dx = 0; }
    if (dy < 0) { sy -= dy; h += dy; dy = 0; }
    w = std::min({w, src.Width() - sx, dst.Width() - dx});
    h = std::min({h, src.Height() - sy, dst.Height() - dy});
    if (w <= 0 || h <= 0) return;
    for (int y = 0; y < h; ++y)
        std::copy_n(src.Row(sy + y) + sx, w, dst.Row(dy + y) + dx);
}

// The surface moved onto itself by (dx, dy). What it uncovers keeps its old pixels, as
// with a block transfer of a bitmap onto itself; rows and pixels are moved in an order
// that never reads one already overwritten.
void Shift(CRasterSurface& s, int dx, int dy)
{
    const int w = s.Width() - std::abs(dx);
    const int h = s.Height() - std::abs(dy);
    if (w <= 0 || h <= 0) return;
    const int srcX = dx < 0 ? -dx : 0;
    const int dstX = dx > 0 ? dx : 0;
    auto moveRow = [&](int fromY, int toY) {
        const COLORREF* from = s.Row(fromY) + srcX;
        COLORREF* to = s.Row(toY) + dstX;
        if (to < from)
            std::copy(from, from + w, to);
        else
            std::copy_backward(from, from + w, to + w);
    };
    if (dy <= 0) {
        for (int y = 0; y < h; ++y) moveRow(y - dy, y);
    } else {
        for (int y = h - 1; y >= 0; --y) moveRow(y, y + dy);
    }
}

void FillRect(CRasterSurface& s, int x, int y, int w, int h, COLORREF color)
{
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + w, s.Width()), y1 = std::min(y + h, s.Height());
    for (int yy = y0; yy < y1; ++yy) std::fill(s.Row(yy) + x0, s.Row(yy) + std::max(x0, x1), color);
}

const char* const kWeekdays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};

// The clock is laid out from fixed samples so that it does not move as the text
// changes: a three-character weekday word in GB2312 followed by a time.
constexpr std::string_view kLargeSample = "\xD0\xC7\xC6\xDA\xCE\xE5" "15:24:02";
static_assert(kLargeSample.size() == 14);

std::tm SystemLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return t;
}

}  // namespace

CPreviewPlayer::CPreviewPlayer(const CRasterSurface& canvas, int width, int height, int colorCount,
                               std::vector<SCREENINFO> table)
    : m_nWidth(std::max(0, width)), m_nHeight(std::max(0, height)), m_nColorCount(colorCount),
      m_aTable(std::move(table)), m_allScreens(canvas), m_display(m_nWidth, m_nHeight, kBlack),
      m_next(m_nWidth, m_nHeight, kBlack), m_sprite(2 * m_nBlock, 2 * m_nBlock, kBlack),
      m_window(m_nWidth, m_nHeight, kBlack), m_fnNow(SystemLocalTime)
{
}

CPreviewPlayer::CPreviewPlayer(CVemtApp& app, const CRasterSurface& canvas, int screenCount)
    : CPreviewPlayer(canvas, app.m_nTPWidth, app.m_nTPHeight, app.m_nColorCount,
                     ResizedTable(app, screenCount))
{
}

std::vector<SCREENINFO> CPreviewPlayer::ResizedTable(CVemtApp& app, int screenCount)
{
    CScreenInfoTable(app).ResizeScreenInfo(screenCount);
    return app.m_aScreenInfo;
}

int CPreviewPlayer::StepDelay(int speed)
{
    switch (speed) {
    case 0: return 30;
    case 1: return 50;
    case 2: return 70;
    case 3: return 90;
    case 4: return 28;
    case 5: return 30;
    case 6: return 32;
    case 7: return 34;
    default: return 20;
    }
}

bool CPreviewPlayer::Next(CPreviewFrame& frame)
{
    if (!m_bStarted) {
        m_bStarted = true;
        m_steps = RunPreview();
        m_lastFrame = {&m_window, 0, false};
    }
    if (m_bEnded || !m_steps.Resume()) {
        m_bEnded = true;
        m_lastFrame.m_bForever = true;
        m_lastFrame.m_nWaitMs = 0;
        frame = m_lastFrame;
        return false;
    }
    m_lastFrame = m_steps.Value();
    if (m_lastFrame.m_bForever) m_bEnded = true;
    frame = m_lastFrame;
    return true;
}

const CRasterSurface& CPreviewPlayer::PictureAt(std::int64_t elapsedMs)
{
    CPreviewFrame frame;
    if (!m_bStarted) {
        Next(frame);
        m_nFrameStartMs = 0;
    }
    while (!m_lastFrame.m_bForever && m_nFrameStartMs + m_lastFrame.m_nWaitMs <= elapsedMs) {
        m_nFrameStartMs += m_lastFrame.m_nWaitMs;
        Next(frame);
    }
    return m_window;
}

CPreviewFrame CPreviewPlayer::Paint(std::int64_t waitMs)
{
    m_window = m_display;
    return Hold(waitMs);
}

CPreviewFrame CPreviewPlayer::Blank(std::int64_t waitMs)
{
    m_window.Fill(kBlack);
    return Hold(waitMs);
}

CPreviewFrame CPreviewPlayer::Hold(std::int64_t waitMs)
{
    m_nPassWaitMs += waitMs;
    return {&m_window, waitMs, false, m_nScreen, m_ePhase};
}

CPreviewPlayer::Steps CPreviewPlayer::RunPreview()
{
    const int count = ScreenCount();
    // Without a screen there is nothing to play; the display stays black.
    if (count == 0) co_return;

    for (int s = 0;;) {
        const SCREENINFO rec = m_aTable[std::size_t(s)];
        m_nScreen = s;
        m_ePhase = PreviewPhase::Entry;
        for (Steps steps = PlayImport(s, rec.byImport); steps.Resume();) co_yield steps.Value();

        // Continuum: no hold and no exit, the next screen enters over this one.
        if ((rec.byAppend & APPEND_CONTINUUM) == 0) {
            m_ePhase = PreviewPhase::Hold;
            for (Steps steps = PlayAppend(s); steps.Resume();) co_yield steps.Value();
            m_ePhase = PreviewPhase::Exit;
            for (Steps steps = PlayExport(s, rec.byExport); steps.Resume();) co_yield steps.Value();
            m_display.Fill(kBlack);
        }

        if (++s >= count) {
            s = 0;
            m_ePhase = PreviewPhase::Idle;
            // A programme whose every effect is instant (or unknown to the player) would
            // otherwise turn without ever giving the window time to show anything.
            if (m_nPassWaitMs == 0) co_yield Hold(StepDelay(0));
            m_nPassWaitMs = 0;
        }
    }
}

void CPreviewPlayer::PrepareEntry(int s, int code)
{
    m_next.Fill(kBlack);
    Blit(m_next, 0, 0, m_allScreens, 0, s * m_nHeight, m_nWidth, m_nHeight);
    // The moving entries push the old picture out; all others start from black.
    if (code >= 4) m_display.Fill(kBlack);
}

CPreviewPlayer::Steps CPreviewPlayer::PlayImport(int s, int code)
{
    if (code == 14 || code == 15) {
        code = m_nRandomImport;
        if (++m_nRandomImport >= 14) m_nRandomImport = 0;
    }
    if (code < 0 || code > 13) co_return;

    PrepareEntry(s, code);
    const int W = m_nWidth, H = m_nHeight;
    const int d = StepDelay(m_aTable[std::size_t(s)].bySpeed);

    switch (code) {
    case 0:
        for (int k = 0; k <= W; ++k) {
            Shift(m_display, -1, 0);
            Blit(m_display, W - k, 0, m_next, 0, 0, k, H);
            co_yield Paint(d);
        }
        break;
    case 1:
        for (int k = 0; k <= W; ++k) {
            Shift(m_display, 1, 0);
            Blit(m_display, 0, 0, m_next, W - k, 0, k, H);
            co_yield Paint(d);
        }
        break;
    case 2:
        for (int k = 0; k <= H; ++k) {
            Shift(m_display, 0, -1);
            Blit(m_display, 0, H - k, m_next, 0, 0, W, k);
            co_yield Paint(d);
        }
        break;
    case 3:
        for (int k = 0; k <= H; ++k) {
            Shift(m_display, 0, 1);
            Blit(m_display, 0, 0, m_next, 0, H - k, W, k);
            co_yield Paint(d);
        }
        break;
    case 4:
        for (int b = 0; b <= W; b += m_nBlock) {
            if (b > W - m_nBlock) {
                co_yield Hold(d);  // no room to slide: only the wait after the block
                continue;
            }
            for (int x = W - m_nBlock; x >= b; --x) {
                FillRect(m_display, x, 0, m_nBlock + 1, H, kBlack);
                Blit(m_display, x, 0, m_next, b, 0, m_nBlock, H);
                co_yield Paint(x == b ? d : 0);
            }
        }
        break;
    case 13:
        m_display = m_next;
        co_yield Paint(0);
        break;
    default:
        for (Steps steps = PlayOpen(code, d); steps.Resume();) co_yield steps.Value();
        break;
    }
}

CPreviewPlayer::Steps CPreviewPlayer::PlayOpen(int code, int d)
{
    const int W = m_nWidth, H = m_nHeight;
    auto column = [&](int x) { Blit(m_display, x, 0, m_next, x, 0, 1, H); };
    auto row = [&](int y) { Blit(m_display, 0, y, m_next, 0, y, W, 1); };

    switch (code) {
    case 5: for (int k = 0; k <= W; ++k) { column(k); co_yield Paint(d); } break;
    case 6: for (int k = 0; k <= W; ++k) { column(W - k); co_yield Paint(d); } break;
    case 7: for (int k = 0; k <= H; ++k) { row(H - k); co_yield Paint(d); } break;
    case 8: for (int k = 0; k <= H; ++k) { row(k); co_yield Paint(d); } break;
    case 9:
        for (int k = 0; k <= W / 2; ++k) { column(W / 2 - k); column(W / 2 + k); co_yield Paint(d); }
        break;
    case 10:
        for (int k = 0; k <= W / 2; ++k) { column(k); column(W - k); co_yield Paint(d); }
        break;
    case 11:
        for (int k = 0; k <= H / 2; ++k) { row(H / 2 - k); row(H / 2 + k); co_yield Paint(d); }
        break;
    case 12:
        for (int k = 0; k <= H / 2; ++k) { row(k); row(H - k); co_yield Paint(d); }
        break;
    default: break;
    }
}

CPreviewPlayer::Steps CPreviewPlayer::PlayExport(int s, int code)
{
    if (code == 14 || code == 15) {
        code = m_nRandomExport;
        if (++m_nRandomExport >= 14) m_nRandomExport = 0;
    }
    if (code < 0 || code > 13) co_return;

    const int W = m_nWidth, H = m_nHeight;
    const int d = StepDelay(m_aTable[std::size_t(s)].bySpeed);

    switch (code) {
    case 0:
        for (int k = 0; k <= W; ++k) {
            Blit(m_display, 0, 0, m_next, k, 0, W - k, H);
            FillRect(m_display, W - k, 0, 1, H, kBlack);
            co_yield Paint(d);
        }
        break;
    case 1:
        for (int k = 0; k <= W; ++k) {
            Blit(m_display, k, 0, m_next, 0, 0, W - k, H);
            FillRect(m_display, k - 1, 0, 1, H, kBlack);
            co_yield Paint(d);
        }
        break;
    case 2:
        for (int k = 0; k <= H; ++k) {
            Blit(m_display, 0, 0, m_next, 0, k, W, H - k);
            FillRect(m_display, 0, H - k, W, 1, kBlack);
            co_yield Paint(d);
        }
        break;
    case 3:
        for (int k = 0; k <= H; ++k) {
            Blit(m_display, 0, k, m_next, 0, 0, W, H - k);
            FillRect(m_display, 0, k - 1, W, 1, kBlack);
            co_yield Paint(d);
        }
        break;
    case 4:
        for (int b = 0; b <= W - m_nBlock; b += m_nBlock) {
            for (int x = b; x >= -m_nBlock; --x) {
                FillRect(m_display, x, 0, m_nBlock + 1, H, kBlack);
                Blit(m_display, x, 0, m_next, b, 0, m_nBlock, H);
                co_yield Paint(x == -m_nBlock ? d : 0);
            }
        }
        break;
    case 13:
        m_display.Fill(kBlack);
        co_yield Paint(0);
        break;
    default:
        // The blanking exits run the entry's pattern from an emptied picture.
        m_next.Fill(kBlack);
        for (Steps steps = PlayOpen(code, d); steps.Resume();) co_yield steps.Value();
        break;
    }
}

CPreviewPlayer::Steps CPreviewPlayer::PlayAppend(int s)
{
    const SCREENINFO rec = m_aTable[std::size_t(s)];
    const std::uint8_t flags = rec.byAppend;

    if (flags & APPEND_FLICKER) {
        for (int i = 0; i < 3; ++i) {
            co_yield Blank(300);
            co_yield Paint(300);
        }
    }
    if (flags & APPEND_PAUSE) {
        // Widened: a damaged companion may hold any 32-bit pause.
        const std::int64_t ms = std::int64_t(rec.nPauseSec) * 1000;
        if (ms > 0) co_yield Hold(ms);
    }
    if ((flags & APPEND_TIME) && (flags & APPEND_QUIESCENCE)) {
        for (;;) {
            DrawClock();
            co_yield Paint(1000);
            m_display = m_next;
        }
    }
    if (flags & APPEND_TIME) {
        for (int i = 0; i < 10; ++i) {
            DrawClock();
            co_yield Paint(1000);
            m_display = m_next;
        }
    }
    if (flags & APPEND_QUIESCENCE) {
        co_yield CPreviewFrame{&m_window, 0, true, m_nScreen, m_ePhase};
        co_return;
    }
    if (flags & APPEND_CARTOON) {
        for (Steps steps = PlayCartoon(rec.nCartoon); steps.Resume();) co_yield steps.Value();
    }
}

COLORREF CPreviewPlayer::ClockColor() const { return m_nColorCount == 1 ? kRed : kYellow; }

void CPreviewPlayer::DrawClock()
{
    m_display.Fill(kBlack);
    if (!m_pTextPainter) return;

    const std::tm t = m_fnNow();
    const CPreviewFont small{m_nBlock, m_nBlock / 2};
    const CPreviewFont large{2 * m_nBlock, m_nBlock};
    const CSize monthDaySample = m_pTextPainter->MeasureText(small, "04/05");
    const int a = monthDaySample.cx;
    const int c = m_pTextPainter->MeasureText(small, "2001").cx;
    const int b = m_pTextPainter->MeasureText(large, kLargeSample).cx;
    const int x0 = std::max(0, (m_nWidth - (a + b)) / 2);

    char year[16], monthDay[16], right[64];
    std::snprintf(year, sizeof year, "%04d", t.tm_year + 1900);
    std::snprintf(monthDay, sizeof monthDay, "%02d/%02d", t.tm_mon + 1, t.tm_mday);
    std::snprintf(right, sizeof right, " %s %02d:%02d:%02d", kWeekdays[((t.tm_wday % 7) + 7) % 7],
                  t.tm_hour, t.tm_min, t.tm_sec);

    const COLORREF color = ClockColor();
    m_pTextPainter->DrawText(m_display, {x0 + (a - c) / 2, 0}, small, year, color);
    m_pTextPainter->DrawText(m_display, {x0, monthDaySample.cy}, small, monthDay, color);
    m_pTextPainter->DrawText(m_display, {x0 + a, 0}, large, right, color);
}

void CPreviewPlayer::DrawSprite(int number, int x)
{
    m_sprite.Fill(kBlack);
    const int size = 2 * m_nBlock;
    for (int y = 0; y < size; ++y) {
        for (int col = 0; col < size; ++col) {
            const std::uint16_t bit = std::uint16_t(0x8000u >> col);
            COLORREF color = kBlack;
            if (m_nColorCount == 1) {
                if (GetSpriteRows(SpritePlane::Single, number)[std::size_t(y)] & bit) color = kRed;
            } else {
                const bool red = GetSpriteRows(SpritePlane::Red, number)[std::size_t(y)] & bit;
                const bool green = GetSpriteRows(SpritePlane::Green, number)[std::size_t(y)] & bit;
                color = red && green ? kYellow : red ? kRed : green ? kGreen : kBlack;
            }
            m_sprite.SetPixel(col, y, color);
        }
    }
    Blit(m_display, x, 0, m_sprite, 0, 0, size, size);
}

void CPreviewPlayer::DrawArrow(int x)
{
    // Drawn straight onto the display so that the archer behind it stays visible.
    for (int i = 0; i < 12; ++i) m_display.SetPixel(x + i, 4, kRed);
    m_display.SetPixel(x + 1, 3, kRed);
    m_display.SetPixel(x + 1, 5, kRed);
}

CPreviewPlayer::Steps CPreviewPlayer::PlayCartoon(int number)
{
    if (number < 0 || number > 4) co_return;
    const int W = m_nWidth;
    m_display.Fill(kBlack);

    switch (number) {
    case 0: {  // "Eat bean"
        const int n = (W - 8) / 8;
        for (int i = 0; i < n; ++i) {
            m_display.Fill(kBlack);
            for (int x = 0; x < W - 8 * i; ++x)
                if (x % 4 < 2) m_display.SetPixel(x, 8, kRed);
            DrawSprite(i % 2 == 0 ? 29 : 28, W - 8 * (i + 1));
            co_yield Paint(300);
        }
        m_display.Fill(kBlack);
        DrawSprite(30, 0);
        co_yield Paint(500);
        break;
    }
    case 1: {  // "Toxophily"
        DrawSprite(19, W - 16);
        co_yield Paint(350);
        m_display.Fill(kBlack);
        DrawSprite(20, W - 16);
        co_yield Paint(350);
        const int quarter = (W - 8) / 4;
        const int arrowX[4] = {W - quarter - 8, W - (W - 8) / 2 - 8, W - quarter * 3 - 8, W};
        const int archer[4] = {21, 22, 21, 22};
        for (int j = 0; j < 4; ++j) {
            m_display.Fill(kBlack);
            DrawSprite(archer[j], W - 16);
            DrawArrow(arrowX[j]);
            co_yield Paint(50);
        }
        m_display.Fill(kBlack);
        DrawSprite(27, W - 16);
        DrawSprite(23, 0);
        co_yield Paint(50);
        for (int post : {24, 25, 26}) {
            DrawSprite(post, 0);
            co_yield Paint(50);
        }
        DrawSprite(25, 0);
        co_yield Paint(350);
        break;
    }
    case 2: {  // "Weight lifting"
        for (int sprite : {17, 18, 16}) {
            for (int c = 0; c < W / 16; ++c) DrawSprite(sprite, 16 * c);
            co_yield Paint(450);
        }
        break;
    }
    case 3: {  // "Lion"
        for (int i = 0; i <= W - 33; ++i) {
            if (i % 24 == 0) {
                m_display.Fill(kBlack);
                DrawSprite(14, W - 32 - i);
                DrawSprite(15, W - 16 - i);
            } else if (i % 24 == 12) {
                m_display.Fill(kBlack);
                DrawSprite(12, W - 32 - i);
                DrawSprite(13, W - 16 - i);
            }
            co_yield Paint(50);
        }
        break;
    }
    case 4: {  // "Horse"
        const COLORREF ground = m_nColorCount == 1 ? kRed : kGreen;
        for (int r = 0; r < (W - 8) / 8; r += 2) {
            const int p = W - 16 - 8 * r;
            for (int f = 0; f < 6; ++f) {
                m_display.Fill(kBlack);
                DrawSprite(f, f == 5 ? p - 8 : p);
                DrawSprite(f + 6, f == 5 ? p + 8 : p + 16);
                FillRect(m_display, 0, 14, W, 1, ground);
                co_yield Paint(150);
            }
        }
        break;
    }
    }
    m_display = m_next;
}
