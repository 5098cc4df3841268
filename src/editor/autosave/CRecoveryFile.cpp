#include "editor/autosave/CRecoveryFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {
std::uint32_t Fnv1a(std::span<const std::uint8_t> bytes)
{
    std::uint32_t h = 2166136261u;
    for (std::uint8_t b : bytes) h = (h ^ b) * 16777619u;
    return h;
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

void PutBlock(std::vector<std::uint8_t>& out, const void* data, std::size_t size)
{
    Put32(out, std::uint32_t(size));
    const auto* p = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), p, p + size);
}

struct Reader {
    std::span<const std::uint8_t> data;
    std::size_t pos = 0;
    bool U32(std::uint32_t& v)
    {
        if (data.size() - pos < 4) return false;
        v = 0;
        for (int i = 0; i < 4; ++i) v |= std::uint32_t(data[pos + std::size_t(i)]) << (8 * i);
        pos += 4;
        return true;
    }
    bool Block(std::vector<std::uint8_t>& out)
    {
        std::uint32_t size = 0;
        if (!U32(size) || data.size() - pos < size) return false;
        out.assign(data.begin() + std::ptrdiff_t(pos), data.begin() + std::ptrdiff_t(pos + size));
        pos += size;
        return true;
    }
};
}  // namespace

std::vector<std::uint8_t> CRecoveryFile::Encode(const CRecoveryState& state)
{
    std::vector<std::uint8_t> out(kMagic, kMagic + sizeof kMagic);
    PutBlock(out, state.m_szDocPath.data(), state.m_szDocPath.size());
    PutBlock(out, state.m_szTitle.data(), state.m_szTitle.size());
    PutBlock(out, state.m_kvxBytes.data(), state.m_kvxBytes.size());
    PutBlock(out, state.m_parBytes.data(), state.m_parBytes.size());
    Put32(out, Fnv1a(std::span(out).subspan(sizeof kMagic)));
    return out;
}

std::optional<CRecoveryState> CRecoveryFile::Decode(std::span<const std::uint8_t> bytes, std::string& error)
{
    if (bytes.size() < sizeof kMagic + 4 || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        error = "it is not a recovery file of this program";
        return std::nullopt;
    }
    const std::span<const std::uint8_t> content = bytes.subspan(sizeof kMagic, bytes.size() - sizeof kMagic - 4);
    Reader sum{bytes.subspan(bytes.size() - 4)};
    std::uint32_t stored = 0;
    sum.U32(stored);
    if (stored != Fnv1a(content)) {
        error = "its content does not match its checksum (cut short or overwritten)";
        return std::nullopt;
    }
    Reader r{content};
    CRecoveryState state;
    std::vector<std::uint8_t> path, title;
    if (!r.Block(path) || !r.Block(title) || !r.Block(state.m_kvxBytes) || !r.Block(state.m_parBytes) ||
        r.pos != content.size()) {
        error = "its parts do not fit together";
        return std::nullopt;
    }
    state.m_szDocPath.assign(path.begin(), path.end());
    state.m_szTitle.assign(title.begin(), title.end());
    return state;
}

std::string CRecoveryFile::Directory()
{
    std::string base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/') base = state;
    else if (const char* home = std::getenv("HOME"); home && *home) base = std::string(home) + "/.local/state";
    else base = "/tmp";
    return base + "/Vemt/recovery";
}

std::vector<std::string> CRecoveryFile::List(const std::string& directory)
{
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(directory, ec)) {
        const std::filesystem::path& p = entry.path();
        if (p.extension() == kExtension && entry.is_regular_file(ec)) files.push_back(p.string());
    }
    std::sort(files.begin(), files.end());
    return files;
}
