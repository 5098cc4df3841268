#pragma once
// Changes of the editor-wide drawing mode. Whoever shows the mode (the draw toolbar's
// check marks, the tool options window) listens here, so a tool or the view can return
// to select mode without knowing the frame.

#include <functional>

class QObject;

// Sets g_nDrawMode and g_nToolShape and tells every listener.
void SetDrawMode(int mode, int toolShape);
// Back to the select tool (mode 2, shape 0).
void ReturnToSelectMode();
// `listener` runs after every change while `owner` lives.
void AddDrawModeListener(QObject* owner, std::function<void()> listener);
