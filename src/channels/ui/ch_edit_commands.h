#pragma once
// The enabled state of the main window's channel-edit menu entries and
// toolbar buttons, found by their names ("MnuCHCut") and keys ("BtnCHCut").
#include "channels/clipboard.h"

class QWidget;

namespace velmar {

void UpdateChEditCommands(QWidget* window, const ChEditCommandStates& states);

} // namespace velmar
