#pragma once
// Connects the drawing tools, the align toolbar, the tool options, the row-spacing menu,
// the eye drop and Undo/Redo to the main window. Everything a user changes with them is
// an undoable step of the active document.

class CMainFrame;

void InstallDrawToolCommands(CMainFrame& frame);
