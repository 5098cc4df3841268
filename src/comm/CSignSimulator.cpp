#include "comm/CSignSimulator.h"

#include "comm/FrameProtocol.h"

#include <cstdio>

namespace {

const char* CommandName(std::uint8_t command)
{
    switch (command) {
    case CMD_CONTROL: return "control";
    case CMD_RED_FIRST: return "red first";
    case CMD_RED_NEXT: return "red next";
    case CMD_RED_LAST: return "red last";
    case CMD_GREEN_FIRST: return "green first";
    case CMD_GREEN_NEXT: return "green next";
    case CMD_GREEN_LAST: return "green last";
    case CMD_CLOCK: return "clock";
    case CMD_POWER: return "power";
    case CMD_SHOW_ADDRESS: return "show address";
    case CMD_TIMER: return "timer";
    case CMD_QUERY: return "query";
    default: return "unknown";
    }
}

bool ChecksumOk(const std::vector<std::uint8_t>& frame)
{
    if (frame.size() == std::size_t(kQueryFrameSize))
        return std::uint8_t(frame[1] + frame[2] + frame[3]) == frame[4];
    return frame.size() == std::size_t(kFrameSize) && FrameChecksum(frame.data()) == frame[1001];
}

} // namespace

void CSignSimulator::AddSign(const CSimSignConfig& config)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_aSigns.push_back(Sign {config, CSimSignState {}});
}

CSignSimulator::Sign* CSignSimulator::Find(std::uint8_t address)
{
    for (Sign& s : m_aSigns)
        if (s.config.m_byAddress == address && !s.config.m_bSilent) return &s;
    return nullptr;
}

CSimSignState CSignSimulator::State(std::uint8_t address) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const Sign& s : m_aSigns)
        if (s.config.m_byAddress == address) return s.state;
    return {};
}

std::vector<std::string> CSignSimulator::Log() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_aLog;
}

void CSignSimulator::AddLog(const std::string& line)
{
    m_aLog.push_back(line);
}

void CSignSimulator::AbortFrame()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_eLine == ELine::Frame) AddLog("frame to " + std::to_string(m_byTarget) + " abandoned before the reply");
    m_eLine = ELine::Idle;
    m_aFrame.clear();
}

std::vector<CSimOutput> CSignSimulator::Reply(Sign& sign, std::vector<std::uint8_t> bytes, bool isReady) const
{
    std::vector<CSimOutput> out;
    CSimOutput o;
    o.m_nDelayMs = sign.config.m_nReplyDelayMs;
    o.m_bIsReady = isReady;
    // Line noise that is none of 'K', 'Y', 'E'.
    static const std::uint8_t kNoise[] = {0x00, 0xFF, 0x55, 0x20, 0x13, 0x11, 0x80};
    for (int i = 0; i < sign.config.m_nNoiseBytes; ++i) o.m_aBytes.push_back(kNoise[i % 7]);
    o.m_aBytes.insert(o.m_aBytes.end(), bytes.begin(), bytes.end());
    out.push_back(std::move(o));
    return out;
}

std::vector<CSimOutput> CSignSimulator::Feed(const std::uint8_t* bytes, std::size_t count, long long nowMs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<CSimOutput> out;
    if (m_eLine == ELine::Frame && count > 0 && nowMs - m_nLastByteMs > m_nResyncMs) {
        AddLog("frame to " + std::to_string(m_byTarget) + " broke off after " + std::to_string(m_aFrame.size()) +
               " bytes");
        m_eLine = ELine::Idle;
        m_aFrame.clear();
    }
    if (count > 0) m_nLastByteMs = nowMs;
    for (std::size_t i = 0; i < count; ++i)
        if (!FeedByte(bytes[i], out)) break;
    return out;
}

