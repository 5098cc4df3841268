// Feeds arbitrary bytes to the document file reader. A file that reads must write back
// to bytes that read again and write back identically.

#include "app/CVemtApp.h"
#include "document/CKvxFile.h"
#include "document/CVemtDoc.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    const CKvxReadResult result = CKvxFile::ReadKvx(std::span(data, size), doc, app, "fuzz.KVX");
    if (!result.Ok()) {
        if (!doc.m_objects.empty()) std::abort();  // a failed read keeps nothing
        return 0;
    }
    const std::vector<std::uint8_t> saved = CKvxFile::WriteKvx(doc, app);

    CVemtApp app2;
    CVemtDoc doc2(&app2);
    if (!CKvxFile::ReadKvx(saved, doc2, app2, "again.KVX").Ok()) std::abort();
    if (doc2.m_objects.size() != doc.m_objects.size()) std::abort();
    if (CKvxFile::WriteKvx(doc2, app2) != saved) std::abort();
    return 0;
}
