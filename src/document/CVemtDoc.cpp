#include "document/CVemtDoc.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CDrawObj.h"
#include "document/CanvasGeometry.h"
#include "document/DrawObjFactory.h"
#include "document/IDocumentHistory.h"
#include "document/IDrawView.h"

#include <algorithm>
#include <memory>

namespace {
// The smallest stored object: a 2-byte class tag and the 32 bytes every object writes.
constexpr std::uint64_t kMinStoredObjectSize = 2 + 32;
}  // namespace

CVemtDoc::CVemtDoc(CVemtApp* app) : m_pApp(app)
{
    if (app) m_sizeCanvas = CSize(app->m_nTPWidth, app->m_nTPHeight * app->m_nTotalScreen);
    m_objects.reserve(10);
}

CVemtDoc::~CVemtDoc()
{
    // The history goes first: its steps refer to this document.
    m_pHistory.reset();
    DeleteAllObjects();
}

void CVemtDoc::OnSaved()
{
    SetModifiedFlag(false);
    if (m_pHistory) m_pHistory->OnDocumentSaved();
}

void CVemtDoc::SetHistory(std::unique_ptr<IDocumentHistory> history)
{
    m_pHistory = std::move(history);
}

void CVemtDoc::AddObj(CDrawObj* obj)
{
    if (!obj) return;
    m_objects.push_back(obj);
    obj->m_pDocument = this;
    SetModifiedFlag();
}

void CVemtDoc::RemoveObj(CDrawObj* obj)
{
    auto it = std::find(m_objects.begin(), m_objects.end(), obj);
    if (it != m_objects.end()) m_objects.erase(it);
    SetModifiedFlag();
    for (IDrawView* view : m_views) view->OnObjectRemoved(obj);
}

void CVemtDoc::DeleteAllObjects()
{
    if (m_pHistory) m_pHistory->OnDocumentReset();
    std::vector<CDrawObj*> objects;
    objects.swap(m_objects);
    for (CDrawObj* obj : objects) delete obj;
}

void CVemtDoc::AddView(IDrawView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CVemtDoc::RemoveView(IDrawView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CVemtDoc::UpdateAllViews(IDrawView* sender, int hint, CDrawObj* obj,
                              const std::vector<CDrawObj*>* list)
{
    for (IDrawView* view : m_views)
        if (view != sender) view->OnUpdate(sender, hint, obj, list);
}

void CVemtDoc::DrawAll(CRasterDC& dc, IDrawView* view)
{
    for (CDrawObj* obj : m_objects) obj->Draw(dc, view);
}

CDrawObj* CVemtDoc::ObjectAt(CPoint point)
{
    const int reach = g_nZoomIndex == 0 ? 3 : 1;
    const CRect square(point.x - reach, point.y - reach, point.x + reach, point.y + reach);
    for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it)
        if ((*it)->TouchesRect(square)) return *it;
    return nullptr;
}

int CVemtDoc::GetUsedHeight() const
{
    if (!m_pApp) return 0;
    return ::GetUsedHeight(m_objects, m_pApp->m_nTPHeight, m_pApp->m_nTotalScreen);
}

int CVemtDoc::GetScreenCount() const
{
    if (!m_pApp) return 0;
    return ::GetScreenCount(m_objects, m_pApp->m_nTPHeight, m_pApp->m_nTotalScreen);
}

void CVemtDoc::WriteObjects(CArchive& ar) const
{
    ar.WriteCount(std::uint32_t(m_objects.size()));
    for (CDrawObj* obj : m_objects) {
        ar.WriteClassTag(obj->GetRuntimeClassName(), 0);
        obj->Serialize(ar);
    }
}

bool CVemtDoc::ReadObjects(CArchive& ar)
{
    const std::uint32_t count = ar.ReadCount();
    if (!ar.CheckCount(count, kMinStoredObjectSize, "the object list")) return false;

    CVemtDoc* const previousOwner = ar.m_pDocument;
    ar.m_pDocument = this;
    std::vector<std::unique_ptr<CDrawObj>> read;
    read.reserve(count);
    for (std::uint32_t i = 0; i < count && !ar.Failed(); ++i) {
        std::string className;
        std::uint16_t schema = 0;
        if (!ar.ReadClassTag(className, schema)) break;
        if (schema != 0) {
            ar.SetError("object " + std::to_string(i + 1) + " (" + className +
                        ") has schema " + std::to_string(schema) + ", not 0");
            break;
        }
        std::unique_ptr<CDrawObj> obj(CreateDrawObject(className));
        if (!obj) {
            ar.SetError("object " + std::to_string(i + 1) + " has the unknown class \"" +
                        className + "\"");
            break;
        }
        obj->Serialize(ar);
        read.push_back(std::move(obj));
    }
    ar.m_pDocument = previousOwner;
    if (ar.Failed()) return false;

    for (auto& obj : read) {
        obj->m_pDocument = this;
        m_objects.push_back(obj.release());
    }
    return true;
}
