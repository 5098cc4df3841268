#pragma once
// Reading a document file for a command, with the profile's text layout rules.

#include <string>

class CVemtApp;
class CVemtDoc;
struct CCliContext;

// Reads path into doc (and the application state the file carries into app). False, with
// a message naming the file on err, when it cannot be read, is foreign or is damaged.
bool LoadDocumentFile(const CCliContext& context, const std::string& path, CVemtDoc& doc, CVemtApp& app);
