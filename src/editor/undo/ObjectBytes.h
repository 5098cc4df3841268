#pragma once
// A drawing object as bytes: the archive's form of one object (its class tag and its
// fields), exactly what the document file holds for it. The edit history keeps objects
// this way, so nothing about an object is described twice.

#include <cstdint>
#include <string>
#include <vector>

class CDrawObj;
class CVemtDoc;

using ObjectBytes = std::vector<std::uint8_t>;
// The objects of a document by list position.
using ObjectListBytes = std::vector<ObjectBytes>;

ObjectBytes ToObjectBytes(CDrawObj& obj);
ObjectListBytes ToObjectListBytes(const CVemtDoc& doc);

// The class named in the bytes' tag; empty when the bytes hold no sound tag.
std::string ClassOfObjectBytes(const ObjectBytes& bytes);

// A new object read from the bytes, owned by the caller and pointing at doc (not added
// to it); none when the bytes are not a sound object.
CDrawObj* ObjectFromBytes(const ObjectBytes& bytes, CVemtDoc* doc);

// Reads the bytes into an existing object of the same class. What the archive does not
// hold (the shape the rectangle tool gave it, a text's measured size) stays as it was.
// False, and the object unchanged in its stored fields, when the class differs or the
// bytes are not sound.
bool ReadObjectInPlace(CDrawObj& obj, const ObjectBytes& bytes);
