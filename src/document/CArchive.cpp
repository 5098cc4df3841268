#include "document/CArchive.h"

#include <cstdio>
#include <cstring>

namespace {

// Class names are short identifiers; a longer one means the data is not ours.
constexpr std::size_t kMaxClassNameLength = 64;

std::string Format(const char* format, unsigned long long a, unsigned long long b = 0,
                   unsigned long long c = 0)
{
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

}  // namespace

CArchive::CArchive() : m_bStoring(true) {}

CArchive::CArchive(std::span<const std::uint8_t> data) : m_bStoring(false), m_data(data) {}

void CArchive::SetError(const std::string& message)
{
    if (m_bFailed) return;
    m_bFailed = true;
    m_szError = message;
}

bool CArchive::RequireStoring(const char* operation)
{
    if (m_bFailed) return false;
    if (!m_bStoring) {
        SetError(std::string(operation) + " on an archive opened for reading");
        return false;
    }
    return true;
}

bool CArchive::RequireLoading(const char* operation)
{
    if (m_bFailed) return false;
    if (m_bStoring) {
        SetError(std::string(operation) + " on an archive opened for writing");
        return false;
    }
    return true;
}

bool CArchive::Need(std::size_t size, const char* what)
{
    if (!RequireLoading("reading")) return false;
    if (Remaining() < size) {
        SetError(Format("the data ends at byte %llu in the middle of ", m_nPos) + what +
                 Format(" (%llu bytes needed, %llu left)", size, Remaining()));
        return false;
    }
    return true;
}

// --- storing -----------------------------------------------------------------------

void CArchive::WriteU8(std::uint8_t v)
{
    if (!RequireStoring("writing")) return;
    m_aData.push_back(v);
}

void CArchive::WriteU16(std::uint16_t v)
{
    if (!RequireStoring("writing")) return;
    m_aData.push_back(std::uint8_t(v));
    m_aData.push_back(std::uint8_t(v >> 8));
}

void CArchive::WriteU32(std::uint32_t v)
{
    if (!RequireStoring("writing")) return;
    for (int i = 0; i < 4; ++i) m_aData.push_back(std::uint8_t(v >> (8 * i)));
}

void CArchive::WriteBytes(const void* data, std::size_t size)
{
    if (!RequireStoring("writing")) return;
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_aData.insert(m_aData.end(), p, p + size);
}

void CArchive::WriteCount(std::uint32_t count)
{
    if (count < 0xFFFF) {
        WriteU16(std::uint16_t(count));
    } else {
        WriteU16(0xFFFF);
        WriteU32(count);
    }
}

void CArchive::WriteString(const std::string& text)
{
    const std::size_t length = text.size();
    if (length > 0xFFFFFFFFu) {
        SetError("a text longer than 4 GB cannot be stored");
        return;
    }
    if (length < 255) {
        WriteU8(std::uint8_t(length));
    } else if (length < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(std::uint16_t(length));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(std::uint32_t(length));
    }
    WriteBytes(text.data(), length);
}

void CArchive::WriteClassTag(const std::string& className, std::uint16_t schema)
{
    if (!RequireStoring("writing a class tag")) return;
    if (m_nMapCount + 2 > kMaxMapCount) {
        SetError("too many objects for one archive");
        return;
    }
    auto it = m_mapClassIndex.find(className);
    if (it == m_mapClassIndex.end()) {
        if (className.empty() || className.size() > kMaxClassNameLength) {
            SetError("a class name must have 1 to 64 characters");
            return;
        }
        WriteU16(kNewClassTag);
        WriteU16(schema);
        WriteU16(std::uint16_t(className.size()));
        WriteBytes(className.data(), className.size());
        m_mapClassIndex.emplace(className, m_nMapCount++);
    } else if (it->second < kBigObjectTag) {
        WriteU16(std::uint16_t(kClassTag | it->second));
    } else {
        WriteU16(kBigObjectTag);
        WriteU32(kBigClassTag | it->second);
    }
    ++m_nMapCount;  // the object's own index
}

// --- loading -----------------------------------------------------------------------

std::uint8_t CArchive::ReadU8()
{
    if (!Need(1, "a byte")) return 0;
    return m_data[m_nPos++];
}

std::uint16_t CArchive::ReadU16()
{
    if (!Need(2, "a 16-bit number")) return 0;
    std::uint16_t v = std::uint16_t(m_data[m_nPos] | (m_data[m_nPos + 1] << 8));
    m_nPos += 2;
    return v;
}

std::uint32_t CArchive::ReadU32()
{
    if (!Need(4, "a 32-bit number")) return 0;
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(m_data[m_nPos + i]) << (8 * i);
    m_nPos += 4;
    return v;
}

bool CArchive::ReadBytes(void* dest, std::size_t size)
{
    if (!Need(size, "a block of bytes")) return false;
    if (size) std::memcpy(dest, m_data.data() + m_nPos, size);
    m_nPos += size;
    return true;
}

std::uint32_t CArchive::ReadCount()
{
    std::uint16_t w = ReadU16();
    if (w != 0xFFFF) return w;
    return ReadU32();
}

bool CArchive::ReadString(std::string& text)
{
    text.clear();
    std::uint64_t length = ReadU8();
    if (length == 0xFF) {
        length = ReadU16();
        if (length == 0xFFFE) {
            SetError(Format("wide-character text at byte %llu is not supported", m_nPos - 3));
            return false;
        }
        if (length == 0xFFFF) length = ReadU32();
    }
    if (m_bFailed) return false;
    if (!CheckCount(length, 1, "a text")) return false;
    text.assign(reinterpret_cast<const char*>(m_data.data() + m_nPos), std::size_t(length));
    m_nPos += std::size_t(length);
    return true;
}

bool CArchive::CheckCount(std::uint64_t count, std::uint64_t itemSize, const char* what)
{
    if (!RequireLoading("reading")) return false;
    // Compare by division so a huge count cannot overflow the product.
    if (itemSize != 0 && count > Remaining() / itemSize) {
        SetError(std::string(what) +
                 Format(" claims %llu items of %llu bytes, but only %llu bytes are left", count,
                        itemSize, Remaining()));
        return false;
    }
    return true;
}

bool CArchive::ReadClassTag(std::string& className, std::uint16_t& schema)
{
    className.clear();
    schema = 0;
    const std::size_t tagPos = m_nPos;
    const std::uint16_t wTag = ReadU16();
    if (m_bFailed) return false;

    if (m_nMapCount + 2 > kMaxMapCount) {
        SetError("too many objects for one archive");
        return false;
    }

    if (wTag == kNewClassTag) {
        schema = ReadU16();
        const std::uint16_t length = ReadU16();
        if (m_bFailed) return false;
        if (length == 0 || length > kMaxClassNameLength) {
            SetError(Format("the class name at byte %llu has an impossible length of %llu",
                            tagPos, length));
            return false;
        }
        std::string name(length, '\0');
        if (!ReadBytes(name.data(), length)) return false;
        m_mapIndexClass.emplace(m_nMapCount++, std::make_pair(name, schema));
        ++m_nMapCount;
        className = std::move(name);
        return true;
    }

    std::uint32_t obTag;
    if (wTag == kBigObjectTag) {
        obTag = ReadU32();
        if (m_bFailed) return false;
    } else {
        obTag = (std::uint32_t(wTag & kClassTag) << 16) | (wTag & ~kClassTag & 0xFFFF);
    }

    if (!(obTag & kBigClassTag)) {
        if (obTag == kNullTag)
            SetError(Format("a missing object stands at byte %llu where an object belongs",
                            tagPos));
        else
            SetError(Format("the tag at byte %llu refers back to object %llu instead of a new one",
                            tagPos, obTag));
        return false;
    }

    const std::uint32_t classIndex = obTag & ~kBigClassTag;
    auto it = m_mapIndexClass.find(classIndex);
    if (it == m_mapIndexClass.end()) {
        SetError(Format("the tag at byte %llu names class index %llu, which is not a class "
                        "read before",
                        tagPos, classIndex));
        return false;
    }
    className = it->second.first;
    schema = it->second.second;
    ++m_nMapCount;
    return true;
}
