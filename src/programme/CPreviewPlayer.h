#pragma once
// The preview's play loop without a window: it plays the document's screens the way the
// sign does (entry by import mode, hold by append mode, exit by export mode, then the
// next screen, endlessly) and hands out, one after the other, each picture the window
// shows together with how long it stays. The window asks for the next frame when the
// time of the current one has passed; closing the window simply stops asking, so a stop
// takes effect within the step or cartoon frame being shown.

#include "programme/CStepGenerator.h"
#include "programme/IPreviewTextPainter.h"
#include "programme/SCREENINFO.h"
#include "raster/CRasterSurface.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <vector>

class CVemtApp;

// Which part of a screen's course a frame belongs to.
enum class PreviewPhase { Entry, Hold, Exit, Idle };

struct CPreviewFrame {
    // What the window shows, W x H; the player reuses it, so it holds until the next frame.
    const CRasterSurface* m_pPicture = nullptr;
    std::int64_t m_nWaitMs = 0;                  // how long before the next frame (0: at once)
    bool m_bForever = false;                     // the programme does not go on from here
    int m_nScreen = 0;                           // the screen being played, from 0
    PreviewPhase m_ePhase = PreviewPhase::Idle;
};

class CPreviewPlayer {
public:
    static constexpr int m_nBlock = 8;  // jump block width, clock font unit, sprite unit

    // canvas: the whole canvas rendered at one pixel per dot (screen s at row s * height).
    // One screen is played per record of table.
    CPreviewPlayer(const CRasterSurface& canvas, int width, int height, int colorCount,
                   std::vector<SCREENINFO> table);
    // Brings the application's table to screenCount records first, as opening the
    // preview does, and plays with the sign parameters the application holds.
    CPreviewPlayer(CVemtApp& app, const CRasterSurface& canvas, int screenCount);

    CPreviewPlayer(const CPreviewPlayer&) = delete;
    CPreviewPlayer& operator=(const CPreviewPlayer&) = delete;

    // Without a painter the clock shows a black display.
    void SetTextPainter(IPreviewTextPainter* painter) { m_pTextPainter = painter; }
    // The local date and time the clock shows; the system clock unless replaced.
    void SetTimeSource(std::function<std::tm()> now) { m_fnNow = std::move(now); }

    // The next frame. False when nothing more comes: a programme without screens, or a
    // Quiescence hold; frame then holds the last picture with m_bForever set.
    bool Next(CPreviewFrame& frame);

    // For a window driven by a steady tick: the picture shown at elapsedMs since the
    // start, frames whose time has passed being played through.
    const CRasterSurface& PictureAt(std::int64_t elapsedMs);

    const CRasterSurface& Display() const { return m_display; }
    const CRasterSurface& NextPicture() const { return m_next; }
    int ScreenCount() const { return int(m_aTable.size()); }

    // Delay between two steps of an entry or exit, by speed code.
    static int StepDelay(int speed);

private:
    using Steps = CStepGenerator<CPreviewFrame>;

    static std::vector<SCREENINFO> ResizedTable(CVemtApp& app, int screenCount);

    Steps RunPreview();
    Steps PlayImport(int s, int code);
    Steps PlayExport(int s, int code);
    Steps PlayOpen(int code, int delayMs);  // the column and row patterns 5 .. 12
    Steps PlayAppend(int s);
    Steps PlayCartoon(int number);

    // Frame helpers: paint the display, blank the window, or wait without painting.
    CPreviewFrame Paint(std::int64_t waitMs);
    CPreviewFrame Blank(std::int64_t waitMs);
    CPreviewFrame Hold(std::int64_t waitMs);

    void PrepareEntry(int s, int code);
    void DrawClock();
    void DrawSprite(int number, int x);
    void DrawArrow(int x);
    COLORREF ClockColor() const;

    int m_nWidth;
    int m_nHeight;
    int m_nColorCount;
    std::vector<SCREENINFO> m_aTable;
    CRasterSurface m_allScreens;
    CRasterSurface m_display;
    CRasterSurface m_next;
    CRasterSurface m_sprite;
    CRasterSurface m_window;  // what was last painted into the window

    int m_nScreen = 0;
    PreviewPhase m_ePhase = PreviewPhase::Idle;
    int m_nRandomImport = 0;
    int m_nRandomExport = 0;
    std::int64_t m_nPassWaitMs = 0;  // time the current pass through the screens has taken

    IPreviewTextPainter* m_pTextPainter = nullptr;
    std::function<std::tm()> m_fnNow;

    Steps m_steps;
    bool m_bStarted = false;
    bool m_bEnded = false;
    CPreviewFrame m_lastFrame;
    std::int64_t m_nFrameStartMs = 0;  // PictureAt: when the current frame began
};
