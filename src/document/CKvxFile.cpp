#include "document/CKvxFile.h"

#include "app/CVemtApp.h"
#include "document/CArchive.h"
#include "document/CDrawObj.h"
#include "document/CParFile.h"
#include "document/CVemtDoc.h"
#include "programme/TimerTableBytes.h"

#include <cstring>

std::vector<std::uint8_t> CKvxFile::WriteKvx(const CVemtDoc& doc, const CVemtApp& app)
{
    CArchive ar;
    ar.m_pDocument = const_cast<CVemtDoc*>(&doc);
    ar.WriteBytes(kSignature, sizeof kSignature);
    doc.WriteObjects(ar);
    std::uint8_t timer[TIMER_TABLE_BYTES];
    WriteTimerTableBytes(app.m_aTimer, timer);
    ar.WriteBytes(timer, sizeof timer);
    return ar.Data();
}

std::string CKvxFile::DamagedMessage(const std::string& fileName, const std::string& what)
{
    return "The file " + fileName + " is damaged and cannot be opened: " + what + ".";
}

CKvxReadResult CKvxFile::ReadKvx(std::span<const std::uint8_t> bytes, CVemtDoc& doc, CVemtApp& app,
                                 const std::string& fileName)
{
    CKvxReadResult result;
    if (bytes.size() < sizeof kSignature || std::memcmp(bytes.data(), kSignature, sizeof kSignature) != 0) {
        result.m_code = CKvxReadResult::Code::BadSignature;
        return result;
    }

    CArchive ar(bytes);
    ar.m_pDocument = &doc;
    ar.ReadU16();
    const std::size_t before = doc.m_objects.size();
    doc.ReadObjects(ar);
    std::uint8_t timer[TIMER_TABLE_BYTES];
    if (!ar.Failed()) {
        if (ar.Remaining() < sizeof timer)
            ar.SetError("the timer table at byte " + std::to_string(ar.Position()) +
                        " is cut off after " + std::to_string(ar.Remaining()) + " of its " +
                        std::to_string(TIMER_TABLE_BYTES) + " bytes");
        else
            ar.ReadBytes(timer, sizeof timer);
    }
    if (ar.Failed()) {
        // The object list may have been taken in whole before the timer table failed.
        while (doc.m_objects.size() > before) {
            delete doc.m_objects.back();
            doc.m_objects.pop_back();
        }
        result.m_code = CKvxReadResult::Code::Damaged;
        result.m_szMessage = DamagedMessage(fileName, ar.ErrorMessage());
        return result;
    }
    app.m_aTimer = ReadTimerTableBytes(timer);
    return result;
}

std::string CKvxFile::GetParPath(const std::string& docPath)
{
    return CParFile::GetParPath(docPath);
}
