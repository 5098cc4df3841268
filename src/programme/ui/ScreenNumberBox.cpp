#include "programme/ui/ScreenNumberBox.h"

#include <QComboBox>

QComboBox* MakeScreenNumberBox(int screenCount, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (int i = 1; i <= screenCount; ++i) box->addItem(QString::number(i));
    box->setCurrentIndex(screenCount > 0 ? 0 : -1);
    box->setMaxVisibleItems(10);
    return box;
}
