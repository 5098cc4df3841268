// vemtctl: the message documents and signs from the command line. The commands live in
// src/cli; this file only binds them to the process, the user's profile and "Vemt.ini"
// in the current directory.

#include "app/CSettingsProfile.h"
#include "cli/CVemtCtl.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CSettingsProfile profile;
    CVemtCtl ctl(profile, "Vemt.ini", std::cout, std::cerr);
    return ctl.Run(args);
}
