#pragma once
// Every installed face with each character set it covers, in a stable order (faces by
// name, character sets in the order the platform lists scripts).

#include "text/FONTENTRY.h"

#include <vector>

class CFontCatalogue {
public:
    static std::vector<FONTENTRY> Enumerate();

    // The platform's script name of a character set ("Western" for 0); empty if unknown.
    static const char* ScriptName(int charSet);
    // The character sets a catalogue entry may have, in listing order.
    static const std::vector<int>& CharSets();
};
