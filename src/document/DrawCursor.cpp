#include "document/DrawCursor.h"

namespace {
SetCursorFunction s_pfnSetCursor = nullptr;
}

void SetCurrentDrawCursor(EDrawCursor cursor)
{
    if (s_pfnSetCursor) s_pfnSetCursor(cursor);
}

SetCursorFunction InstallSetCursorFunction(SetCursorFunction function)
{
    SetCursorFunction previous = s_pfnSetCursor;
    s_pfnSetCursor = function;
    return previous;
}
