#pragma once
// A drop-down list seen through the core's list rules (ComboList).
#include <QStringList>

#include "channels/combo_lists.h"

class QComboBox;

namespace velmar {

ComboList ToComboList(const QComboBox& combo);
// Refills the box with the entries and selection of `list`, without the
// box reporting the change as a user's choice.
void ShowComboList(QComboBox& combo, const ComboList& list);
// Replaces the entries, nothing selected, without reporting a choice.
void FillCombo(QComboBox& combo, const QStringList& entries);

} // namespace velmar
