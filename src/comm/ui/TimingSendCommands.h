#pragma once
// "Timing send..." in the editor: appended to the "Send(&S)" menu after its own items.

class CMainFrame;
class CVemtApp;
class IProfile;

void InstallTimingSendCommands(CMainFrame& frame, CVemtApp& app, IProfile& profile);
