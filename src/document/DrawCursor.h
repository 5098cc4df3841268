#pragma once
// The mouse cursors the drawing objects ask for over their handles. The editor maps them
// to real cursors and installs the function that shows one at once.

enum class EDrawCursor {
    SizeNWSE,  // north-west / south-east sizing
    SizeNS,    // north / south
    SizeNESW,  // north-east / south-west
    SizeWE,    // west / east
    SizeAll,   // four-way move
    Select,    // the editor's select cursor (resource 156)
    Pen,       // the pen tool's cursor (resource 139)
    Fill,      // the fill tool's cursor (resource 153)
    EyeDrop,   // the eye drop's cursor (resource 155)
};

using SetCursorFunction = void (*)(EDrawCursor);

// Shows the cursor now; does nothing until the editor installs its function.
void SetCurrentDrawCursor(EDrawCursor cursor);
// Returns the function installed before.
SetCursorFunction InstallSetCursorFunction(SetCursorFunction function);
