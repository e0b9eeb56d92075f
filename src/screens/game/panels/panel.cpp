#include "screens/game/panels/panel.h"

#include "screens/game/game_screen.h"
#include "framework/texture.h"
#include "gui/gui_layout.h"

cPanel::cPanel(int id, int x, int y, int width, int height) : cDialog(id) {
  if (id > 0) m_GuiDialog.AddFrame(id, x, y, width, height, 1);
  m_GuiDialog.SetCallback(&PanelsGuiEvent);
}

namespace {
constexpr float kBackgroundDepth = 0.9f;

class cBackgroundImage : public CFWImage {
 public:
  explicit cBackgroundImage(CFWDialog* dialog) : CFWImage(dialog) {}
  void Render(cPlatformDevice*, float) override {
    if (m_pDialog == nullptr || !m_bVisible || m_pTexture == nullptr) return;
    m_pDialog->DrawSprite(m_pTexture, &m_rcSource, &m_rcBoundingBox, m_Color, kBackgroundDepth);
  }
};
}  // namespace

void cPanel::AddBackground(int id, const RECT& source, int x, int y, int width, int height) {
  auto* image = new cBackgroundImage(&m_GuiDialog);
  image->m_ID = id;
  image->SetLocation(x, y);
  image->SetSize(width, height);
  image->SetTexture(gTextures[kGuiTextureHolder].Texture());
  image->m_rcSource = source;
  image->SetEnabled(false);
  if (FAILED(m_GuiDialog.AddControl(image))) delete image;
}

void cPanel::Render(float elapsed) {
  if (!IsFolded()) m_GuiDialog.OnRender(elapsed);
}

void cPanel::SetFolded(bool folded) {
  m_GuiDialog.SetMinimized(folded);
  if (folded) m_GuiDialog.m_pControlMouseOver = nullptr;
}

void cPanel::MoveControls(int first, int last, int dx, int dy) {
  for (int id = first; id <= last; ++id) {
    if (id < 0 || id >= kGuiLayoutIds) continue;
    if (CFWControl* c = m_GuiDialog.GetControl(id)) {
      c->MoveBy(dx, dy);
    } else {
      GuiLayoutTable[static_cast<size_t>(id)].x += dx;
      GuiLayoutTable[static_cast<size_t>(id)].y += dy;
    }
  }
}
