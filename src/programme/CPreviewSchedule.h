#pragma once
// Keeps the preview's frames on their nominal times. Frame i is due at the sum of the
// waits of the frames before it, counted from the start of play, whenever the frames
// before it were really shown: a frame shown late shortens the wait for the next one
// instead of delaying the rest of the programme, and frames whose time has already
// passed are played through at once.

#include "programme/CPreviewPlayer.h"

#include <cstdint>

class CPreviewSchedule {
public:
    explicit CPreviewSchedule(CPreviewPlayer& player) : m_player(player) {}

    struct Step {
        bool m_bNewFrame = false;      // the picture changed since the last call
        std::int64_t m_nDueUs = 0;     // when the frame now shown was due
        std::int64_t m_nNextDueUs = 0; // when the next one is; -1 when none comes
    };

    // Plays every frame due at nowUs (microseconds since play began).
    Step Advance(std::int64_t nowUs);

    // What the window shows now; nullptr before the first Advance.
    const CRasterSurface* Picture() const { return m_frame.m_pPicture; }
    const CPreviewFrame& Frame() const { return m_frame; }
    bool Ended() const { return m_bEnded; }

    // More frames than this without any wait between them mean a programme that never
    // waits; Advance then gives the window a turn rather than spinning.
    static constexpr int kMaxFramesPerAdvance = 100000;

private:
    void Fetch();

    CPreviewPlayer& m_player;
    CPreviewFrame m_frame;
    bool m_bStarted = false;
    bool m_bEnded = false;
    std::int64_t m_nDueUs = 0;
};
