#pragma once
// The byte archive that documents and the clipboard store drawing objects in:
// little-endian fixed-width integers, 16-bit counts with a 32-bit escape, length-prefixed
// strings and class tags that name each object's class once and refer to it by index after.
//
// A storing archive appends to its own byte vector. A loading archive reads from a byte
// span it does not own and never trusts it: every read checks what is left, and the first
// fault puts the archive into a sticky error state with a message; later reads return zero
// and change nothing. Callers check Failed() at the points where a result matters.

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

class CVemtDoc;

class CArchive {
public:
    // Class tag words.
    static constexpr std::uint16_t kNullTag = 0;           // index 0: no object
    static constexpr std::uint16_t kNewClassTag = 0xFFFF;  // a class name follows
    static constexpr std::uint16_t kClassTag = 0x8000;     // OR'ed with a known class's index
    static constexpr std::uint16_t kBigObjectTag = 0x7FFF; // a 32-bit index follows
    static constexpr std::uint32_t kBigClassTag = 0x80000000;
    static constexpr std::uint32_t kMaxMapCount = 0x3FFFFFFE;

    // A storing archive.
    CArchive();
    // A loading archive over data that must outlive it.
    explicit CArchive(std::span<const std::uint8_t> data);

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }

    // The document that reads (or writes) this archive; objects read get it as their owner.
    CVemtDoc* m_pDocument = nullptr;

    // --- errors --------------------------------------------------------------------
    bool Failed() const { return m_bFailed; }
    const std::string& ErrorMessage() const { return m_szError; }
    // Records the first error only; the archive stops reading from then on.
    void SetError(const std::string& message);

    // --- storing -------------------------------------------------------------------
    const std::vector<std::uint8_t>& Data() const { return m_aData; }
    void WriteU8(std::uint8_t v);
    void WriteU16(std::uint16_t v);
    void WriteU32(std::uint32_t v);
    void WriteI8(std::int8_t v) { WriteU8(std::uint8_t(v)); }
    void WriteI16(std::int16_t v) { WriteU16(std::uint16_t(v)); }
    void WriteI32(std::int32_t v) { WriteU32(std::uint32_t(v)); }
    void WriteBytes(const void* data, std::size_t size);
    // Unsigned 16 bits below 0xFFFF, else 0xFFFF and the count in 32 bits.
    void WriteCount(std::uint32_t count);
    // Length in 1 byte below 255; else 0xFF and 2 bytes below 0xFFFE; else 0xFF, 0xFFFF
    // and 4 bytes; then the characters without terminator.
    void WriteString(const std::string& text);
    // The tag in front of an object of the named class: the new-class form the first time
    // the class is written (class and object each take the next index), 0x8000 | index
    // (or the long form) after that.
    void WriteClassTag(const std::string& className, std::uint16_t schema = 0);

    // --- loading -------------------------------------------------------------------
    std::size_t Position() const { return m_nPos; }
    std::size_t Remaining() const { return m_bStoring ? 0 : m_data.size() - m_nPos; }
    bool AtEnd() const { return Remaining() == 0; }

    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::int8_t ReadI8() { return std::int8_t(ReadU8()); }
    std::int16_t ReadI16() { return std::int16_t(ReadU16()); }
    std::int32_t ReadI32() { return std::int32_t(ReadU32()); }
    // False (and nothing copied) when fewer than size bytes remain.
    bool ReadBytes(void* dest, std::size_t size);
    std::uint32_t ReadCount();
    bool ReadString(std::string& text);
    // Reads a tag that must introduce a new object and gives its class name and schema.
    // A null tag, a reference to an object read before, or an unknown class index are
    // errors here: an object list holds every object exactly once.
    bool ReadClassTag(std::string& className, std::uint16_t& schema);

    // True when count items of itemSize bytes each can still be read; otherwise an error
    // naming `what`. Check before allocating anything sized by a count from the data.
    bool CheckCount(std::uint64_t count, std::uint64_t itemSize, const char* what);

    // Indices handed out so far (classes and objects share one running count from 1).
    std::uint32_t MapCount() const { return m_nMapCount; }

private:
    bool Need(std::size_t size, const char* what);
    bool RequireLoading(const char* operation);
    bool RequireStoring(const char* operation);

    bool m_bStoring;
    bool m_bFailed = false;
    std::string m_szError;

    std::vector<std::uint8_t> m_aData;       // storing
    std::span<const std::uint8_t> m_data;    // loading
    std::size_t m_nPos = 0;

    std::uint32_t m_nMapCount = 1;                          // next index; 0 is the null object
    std::map<std::string, std::uint32_t> m_mapClassIndex;   // storing: class name -> index
    std::map<std::uint32_t, std::pair<std::string, std::uint16_t>> m_mapIndexClass;  // loading: index -> class name, schema
};
