#pragma once
// The signs on one line, played in software: what each one answers, what it stores and
// what it shows. Only the byte stream is handled here; CSimulatorLine puts it on a
// pseudo-terminal. A pseudo-terminal loses the ninth bit, so an address byte is found by
// frame boundaries: when the line is idle the next byte is an address, and the command
// byte after it says how long the frame is.

#include "comm/SignInfoReply.h"
#include "raster/CRasterSurface.h"

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

enum class EInfoFault { None, Short, Corrupt };

struct CSimSignConfig {
    std::uint8_t m_byAddress = 1;
    bool m_bSilent = false;            // never answers its address
    int m_nErrorReplies = 0;           // answers 'E' to this many complete frames first
    std::uint8_t m_byErrorCommand = 0; // only frames with this command get the 'E' (0: any)
    int m_nNoiseBytes = 0;             // stray bytes before every reply
    int m_nReplyDelayMs = 0;           // waits this long before every reply
    EInfoFault m_eInfoFault = EInfoFault::None;
    int m_nHangUpAfterBytes = -1;      // the line disappears after this many bytes to this sign
    CSignInfo m_info {"3.20", "A1", "11.0592M", "64K"};
};

// What one sign holds after the frames it accepted.
struct CSimSignState {
    std::vector<std::uint8_t> m_aControl;  // last control frame, 1002 bytes
    std::vector<std::uint8_t> m_aRed;      // plane bytes as received, 990 a frame
    std::vector<std::uint8_t> m_aGreen;
    bool m_bRedComplete = false;
    bool m_bGreenComplete = false;
    int m_nMessages = 0;                   // complete messages (control + all planes)
    int m_nFramesAccepted = 0;
    int m_nFramesRefused = 0;
    std::vector<std::uint8_t> m_aCommands; // command bytes of accepted frames, in order
    bool m_bPowerOn = true;
    bool m_bShowAddress = false;
    std::array<std::uint8_t, 11> m_abyClock {};  // bytes 2..12 of the last clock frame
    std::array<std::uint8_t, 48> m_abyTimer {};  // bytes 2..49 of the last timer frame
    int m_nQueries = 0;
    int m_nBytesSeen = 0;                  // frame bytes after its address bytes

    int Screens() const { return m_aControl.empty() ? 0 : m_aControl[2]; }
    int Width() const { return m_aControl.empty() ? 0 : m_aControl[6] * 8; }
    int ScreenHeight() const { return m_aControl.empty() ? 0 : m_aControl[7] * 8; }
    int ColorCount() const { return m_aControl.empty() ? 0 : m_aControl[8]; }
    // Bytes of one plane that carry the message: S * H * W / 8.
    int PlaneBytes() const { return Screens() * ScreenHeight() * Width() / 8; }
};

// What the line answers, and how.
struct CSimOutput {
    std::vector<std::uint8_t> m_aBytes;
    int m_nDelayMs = 0;
    bool m_bIsReady = false;  // a 'K': worthless once the sender has moved on
    bool m_bHangUp = false;   // close the line instead of answering
};

class CSignSimulator {
public:
    void AddSign(const CSimSignConfig& config);

    // Bytes from the line, at a time in milliseconds on any steady clock. A frame that
    // stalls for longer than m_nResyncMs is dropped and the line counts as idle again.
    std::vector<CSimOutput> Feed(const std::uint8_t* bytes, std::size_t count, long long nowMs);
    // One byte from a line that tells the ninth bit (a serial device server knows the
    // parity each byte was sent with): a mark byte always starts a frame, a space byte
    // outside a frame is ignored, and no timing is needed to find the frames.
    std::vector<CSimOutput> FeedWithNinthBit(std::uint8_t byte, bool mark, long long nowMs);
    // The sender gave up before the 'K' went out: forget the frame begun.
    void AbortFrame();

    CSimSignState State(std::uint8_t address) const;
    std::vector<std::string> Log() const;
    // The screens of a sign's last complete message, stacked top to bottom, in the
    // colours the sign shows (red 0x0000FF, green 0x00FF00, yellow 0x00FFFF).
    static CRasterSurface DecodeScreens(const CSimSignState& state);
    static bool WritePpm(const CRasterSurface& surface, const std::string& path);

    // Called (on the line's thread, with the simulator locked: do not call back into it)
    // whenever a sign has a complete message.
    std::function<void(std::uint8_t address, const CSimSignState& state)> m_fnOnMessage;
    int m_nResyncMs = 100;

private:
    struct Sign {
        CSimSignConfig config;
        CSimSignState state;
    };
    enum class ELine { Idle, Frame };

    Sign* Find(std::uint8_t address);
    // False when the line was hung up by this byte.
    bool FeedByte(std::uint8_t byte, std::vector<CSimOutput>& out);
    std::vector<CSimOutput> Reply(Sign& sign, std::vector<std::uint8_t> bytes, bool isReady) const;
    std::vector<CSimOutput> FrameComplete();
    void Apply(Sign& sign, const std::vector<std::uint8_t>& frame);
    void AddLog(const std::string& line);

    mutable std::mutex m_mutex;
    std::vector<Sign> m_aSigns;
    std::vector<std::string> m_aLog;
    ELine m_eLine = ELine::Idle;
    bool m_bBroadcast = false;
    std::uint8_t m_byTarget = 0;
    std::vector<std::uint8_t> m_aFrame;
    std::size_t m_nFrameLength = 0;
    long long m_nLastByteMs = 0;
};
