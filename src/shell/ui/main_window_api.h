#pragma once

namespace velmar {

// What the child windows ask of the main window. frmMain implements it; a
// test or a window shown alone may leave AppContext::MainWindow empty.
class MainWindowApi {
public:
    virtual ~MainWindowApi() = default;

    // Shows or hides the channel-edit menu and toolbar keys; the channel grid
    // shows them while it is the active child window.
    virtual void ShowCHInfo(bool show) = 0;
    // Builds the tree of editors again (the root shows ModelName).
    virtual void LoadTree() = 0;
    // Caption, model label and status texts after the model, band or file
    // name changed.
    virtual void ShowMainTxt() = 0;
};

} // namespace velmar
