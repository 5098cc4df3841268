#include "editor/CColumnToolBar.h"

#include <QFrame>
#include <QGridLayout>
#include <QToolButton>

CColumnToolBar::CColumnToolBar(const QString& title, QWidget* parent)
    : QToolBar(title, parent), m_pGrid(new QWidget(this)), m_pLayout(new QGridLayout(m_pGrid))
{
    m_pLayout->setContentsMargins(5, 5, 5, 5);
    m_pLayout->setSpacing(1);
    addWidget(m_pGrid);
    setIconSize(QSize(16, 16));
}

QToolButton* CColumnToolBar::AddButton(QAction* action)
{
    auto* button = new QToolButton(m_pGrid);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(iconSize());
    button->setAccessibleName(action->text());
    m_places.push_back(button);
    Relayout();
    return button;
}

void CColumnToolBar::AddSeparatorPlace()
{
    auto* line = new QFrame(m_pGrid);
    line->setFrameShape(m_nColumns > 2 ? QFrame::VLine : QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    m_places.push_back(line);
    Relayout();
}

void CColumnToolBar::SetColumns(int n)
{
    m_nColumns = n > 0 ? n : 1;
    Relayout();
}

QPoint CColumnToolBar::PlaceOf(int position) const
{
    return {position % m_nColumns, position / m_nColumns};
}

void CColumnToolBar::Relayout()
{
    for (QWidget* w : m_places) m_pLayout->removeWidget(w);
    for (int i = 0; i < int(m_places.size()); ++i) {
        const QPoint p = PlaceOf(i);
        m_pLayout->addWidget(m_places[std::size_t(i)], p.y(), p.x());
    }
    m_pGrid->adjustSize();
    adjustSize();
}
