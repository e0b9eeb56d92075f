#pragma once
// Writing the layout table back when the player drags a control or a game
// panel, with the groups of controls that move with their head, and the
// builders that add a labelled control from the table.
#include <vector>

class CFWDialog;
class CFWStatic;

// The last id of the group an id heads, 0 when it heads none.
int GuiGroupEnd(int headId);

// The game screen moves a panel by its head id; none is set outside a game.
using GuiPanelMoveFn = void (*)(int panelId, int dx, int dy);
void SetGuiPanelMoveHandler(GuiPanelMoveFn fn);
// The ids that head movable panels, named by the screen that owns the
// panels; none outside a game.
void SetGuiPanelHeads(std::vector<int> heads);

// Stores the control's new rectangle (left, top, right, bottom) as x, y,
// width, height and moves the controls of its group by (dx, dy). A panel
// that would leave the screen is refused (false, nothing changed).
bool SetGuiRect(CFWDialog* dialog, int id, int left, int top, int right, int bottom, int dx, int dy);

// Layout forms of a label, a slider and a second label whose text sits at
// the right; returns the second label.
CFWStatic* AddSliderWithLabels(CFWDialog* dialog, int sliderId, int minimum, int maximum, int value, int firstLabelId,
                               const wchar_t* firstLabel, int secondLabelId, const wchar_t* secondLabel);

class CFWEditBox;
class CFWMemo;

// Layout forms of a read-only value box: an edit box (border 2, white text,
// disabled, with the hint) and its label (white, left and centred
// vertically); returns the label.
CFWStatic* AddEditBoxWithLabel(CFWDialog* dialog, int editId, const wchar_t* text, const wchar_t* hint, int labelId,
                               const wchar_t* label);
// Layout forms of a memo and its label; returns the label.
CFWStatic* AddMemoWithLabel(CFWDialog* dialog, int memoId, const wchar_t* text, int labelId, const wchar_t* label);
// Layout forms of the edit box and the memo alone (null on failure).
CFWEditBox* AddEditBox(CFWDialog* dialog, int id, const wchar_t* text, const wchar_t* hint);
CFWMemo* AddMemo(CFWDialog* dialog, int id, const wchar_t* text);
