#pragma once

namespace velmar {

// A window that shows the document. After an undo or a redo every open one
// shows the document as it now is, refilling its controls without taking
// their change events as changes by the user.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual void ReShowDocument() = 0;
};

} // namespace velmar
