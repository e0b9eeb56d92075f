#pragma once
// The one cache of fonts and textures of all dialogs, with the sprite they
// draw through. Dialogs keep indices into the caches; the device objects
// follow the device: made at creation, reset and lost with it, released
// when it goes. It registers itself as the framework's resource handlers.
#include <memory>
#include <string>
#include <vector>

#include "framework/fw_state.h"
#include "platform/win_types.h"

class cPlatformDevice;
class cPlatformFont;
class cPlatformSprite;
class cPlatformTexture;

struct FWFontNode {
  std::wstring strFace;  // up to 259 characters
  cPlatformFont* pFont = nullptr;
  int nHeight = 0;
  int nWeight = 0;
};

struct FWTextureNode {
  std::wstring strFilename;  // up to 259 characters
  cPlatformTexture* pTexture = nullptr;
  int dwWidth = 0;
  int dwHeight = 0;
};

class CFWDialogResourceManager : public cFWResourceHandlers {
 public:
  CFWDialogResourceManager() = default;
  ~CFWDialogResourceManager() override;
  CFWDialogResourceManager(const CFWDialogResourceManager&) = delete;
  CFWDialogResourceManager& operator=(const CFWDialogResourceManager&) = delete;

  int AddFont(const wchar_t* face, int height, int weight);
  int AddTexture(const wchar_t* file);
  FWFontNode* GetFontNode(int index);
  FWTextureNode* GetTextureNode(int index);
  int FontCount() const { return static_cast<int>(m_FontCache.size()); }
  int TextureCount() const { return static_cast<int>(m_TextureCache.size()); }

  HRESULT OnCreateDevice(cPlatformDevice* device) override;
  HRESULT OnResetDevice() override;
  void OnLostDevice() override;
  void OnDestroyDevice() override;

  cPlatformDevice* GetDevice() const { return m_pDevice; }
  cPlatformSprite* Sprite() const { return m_pSprite.get(); }
  // Every cached object released and the caches emptied (tests start clean).
  void ClearForTests();

 private:
  HRESULT CreateFont(FWFontNode& node);
  HRESULT CreateTexture(FWTextureNode& node);

  cPlatformDevice* m_pDevice = nullptr;
  std::unique_ptr<cPlatformSprite> m_pSprite;
  std::vector<std::unique_ptr<FWFontNode>> m_FontCache;
  std::vector<std::unique_ptr<FWTextureNode>> m_TextureCache;
};

// The single instance, made on first use and registered with the framework.
CFWDialogResourceManager* GetGlobalDialogResourceManager();
