#pragma once
// Makes an empty drawing object from the class name stored in front of it in an archive.

#include <string>

class CDrawObj;

using DrawObjConstructor = CDrawObj* (*)();

// A new default-constructed object of the named class, or none for a name that is not a
// drawing object class.
CDrawObj* CreateDrawObject(const std::string& className);

// Adds a class that is not among the built-in ones (text, embedded pictures) or replaces
// one. A class registered from its own file's static initialiser is only known when
// something else in the program links that file in.
void RegisterDrawObjClass(const std::string& className, DrawObjConstructor construct);
