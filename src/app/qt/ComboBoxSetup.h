#pragma once

class QComboBox;
class QWidget;

namespace sorvane {

// The average width of a letter in the window's general-purpose proportional
// font (not the combo box's own): the 52 letters' advance divided by 52.
int AverageCharWidth(const QWidget& window);

// Widens the combo box's list to its longest entry (in characters) times the
// average letter width; no margin is added, and the list is never narrower
// than the box.
void SetDroppedWidth(QComboBox& combo);

// Makes the combo box's edit field read-only, so entries can only be picked.
// A box without an edit field is left as it is.
void SetComboReadOnly(QComboBox& combo);

}  // namespace sorvane
