#pragma once
// The "Send(&S)" menu's device commands and "Sign information...", wired from here so
// the main frame only calls InstallDeviceCommands once.

class CMainFrame;
class CVemtApp;
class IProfile;

// Text of the item appended at the end of "Send(&S)" for the information query.
inline constexpr const char* kSignInformationMenuText = "Sign information...";

void InstallDeviceCommands(CMainFrame& frame, CVemtApp& app, IProfile& profile);
