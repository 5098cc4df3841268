#pragma once
// Makes the one instance of every drawing tool, once, before the first lookup.

class CSelectTool;

void EnsureDrawTools();
// The select tool, whose drag the creating tools share.
CSelectTool& SelectTool();
