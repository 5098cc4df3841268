#include "editor/clipboard/ClipboardPayload.h"

#include "document/CArchive.h"
#include "document/CDrawObj.h"
#include "document/DrawObjFactory.h"

std::string DamagedClipboardMessage(const std::string& what)
{
    return "The objects on the clipboard are damaged and cannot be pasted: " + what + ".";
}

std::vector<std::uint8_t> EncodeClipboardObjects(const std::vector<CDrawObj*>& objects, CVemtDoc* doc)
{
    CArchive ar;
    ar.m_pDocument = doc;
    ar.WriteCount(std::uint32_t(objects.size()));
    for (CDrawObj* obj : objects) {
        ar.WriteClassTag(obj->GetRuntimeClassName(), 0);
        obj->Serialize(ar);
    }
    return ar.Data();
}

CClipboardObjects DecodeClipboardObjects(std::span<const std::uint8_t> bytes, CVemtDoc* doc)
{
    CClipboardObjects result;
    CArchive ar(bytes);
    ar.m_pDocument = doc;
    const std::uint32_t count = ar.ReadCount();
    // Each object takes at least its two-byte tag: a count beyond that cannot be sound,
    // and nothing is reserved for it.
    if (ar.CheckCount(count, 2, "the object list")) {
        for (std::uint32_t i = 0; i < count && !ar.Failed(); ++i) {
            std::string className;
            std::uint16_t schema = 0;
            if (!ar.ReadClassTag(className, schema)) break;
            if (schema != 0) {
                ar.SetError("object " + std::to_string(i + 1) + " (" + className + ") has schema " +
                            std::to_string(schema) + ", not 0");
                break;
            }
            std::unique_ptr<CDrawObj> obj(CreateDrawObject(className));
            if (!obj) {
                ar.SetError("object " + std::to_string(i + 1) + " has the unknown class \"" + className + "\"");
                break;
            }
            obj->m_pDocument = doc;
            obj->Serialize(ar);
            result.m_objects.push_back(std::move(obj));
        }
    }
    if (!ar.Failed() && !ar.AtEnd())
        ar.SetError(std::to_string(ar.Remaining()) + " bytes follow the last object");
    if (ar.Failed()) {
        result.m_objects.clear();
        result.m_szError = DamagedClipboardMessage(ar.ErrorMessage());
    }
    return result;
}
