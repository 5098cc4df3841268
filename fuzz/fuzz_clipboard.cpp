// Feeds arbitrary bytes to the clipboard's object reader, as another program may put
// anything under our format. A block either reads whole, and writes back to the same
// bytes, or gives no object at all and a message.

#include "app/CVemtApp.h"
#include "document/CVemtDoc.h"
#include "editor/clipboard/ClipboardPayload.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    CClipboardObjects read = DecodeClipboardObjects(std::span(data, size), &doc);
    if (!read.Ok()) {
        if (!read.m_objects.empty()) std::abort();  // never half the objects
        return 0;
    }
    std::vector<CDrawObj*> objects;
    for (auto& obj : read.m_objects) objects.push_back(obj.get());
    const std::vector<std::uint8_t> again = EncodeClipboardObjects(objects, &doc);
    CClipboardObjects reread = DecodeClipboardObjects(again, &doc);
    if (!reread.Ok() || reread.m_objects.size() != objects.size()) std::abort();
    std::vector<CDrawObj*> objects2;
    for (auto& obj : reread.m_objects) objects2.push_back(obj.get());
    if (EncodeClipboardObjects(objects2, &doc) != again) std::abort();
    return 0;
}
