#include "editor/DrawModeChange.h"

#include "app/EditorState.h"

#include <QObject>
#include <QPointer>

#include <utility>
#include <vector>

namespace {

struct Listener {
    QPointer<QObject> owner;
    std::function<void()> run;
};

std::vector<Listener>& Listeners()
{
    static std::vector<Listener> listeners;
    return listeners;
}

}  // namespace

void SetDrawMode(int mode, int toolShape)
{
    g_nDrawMode = mode;
    g_nToolShape = toolShape;
    auto& all = Listeners();
    std::erase_if(all, [](const Listener& l) { return l.owner.isNull(); });
    const std::vector<Listener> current = all;  // a listener may add another
    for (const Listener& l : current)
        if (l.owner) l.run();
}

void ReturnToSelectMode()
{
    SetDrawMode(kDrawModeSelect, kToolSelect);
}

void AddDrawModeListener(QObject* owner, std::function<void()> listener)
{
    Listeners().push_back({owner, std::move(listener)});
}
