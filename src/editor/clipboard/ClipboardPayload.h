#pragma once
// The program's own clipboard format ("KVX Paint"): the copied objects exactly as a
// document file holds its object list, the count and then each object with its class
// tag, so objects travel between two running copies of the program with every property.
//
// What comes back from the clipboard is never trusted: another program may have put
// anything under our format's name. A block that is not sound gives no objects at all
// and a message saying why, never a part of the list.

#include "document/CDrawObj.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CVemtDoc;

// The name the format is known by, and the MIME type that carries it on the clipboard.
inline constexpr const char* kKvxPaintFormatName = "KVX Paint";
inline constexpr const char* kKvxPaintMimeType = "application/x-kvx-paint";

// The message shown when the block on the clipboard cannot be read.
std::string DamagedClipboardMessage(const std::string& what);

// The objects' bytes in list order; doc is the archive's document.
std::vector<std::uint8_t> EncodeClipboardObjects(const std::vector<CDrawObj*>& objects, CVemtDoc* doc);

struct CClipboardObjects {
    // The objects read, owned here until taken, their document pointer set to the target.
    std::vector<std::unique_ptr<CDrawObj>> m_objects;
    // Empty when the block was sound; otherwise what is wrong with it, and no objects.
    std::string m_szError;
    bool Ok() const { return m_szError.empty(); }
};

// Reads a block back. Every byte must belong to the list: a short block, an unknown
// class, a schema other than 0, a picture that does not check out or bytes left over
// all make the whole block damaged.
CClipboardObjects DecodeClipboardObjects(std::span<const std::uint8_t> bytes, CVemtDoc* doc);
