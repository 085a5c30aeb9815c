#pragma once
// How pages and dialogs lay out their controls beyond what the layouts do on
// their own: Tab moves through them the way the eye reads, and a control
// shown only at times keeps its room, so the rest of the page stays put.

class QWidget;

namespace kivo::ui {

// Sets the Tab order of the controls inside `root` from its layouts: a grid
// row by row and left to right within a row, a form row by row, a box in its
// direction, and a widget with a layout of its own (a group box, a button
// box) as one unit at its place. Widgets join the focus chain in the order
// they are created, seldom the order they are shown in, so each page and
// dialog calls this once its widgets are built. Controls hidden at times keep
// their place; windows of their own and controls outside the layouts keep theirs.
void SetTabOrderFromLayout(const QWidget& root);

// The layouts keep `widget`'s room while it is hidden.
void KeepRoomWhenHidden(QWidget& widget);

}  // namespace kivo::ui
