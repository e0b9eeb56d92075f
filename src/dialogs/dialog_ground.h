#pragma once
// An opaque ground under a dialog's frame, so that the map does not show
// through the frame's translucent picture and compete with the dialog's text.
class CFWDialog;

// Draws the ground over the layout rectangle of the row, behind everything
// the dialog draws afterwards.
void DrawDialogGround(CFWDialog& dialog, int layoutRow);
