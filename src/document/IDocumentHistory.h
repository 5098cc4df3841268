#pragma once
// The edit history a document carries (the editor's undo stack). The document owns it and
// tells it when its content was saved or replaced, so that the history can mark the saved
// state and start afresh after an open or a clear.

class IDocumentHistory {
public:
    virtual ~IDocumentHistory() = default;
    // The document was written to its file: the present state is the saved one.
    virtual void OnDocumentSaved() = 0;
    // Every object is about to go (clear, open, close): the old steps no longer apply.
    virtual void OnDocumentReset() = 0;
};
