#pragma once
// What the session tells the window's document tree. Called on the UI thread.

#include <cstddef>

namespace pelmora::model {

class Document;

class SessionListener {
public:
    virtual ~SessionListener() = default;
    // The document now sits at index of the session's documents.
    virtual void documentAdded(Document& /*document*/, size_t /*index*/) {}
    // The document at index is about to leave the list and be destroyed.
    virtual void documentRemoving(Document& /*document*/, size_t /*index*/) {}
    // Its card's state, its name or its list of books changed.
    virtual void documentChanged(Document& /*document*/) {}
};

} // namespace pelmora::model
