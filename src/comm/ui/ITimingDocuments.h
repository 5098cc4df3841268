#pragma once
// How timed sending reaches the editor's documents, on the GUI thread: which document
// is shown now, opening an entry's file in its place, and putting things back after.

#include <string>

class CVemtDoc;
class IMessageSink;

class ITimingDocuments {
public:
    virtual ~ITimingDocuments() = default;
    // The path of the document shown now (a never-saved one has the placeholder name);
    // empty when no document is open.
    virtual std::string CurrentPath() const = 0;
    // Opens path as the document shown now; its messages go to `messages`.
    virtual bool OpenTimingFile(const std::string& path, IMessageSink& messages) = 0;
    // The document shown now, or none.
    virtual const CVemtDoc* CurrentDocument() const = 0;
    // After timing: path opened again, or a new empty document when path is empty.
    virtual void RestoreDocument(const std::string& path) = 0;
};
