#include "gui/gui_builders.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "framework/fw_state.h"
#include "gui/fw_dialog.h"
#include "gui/fw_editbox.h"
#include "gui/fw_memo.h"
#include "gui/gui_layout.h"
#include "platform/text_layout.h"

namespace {

GuiPanelMoveFn gPanelMove = nullptr;
std::vector<int> gPanelHeads;

// Head id and last id of each group.
constexpr std::array<std::pair<int, int>, 28> kGroups = {{
    {82, 171},  {252, 258}, {480, 505}, {550, 578}, {630, 640}, {667, 673}, {675, 677},
    {678, 680}, {681, 683}, {684, 688}, {689, 693}, {694, 700}, {701, 707}, {708, 714},
    {715, 721}, {722, 728}, {730, 733}, {740, 757}, {790, 800}, {810, 826}, {840, 852},
    {860, 871}, {880, 894}, {900, 919}, {930, 938}, {940, 956}, {960, 968}, {1010, 1025},
}};

bool IsPanelHead(int id) { return std::find(gPanelHeads.begin(), gPanelHeads.end(), id) != gPanelHeads.end(); }

}  // namespace

int GuiGroupEnd(int headId) {
  for (const auto& g : kGroups)
    if (g.first == headId) return g.second;
  return 0;
}

void SetGuiPanelMoveHandler(GuiPanelMoveFn fn) { gPanelMove = fn; }

void SetGuiPanelHeads(std::vector<int> heads) { gPanelHeads = std::move(heads); }

bool SetGuiRect(CFWDialog* dialog, int id, int left, int top, int right, int bottom, int dx, int dy) {
  if (IsPanelHead(id)) {
    const D3DSURFACE_DESC* screen = FWGetBackBufferSurfaceDesc();
    // Right and bottom compare unsigned, so a negative edge is refused too.
    if (left < 0 || top < 0 || static_cast<uint32_t>(right) > screen->Width ||
        static_cast<uint32_t>(bottom) > screen->Height)
      return false;
    GuiLayoutTable[static_cast<size_t>(id)] = {left, top, right - left, bottom - top};
    if (gPanelMove != nullptr) gPanelMove(id, dx, dy);
    return true;
  }
  if (id < 1 || id >= kGuiLayoutIds || id == 780) return true;
  GuiLayoutTable[static_cast<size_t>(id)] = {left, top, right - left, bottom - top};
  const int last = GuiGroupEnd(id);
  if (last > 0 && dialog != nullptr) {
    for (int member = id + 1; member <= last; ++member)
      if (CFWControl* c = dialog->GetControl(member)) c->MoveBy(dx, dy);
  }
  return true;
}

CFWStatic* AddSliderWithLabels(CFWDialog* dialog, int sliderId, int minimum, int maximum, int value, int firstLabelId,
                               const wchar_t* firstLabel, int secondLabelId, const wchar_t* secondLabel) {
  if (dialog == nullptr) return nullptr;
  dialog->AddStatic(firstLabelId, firstLabel);
  dialog->AddSlider(sliderId, minimum, maximum, value);
  CFWStatic* second = nullptr;
  if (FAILED(dialog->AddStatic(secondLabelId, secondLabel, &second))) return nullptr;
  second->m_dwTextFormat = DT_RIGHT | DT_VCENTER;
  return second;
}

namespace {

// Places a control made here at its layout rectangle and hands it to the dialog.
template <class T>
T* AddAtLayout(CFWDialog* dialog, int id, std::unique_ptr<T> control) {
  if (dialog == nullptr) return nullptr;
  T* raw = control.get();
  if (FAILED(dialog->AddControl(control.release()))) return nullptr;
  const sGuiRect r = GuiRect(id);
  raw->m_ID = id;
  raw->SetLocation(r.x, r.y);
  raw->SetSize(r.w, r.h);
  return raw;
}

}  // namespace

CFWEditBox* AddEditBox(CFWDialog* dialog, int id, const wchar_t* text, const wchar_t* hint) {
  CFWEditBox* box = AddAtLayout(dialog, id, std::make_unique<CFWEditBox>(dialog));
  if (box == nullptr) return nullptr;
  box->SetText(text);
  if (hint != nullptr) box->SetHint(hint);
  return box;
}

CFWMemo* AddMemo(CFWDialog* dialog, int id, const wchar_t* text) {
  CFWMemo* memo = AddAtLayout(dialog, id, std::make_unique<CFWMemo>(dialog));
  if (memo != nullptr) memo->SetText(text);
  return memo;
}

CFWStatic* AddEditBoxWithLabel(CFWDialog* dialog, int editId, const wchar_t* text, const wchar_t* hint, int labelId,
                               const wchar_t* label) {
  if (dialog == nullptr) return nullptr;
  if (CFWEditBox* box = AddEditBox(dialog, editId, text, hint)) {
    box->SetBorderWidth(2);
    box->SetTextColor(0xFFFFFFFFu);
    box->SetEnabled(false);
  }
  CFWStatic* l = nullptr;
  if (FAILED(dialog->AddStatic(labelId, label, &l))) return nullptr;
  l->SetTextColor(0xFFFFFFFFu);
  l->m_dwTextFormat = DT_LEFT | DT_VCENTER;
  return l;
}

CFWStatic* AddMemoWithLabel(CFWDialog* dialog, int memoId, const wchar_t* text, int labelId, const wchar_t* label) {
  if (dialog == nullptr) return nullptr;
  AddMemo(dialog, memoId, text);
  CFWStatic* l = nullptr;
  if (FAILED(dialog->AddStatic(labelId, label, &l))) return nullptr;
  return l;
}