std::vector<CSimOutput> CSignSimulator::FeedWithNinthBit(std::uint8_t byte, bool mark, long long nowMs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<CSimOutput> out;
    m_nLastByteMs = nowMs;
    if (mark && m_eLine == ELine::Frame) {
        AddLog("frame to " + std::to_string(m_byTarget) + " broke off after " + std::to_string(m_aFrame.size()) +
               " bytes");
        m_eLine = ELine::Idle;
        m_aFrame.clear();
    }
    if (!mark && m_eLine == ELine::Idle) {
        // Only a byte with the ninth bit set can start a frame: the signs ignore this one.
        char line[80];
        std::snprintf(line, sizeof line, "byte 0x%02X without the ninth bit outside a frame ignored", byte);
        AddLog(line);
        return out;
    }
    FeedByte(byte, out);
    return out;
}

bool CSignSimulator::FeedByte(std::uint8_t b, std::vector<CSimOutput>& out)
{
    if (m_eLine == ELine::Idle) {
        m_aFrame.assign(1, b);
        m_nFrameLength = 0;
        m_byTarget = b;
        m_bBroadcast = b == 0;
        if (m_bBroadcast) {
            m_eLine = ELine::Frame;
        } else if (Sign* sign = Find(b)) {
            m_eLine = ELine::Frame;
            auto r = Reply(*sign, {ACK_READY}, true);
            out.insert(out.end(), r.begin(), r.end());
        }
        // Nobody answers an unknown address, so no frame follows it.
        return true;
    }
    m_aFrame.push_back(b);
    if (m_aFrame.size() == 2) m_nFrameLength = std::size_t(FrameLengthForCommand(b));
    if (!m_bBroadcast) {
        Sign* sign = Find(m_byTarget);
        if (sign && ++sign->state.m_nBytesSeen == sign->config.m_nHangUpAfterBytes) {
            AddLog("line to " + std::to_string(m_byTarget) + " lost after " + std::to_string(sign->state.m_nBytesSeen) +
                   " bytes");
            CSimOutput o;
            o.m_bHangUp = true;
            out.push_back(o);
            m_eLine = ELine::Idle;
            m_aFrame.clear();
            return false;
        }
    }
    if (m_nFrameLength != 0 && m_aFrame.size() == m_nFrameLength) {
        auto r = FrameComplete();
        out.insert(out.end(), r.begin(), r.end());
        m_eLine = ELine::Idle;
        m_aFrame.clear();
    }
    return true;
}

std::vector<CSimOutput> CSignSimulator::FrameComplete()
{
    const std::uint8_t command = m_aFrame[1];
    const bool sumOk = ChecksumOk(m_aFrame);
    char line[160];
    if (m_bBroadcast) {
        std::snprintf(line, sizeof line, "broadcast %s frame, checksum %s", CommandName(command), sumOk ? "ok" : "bad");
        AddLog(line);
        if (sumOk)
            for (Sign& s : m_aSigns)
                if (!s.config.m_bSilent) Apply(s, m_aFrame);
        return {};
    }
    Sign* sign = Find(m_byTarget);
    if (!sign) return {};
    bool refuse = !sumOk;
    if (!refuse && sign->config.m_nErrorReplies > 0 &&
        (sign->config.m_byErrorCommand == 0 || sign->config.m_byErrorCommand == command)) {
        --sign->config.m_nErrorReplies;
        refuse = true;
    }
    std::snprintf(line, sizeof line, "%d: %s frame, checksum %s, answered %c", int(m_byTarget), CommandName(command),
                  sumOk ? "ok" : "bad", refuse ? 'E' : 'Y');
    AddLog(line);
    if (refuse) {
        ++sign->state.m_nFramesRefused;
        return Reply(*sign, {ACK_ERROR}, false);
    }
    Apply(*sign, m_aFrame);
    if (command != CMD_QUERY) return Reply(*sign, {ACK_OK}, false);

    std::uint8_t block[kInfoReplyBufferSize];
    int n = BuildInfoReply(block, kInfoReplyBufferSize, sign->config.m_info);
    if (sign->config.m_eInfoFault == EInfoFault::Short) n = n > 6 ? n - 4 : 3;
    if (sign->config.m_eInfoFault == EInfoFault::Corrupt && n > 0) block[n - 1] ^= 0x5A;
    std::vector<std::uint8_t> bytes {ACK_OK};
    bytes.insert(bytes.end(), block, block + n);
    return Reply(*sign, bytes, false);
}

