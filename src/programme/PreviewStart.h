#pragma once
// Opening the preview: the canvas is rendered once, at one pixel per dot, and the
// settings table is brought to the number of screens the message uses.

#include "programme/CPreviewPlayer.h"

#include <memory>

class CVemtApp;
class CVemtDoc;

std::unique_ptr<CPreviewPlayer> StartPreview(CVemtApp& app, const CVemtDoc& doc);
