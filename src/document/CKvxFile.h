#pragma once
// The document file (".KVX"): the signature "Qj", the object list in the archive's
// object form, then the eight 7-byte on/off timer records.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CVemtApp;
class CVemtDoc;

struct CKvxReadResult {
    enum class Code {
        Ok,
        BadSignature,  // not one of our files: nothing read
        Damaged,       // the signature is ours but the content is not sound: nothing kept
    };
    Code m_code = Code::Ok;
    // For Damaged: the file and what is wrong with it, ready to be shown to the user.
    std::string m_szMessage;

    bool Ok() const { return m_code == Code::Ok; }
};

class CKvxFile {
public:
    static constexpr std::uint8_t kSignature[2] = {0x51, 0x6A};  // "Qj"
    // The largest document file read: far beyond what a sign's memory could show, small
    // enough to hold in memory at once.
    static constexpr std::size_t kMaxFileBytes = std::size_t(256) << 20;

    // The file's bytes for the document's objects and the application's timer table.
    static std::vector<std::uint8_t> WriteKvx(const CVemtDoc& doc, const CVemtApp& app);

    // Reads a file's bytes: the objects are appended to doc (their owner set to doc) and
    // the timer table replaces the application's, both only when the whole file is sound.
    // On any fault doc and app are as before. fileName names the file in the message.
    static CKvxReadResult ReadKvx(std::span<const std::uint8_t> bytes, CVemtDoc& doc, CVemtApp& app,
                                  const std::string& fileName);

    // The companion settings file of a document path: its extension replaced by ".par".
    static std::string GetParPath(const std::string& docPath);

    // The message for a file whose content is not sound.
    static std::string DamagedMessage(const std::string& fileName, const std::string& what);
};
