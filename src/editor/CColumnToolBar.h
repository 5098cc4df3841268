#pragma once
// A toolbar whose places are laid out in rows of a fixed number of columns: the draw
// tools stand in two columns, the align tools in one row. A separator takes a place.

#include <QToolBar>

#include <vector>

class QGridLayout;
class QToolButton;

class CColumnToolBar : public QToolBar {
    Q_OBJECT
public:
    CColumnToolBar(const QString& title, QWidget* parent = nullptr);

    // Appends a button for the action (its icon, tooltip and check mark).
    QToolButton* AddButton(QAction* action);
    void AddSeparatorPlace();

    int Columns() const { return m_nColumns; }
    // Every place whose position i satisfies (i + 1) mod n == 0 ends its row.
    void SetColumns(int n);
    // The row and column of a place (tests, and the look of the bar).
    QPoint PlaceOf(int position) const;
    // The area the places fill.
    QWidget* Places() const { return m_pGrid; }

private:
    void Relayout();

    QWidget* m_pGrid;
    QGridLayout* m_pLayout;
    std::vector<QWidget*> m_places;
    int m_nColumns = 2;
};
