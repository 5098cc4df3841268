#pragma once
// Every installed face with each character set it covers, in a stable order (faces by
// name, character sets in the order the platform lists scripts).

#include "text/FONTENTRY.h"

#include <string>
#include <vector>

class CFontCatalogue {
public:
    static std::vector<FONTENTRY> Enumerate();

    // The entry the "Font" window shows for a face name and character set: the first with
    // exactly that name and set (ExactEntry); for a name that is not installed, the first
    // entry of the face that draws it, with that set (DrawingFaceEntry); else the first
    // entry. -1 for an empty list.
    static int ShownEntry(const std::vector<FONTENTRY>& entries, const std::string& faceName, int charSet);
    static int ExactEntry(const std::vector<FONTENTRY>& entries, const std::string& faceName, int charSet);
    static int DrawingFaceEntry(const std::vector<FONTENTRY>& entries, const std::string& faceName, int charSet);

    // The platform's script name of a character set ("Western" for 0); empty if unknown.
    static const char* ScriptName(int charSet);
    // The character sets a catalogue entry may have, in listing order.
    static const std::vector<int>& CharSets();
};
