#pragma once
// Every change the settings dialogs make to the per-screen settings goes through this one
// call: the change is applied to the application's table and the document is marked
// modified. A change that alters the table becomes one step of the document's undo
// history.

#include "programme/SCREENINFO.h"

#include <functional>
#include <vector>

class CVemtDoc;

using SettingsChange = std::function<void(std::vector<SCREENINFO>& records)>;

// The table is the one of the document's application; a document without one is left
// alone.
void ApplySettingsEdit(CVemtDoc& doc, const SettingsChange& change);