void CSignSimulator::Apply(Sign& sign, const std::vector<std::uint8_t>& frame)
{
    CSimSignState& st = sign.state;
    const std::uint8_t command = frame[1];
    ++st.m_nFramesAccepted;
    st.m_aCommands.push_back(command);
    const std::uint8_t* data = frame.data() + kPlaneDataOffset;
    auto complete = [&]() {
        if (!st.m_aControl.empty() && st.m_bRedComplete && (st.ColorCount() != 2 || st.m_bGreenComplete)) {
            ++st.m_nMessages;
            if (m_fnOnMessage) m_fnOnMessage(sign.config.m_byAddress, st);
        }
    };
    switch (command) {
    case CMD_CONTROL:
        // A control frame announces a new message: the old planes are gone.
        st.m_aControl = frame;
        st.m_aRed.clear();
        st.m_aGreen.clear();
        st.m_bRedComplete = st.m_bGreenComplete = false;
        break;
    case CMD_RED_FIRST:
    case CMD_RED_NEXT:
    case CMD_RED_LAST:
        if (command == CMD_RED_FIRST) st.m_aRed.clear(), st.m_bRedComplete = false;
        st.m_aRed.insert(st.m_aRed.end(), data, data + kPlaneBytesPerFrame);
        if (command == CMD_RED_LAST) {
            st.m_bRedComplete = true;
            complete();
        }
        break;
    case CMD_GREEN_FIRST:
    case CMD_GREEN_NEXT:
    case CMD_GREEN_LAST:
        if (command == CMD_GREEN_FIRST) st.m_aGreen.clear(), st.m_bGreenComplete = false;
        st.m_aGreen.insert(st.m_aGreen.end(), data, data + kPlaneBytesPerFrame);
        if (command == CMD_GREEN_LAST) {
            st.m_bGreenComplete = true;
            complete();
        }
        break;
    case CMD_CLOCK:
        std::copy(frame.begin() + 2, frame.begin() + 13, st.m_abyClock.begin());
        break;
    case CMD_POWER:
        st.m_bPowerOn = frame[2] == 1;
        break;
    case CMD_SHOW_ADDRESS:
        st.m_bShowAddress = frame[2] == 1;
        break;
    case CMD_TIMER:
        std::copy(frame.begin() + 2, frame.begin() + 50, st.m_abyTimer.begin());
        break;
    case CMD_QUERY:
        ++st.m_nQueries;
        break;
    default:
        break;
    }
}

CRasterSurface CSignSimulator::DecodeScreens(const CSimSignState& st)
{
    const int W = st.Width();
    const int rows = st.Screens() * st.ScreenHeight();
    CRasterSurface surface(W, rows, 0);
    const int bytesPerRow = W / 8;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < W; ++x) {
            const std::size_t index = std::size_t(y) * std::size_t(bytesPerRow) + std::size_t(x / 8);
            const std::uint8_t bit = std::uint8_t(0x80u >> (x % 8));
            const bool r = index < st.m_aRed.size() && (st.m_aRed[index] & bit);
            const bool g = st.ColorCount() == 2 && index < st.m_aGreen.size() && (st.m_aGreen[index] & bit);
            surface.SetPixel(x, y, (r ? 0x0000FFu : 0u) | (g ? 0x00FF00u : 0u));
        }
    }
    return surface;
}

bool CSignSimulator::WritePpm(const CRasterSurface& surface, const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", surface.Width(), surface.Height());
    std::vector<std::uint8_t> row(std::size_t(surface.Width()) * 3);
    for (int y = 0; y < surface.Height(); ++y) {
        const COLORREF* p = surface.Row(y);
        for (int x = 0; x < surface.Width(); ++x) {
            row[std::size_t(x) * 3 + 0] = std::uint8_t(p[x] & 0xFF);
            row[std::size_t(x) * 3 + 1] = std::uint8_t((p[x] >> 8) & 0xFF);
            row[std::size_t(x) * 3 + 2] = std::uint8_t((p[x] >> 16) & 0xFF);
        }
        std::fwrite(row.data(), 1, row.size(), f);
    }
    return std::fclose(f) == 0;
}
