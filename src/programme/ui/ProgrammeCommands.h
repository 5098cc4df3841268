#pragma once
// The editor's commands for the display programme: "Set Moving Method..." opens the
// settings list of the active document, "Preview..." plays it. Both need a document with
// something on it.

class CMainFrame;
class CVemtApp;
class IProfile;

void InstallProgrammeCommands(CMainFrame& frame, CVemtApp& app, IProfile& profile);
