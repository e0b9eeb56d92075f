// The default skin every dialog starts with: the GUI picture as texture 0,
// the first eight interface fonts, and one element per piece of every
// control type, cut from fixed places of the picture.
#include "gui/fw_dialog.h"
#include "gui/gui_layout.h"

namespace {

// Font colours per state (normal, disabled, focus, mouse-over, pressed),
// with A and B the font record's ordinary and highlighted colour.
enum ePattern { P1, P2, P3, P4, P5, P6, P7 };

void ApplyPattern(FWBlendColor& c, ePattern p, D3DCOLOR a, D3DCOLOR b) {
  constexpr D3DCOLOR kGrey = 0xC8808080u;
  D3DCOLOR s[5];
  switch (p) {
    case P1: s[0] = a, s[1] = kGrey, s[2] = b, s[3] = b, s[4] = a; break;
    case P2: s[0] = a, s[1] = a, s[2] = a, s[3] = a, s[4] = a; break;
    case P3: s[0] = a, s[1] = a, s[2] = a, s[3] = b, s[4] = b; break;
    case P4: s[0] = b, s[1] = kGrey, s[2] = b, s[3] = b, s[4] = b; break;
    case P5: s[0] = a, s[1] = a, s[2] = b, s[3] = b, s[4] = b; break;
    case P6: s[0] = a, s[1] = kGrey, s[2] = a, s[3] = a, s[4] = a; break;
    case P7: s[0] = a, s[1] = a, s[2] = a, s[3] = a, s[4] = 0xFFFFFFFFu; break;
  }
  c.States[FWSTATE_NORMAL] = s[0];
  c.States[FWSTATE_DISABLED] = s[1];
  c.States[FWSTATE_HIDDEN] = 0;
  c.States[FWSTATE_FOCUS] = s[2];
  c.States[FWSTATE_MOUSEOVER] = s[3];
  c.States[FWSTATE_PRESSED] = s[4];
}

RECT Cell(int x0, int y0, int size, int col, int row) {
  return RECT{x0 + col * size, y0 + row * size, x0 + (col + 1) * size, y0 + (row + 1) * size};
}

// Cells (column, row) of a 3 x 3 grid in frame order and in row order.
constexpr int kFrameOrder[9][2] = {{1, 1}, {0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
constexpr int kRowOrder[9][2] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};

}  // namespace

void CFWDialog::InitDefaultElements() {
  SetTexture(0, L"data\\gfx\\GUI.png");
  for (UINT k = 0; k < 8; ++k) {
    sFontRecord& f = GuiFontTable[k];
    SetFont(k, f.face.c_str(), f.height, f.weight);
    f.index = static_cast<int32_t>(k);
  }

  const RECT caption{17, 269, 241, 287};
  m_CapElement.SetTexture(0, &caption, 0xFFFFFFFFu);
  m_CapElement.SetFont(1, 0xFFFFFFFFu, 260);
  m_CapElement.Refresh();

  const D3DCOLOR a1 = GuiFontTable[1].color1, b1 = GuiFontTable[1].color2;
  auto add = [&](UINT type, UINT index, RECT rc, DWORD format, D3DCOLOR disabled, ePattern pattern, UINT font = 1) {
    CFWElement e;
    e.SetTexture(0, &rc, 0xFFFFFFFFu);
    e.TextureColor.States[FWSTATE_DISABLED] = disabled;
    e.SetFont(font, 0xFFFFFFFFu, format);
    const D3DCOLOR a = font == 3 ? GuiFontTable[3].color1 : a1;
    const D3DCOLOR b = font == 3 ? GuiFontTable[3].color2 : b1;
    ApplyPattern(e.FontColor, pattern, a, b);
    SetDefaultElement(type, index, &e);
  };
  auto grid = [&](UINT type, UINT first, UINT count, int x0, int y0, int size, const int (*order)[2], DWORD format,
                  D3DCOLOR disabled, ePattern pattern) {
    for (UINT i = 0; i < count; ++i)
      add(type, first + i, Cell(x0, y0, size, order[i][0], order[i][1]), format, disabled, pattern);
  };
  constexpr D3DCOLOR kGrey = 0xC8808080u, kFaint = 0x46FFFFFFu, kWhite = 0xFFFFFFFFu;

  // Static: no texture at all.
  for (UINT i = 0; i < 3; ++i) {
    CFWElement e;
    const RECT none{};
    e.SetTexture(0, &none, 0);
    e.TextureColor.Init(0, 0, 0);
    const UINT font = i == 2 ? 3 : 1;
    e.SetFont(font, 0xFFFFFFFFu, 5);
    ApplyPattern(e.FontColor, P7, GuiFontTable[font].color1, GuiFontTable[font].color2);
    SetDefaultElement(FWCONTROL_STATIC, i, &e);
  }
  // Button: normal and pressed three-slices.
  for (UINT i = 0; i < 3; ++i) {
    add(FWCONTROL_BUTTON, i, RECT{135 + 5 * static_cast<int>(i), 1926, 140 + 5 * static_cast<int>(i), 1956}, 5, kWhite,
        P1);
  }
  for (UINT i = 0; i < 3; ++i) {
    add(FWCONTROL_BUTTON, 3 + i, RECT{151 + 5 * static_cast<int>(i), 1926, 156 + 5 * static_cast<int>(i), 1956}, 5,
        kWhite, P1);
  }
  add(FWCONTROL_CHECKBOX, 0, RECT{290, 1921, 315, 1946}, 260, kGrey, P2);
  add(FWCONTROL_CHECKBOX, 1, RECT{316, 1921, 341, 1946}, 260, kGrey, P2);
  add(FWCONTROL_RADIOBUTTON, 0, RECT{290, 1947, 315, 1972}, 260, kGrey, P2);
  add(FWCONTROL_RADIOBUTTON, 1, RECT{316, 1947, 341, 1972}, 260, kGrey, P2);
  add(FWCONTROL_COMBOBOX, 0, RECT{199, 1926, 229, 1956}, 5, kFaint, P3);
  add(FWCONTROL_COMBOBOX, 1, RECT{259, 1926, 289, 1956}, 5, kFaint, P3);
  add(FWCONTROL_COMBOBOX, 2, RECT{229, 1926, 259, 1956}, 5, kFaint, P3);
  add(FWCONTROL_COMBOBOX, 3, RECT{212, 2033, 287, 2045}, 256, kFaint, P4);
  grid(FWCONTROL_COMBOBOX, 4, 8, 212, 1957, 25, kRowOrder, 256, kGrey, P4);
  add(FWCONTROL_COMBOBOX, 12, Cell(212, 1957, 25, 2, 2), 256, kGrey, P5);
  add(FWCONTROL_SLIDER, 0, RECT{136, 1900, 146, 1925}, 256, kFaint, P5);
  add(FWCONTROL_SLIDER, 1, RECT{146, 1900, 156, 1925}, 256, kFaint, P5);
  add(FWCONTROL_SLIDER, 2, RECT{156, 1900, 166, 1925}, 256, kFaint, P5);
  add(FWCONTROL_SLIDER, 3, RECT{167, 1900, 177, 1925}, 256, kGrey, P5);
  add(FWCONTROL_SLIDER, 4, RECT{178, 1900, 188, 1925}, 256, kGrey, P5);
  for (UINT i = 0; i < 3; ++i) {
    const int x = 350 + 5 * static_cast<int>(i);
    add(FWCONTROL_PROGRESSBAR, i, RECT{x, 1885, x + 5, 1910}, 256, kFaint, P5);
  }
  for (UINT i = 0; i < 3; ++i) {
    const int x = 350 + 5 * static_cast<int>(i);
    add(FWCONTROL_PROGRESSBAR, 3 + i, RECT{x, 1910, x + 5, 1935}, 256, kFaint, P5);
  }
  add(FWCONTROL_SCROLLBAR, 0, RECT{290, 1973, 315, 1998}, 256, 0x00FFFFFFu, P5);
  add(FWCONTROL_SCROLLBAR, 1, RECT{290, 1998, 315, 2023}, 256, 0x00FFFFFFu, P5);
  add(FWCONTROL_SCROLLBAR, 2, RECT{290, 2023, 315, 2048}, 256, 0x00FFFFFFu, P5);
  add(FWCONTROL_SCROLLBAR, 3, RECT{316, 1973, 341, 2048}, 256, kGrey, P5);
  grid(FWCONTROL_EDITBOX, 0, 9, 168, 1926, 10, kFrameOrder, 5, kGrey, P1);
  grid(FWCONTROL_MEMO, 0, 9, 168, 1926, 10, kFrameOrder, 5, kGrey, P1);
  const RECT ime[9] = {{14, 90, 241, 113}, {8, 82, 14, 90},     {14, 82, 241, 90},
                       {241, 82, 246, 90}, {8, 90, 14, 113},    {241, 90, 246, 113},
                       {8, 113, 14, 121},  {14, 113, 241, 121}, {241, 113, 246, 121}};
  for (UINT i = 0; i < 9; ++i) add(FWCONTROL_IMEEDITBOX, i, ime[i], 0, kGrey, P1);
  add(FWCONTROL_IMEEDITBOX, 9, RECT{0, 0, 136, 54}, 5, kGrey, P6);
  grid(FWCONTROL_LISTBOX, 0, 8, 350, 1936, 25, kRowOrder, 5, kGrey, P6);
  add(FWCONTROL_LISTBOX, 8, RECT{400, 1986, 425, 2011}, 0, kGrey, P5);
  for (UINT h = 0; h < 3; ++h) {
    const int x = 425 + 25 * static_cast<int>(h);
    for (UINT r = 0; r < 3; ++r) {
      const int y = 1936 + 25 * static_cast<int>(r);
      add(FWCONTROL_LISTBOX, 9 + 3 * h + r, RECT{x, y, x + 25, y + 25}, 0, kGrey, r == 0 ? P5 : P4);
    }
  }
  add(FWCONTROL_LISTBOX, 18, RECT{350, 2011, 375, 2036}, 0, kGrey, P4);
  add(FWCONTROL_LISTBOX, 19, RECT{375, 2011, 400, 2036}, 0, kGrey, P4);
  grid(FWCONTROL_FRAME, 0, 9, 0, 1913, 45, kFrameOrder, 5, kGrey, P1);
  grid(FWCONTROL_FRAME, 9, 9, 1130, 370, 30, kFrameOrder, 5, kGrey, P1);
  grid(FWCONTROL_FRAME, 18, 9, 221, 1895, 10, kFrameOrder, 5, kGrey, P1);
  grid(FWCONTROL_TABFRAME, 0, 8, 190, 1895, 10, kRowOrder, 5, kGrey, P1);
  add(FWCONTROL_TABFRAME, 8, Cell(190, 1895, 10, 2, 2), 4, kGrey, P5);
  for (UINT i = 0; i < 3; ++i) {
    const int x = 65 + 10 * static_cast<int>(i);
    add(FWCONTROL_TABFRAME, 9 + i, RECT{x, 1885, x + 10, 1905}, 4, kGrey, P6);
  }
  for (UINT i = 0; i < 3; ++i) {
    const int x = 95 + 10 * static_cast<int>(i);
    add(FWCONTROL_TABFRAME, 12 + i, RECT{x, 1885, x + 10, 1905}, 4, kGrey, P4);
  }
}
