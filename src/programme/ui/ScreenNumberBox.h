#pragma once
// The drop-down of screen numbers "1" .. "S" both bulk-copy dialogs use. It takes no
// typed text, so "OK" always has a screen to copy from.

class QComboBox;
class QWidget;

QComboBox* MakeScreenNumberBox(int screenCount, QWidget* parent);
