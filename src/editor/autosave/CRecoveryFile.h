#pragma once
// The recovery file of a document with unsaved changes: what it would save (the document
// file's bytes and its companion's) and the path it would save to, written every minute
// so that a crash or a power cut costs at most that minute. A checksum over the content
// tells a recovery file cut short or overwritten from a sound one.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct CRecoveryState {
    std::string m_szDocPath;                // where the document saves to; empty when never saved
    std::string m_szTitle;                  // the title the window showed
    std::vector<std::uint8_t> m_kvxBytes;   // the document file
    std::vector<std::uint8_t> m_parBytes;   // its companion settings file
    bool operator==(const CRecoveryState&) const = default;
};

class CRecoveryFile {
public:
    static constexpr char kMagic[8] = {'V', 'e', 'm', 't', 'R', 'e', 'c', '1'};
    static constexpr const char* kExtension = ".vemt-recovery";
    static constexpr const char* kDamagedExtension = ".damaged";
    // The largest recovery file read back.
    static constexpr std::size_t kMaxBytes = std::size_t(300) << 20;

    static std::vector<std::uint8_t> Encode(const CRecoveryState& state);
    // The state, or none with `error` saying what is wrong.
    static std::optional<CRecoveryState> Decode(std::span<const std::uint8_t> bytes, std::string& error);

    // The folder of the recovery files: $XDG_STATE_HOME/Vemt/recovery, the state folder
    // defaulting to ~/.local/state.
    static std::string Directory();
    // The recovery files in a folder, oldest name first.
    static std::vector<std::string> List(const std::string& directory);
};
