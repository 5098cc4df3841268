#include "editor/undo/ObjectBytes.h"

#include "document/CArchive.h"
#include "document/CDrawObj.h"
#include "document/CVemtDoc.h"
#include "document/DrawObjFactory.h"

#include <memory>

ObjectBytes ToObjectBytes(CDrawObj& obj)
{
    CArchive ar;
    ar.WriteClassTag(obj.GetRuntimeClassName(), 0);
    obj.Serialize(ar);
    return ar.Data();
}

ObjectListBytes ToObjectListBytes(const CVemtDoc& doc)
{
    ObjectListBytes list;
    list.reserve(doc.m_objects.size());
    for (CDrawObj* obj : doc.m_objects) list.push_back(ToObjectBytes(*obj));
    return list;
}

std::string ClassOfObjectBytes(const ObjectBytes& bytes)
{
    CArchive ar(bytes);
    std::string className;
    std::uint16_t schema = 0;
    if (!ar.ReadClassTag(className, schema) || schema != 0) return {};
    return className;
}

CDrawObj* ObjectFromBytes(const ObjectBytes& bytes, CVemtDoc* doc)
{
    CArchive ar(bytes);
    ar.m_pDocument = doc;
    std::string className;
    std::uint16_t schema = 0;
    if (!ar.ReadClassTag(className, schema) || schema != 0) return nullptr;
    std::unique_ptr<CDrawObj> obj(CreateDrawObject(className));
    if (!obj) return nullptr;
    obj->Serialize(ar);
    if (ar.Failed()) return nullptr;
    obj->m_pDocument = doc;
    return obj.release();
}

bool ReadObjectInPlace(CDrawObj& obj, const ObjectBytes& bytes)
{
    // Read into a scratch object first: a fault then leaves the real one untouched.
    std::unique_ptr<CDrawObj> check(ObjectFromBytes(bytes, obj.m_pDocument));
    if (!check || std::string(check->GetRuntimeClassName()) != obj.GetRuntimeClassName())
        return false;
    CArchive ar(bytes);
    ar.m_pDocument = obj.m_pDocument;
    std::string className;
    std::uint16_t schema = 0;
    ar.ReadClassTag(className, schema);
    const int createShape = obj.m_nCreateShape;
    obj.Serialize(ar);
    obj.m_nCreateShape = createShape;
    return !ar.Failed();
}
