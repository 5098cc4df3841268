#pragma once
// What the select tool is doing with the mouse. Creating tools set it too, and a pen
// stroke's touch test reads it (a rubber band picks single-dot strokes like any other).

enum SelectMode { SM_NONE, SM_NETSELECT, SM_MOVE, SM_SIZE };

extern int g_nSelectMode;
