#pragma once
// The one key read from the plain configuration file "Vemt.ini": section "TPInfo",
// key "NeedKVX". The file is never written.

#include <string>

// Reads an integer the way the platform's private-profile reader does: section and key
// compared without regard to case, the leading decimal digits of the value (with an
// optional sign) taken; an empty value gives the default and text that is no number 0.
// A missing or unreadable file, section or key gives the default.
int ReadIniInt(const std::string& path, const std::string& section, const std::string& key,
               int defaultValue);

// "Vemt.ini" in the current working directory.
std::string VemtIniPath();

// The "NeedKVX" value of the file at path, 1 when absent.
int ReadNeedKVX(const std::string& path);
