#include "document/DrawObjFactory.h"

#include "document/CDrawArc.h"
#include "document/CDrawFill.h"
#include "document/CDrawFont.h"
#include "document/CDrawOleObj.h"
#include "document/CDrawPoly.h"
#include "document/CDrawRect.h"
#include "document/CStroke.h"

#include <map>

namespace {

template <class T>
CDrawObj* Construct()
{
    return new T;
}

std::map<std::string, DrawObjConstructor>& Classes()
{
    static std::map<std::string, DrawObjConstructor> classes = {
        {"CDrawRect", &Construct<CDrawRect>},
        {"CDrawPoly", &Construct<CDrawPoly>},
        {"CStroke", &Construct<CStroke>},
        {"CDrawArc", &Construct<CDrawArc>},
        {"CDrawFill", &Construct<CDrawFill>},
        {"CDrawFont", &Construct<CDrawFont>},
        {"CDrawOleObj", &Construct<CDrawOleObj>},
    };
    return classes;
}

}  // namespace

CDrawObj* CreateDrawObject(const std::string& className)
{
    auto it = Classes().find(className);
    return it == Classes().end() ? nullptr : it->second();
}

void RegisterDrawObjClass(const std::string& className, DrawObjConstructor construct)
{
    Classes()[className] = construct;
}
