#pragma once
// The mouse cursors of the drawing tools: the sizing cursors of the platform for the
// handles, and the project's own pictures (res/cursors) for select, pen, fill and eye drop.

#include "document/DrawCursor.h"

#include <QCursor>

QCursor CursorFor(EDrawCursor cursor);
