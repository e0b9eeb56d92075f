#include "gui/fw_resource_manager.h"

#include <cwctype>

#include "framework/fw_util.h"
#include "platform/device.h"
#include "platform/font.h"
#include "platform/sprite.h"

namespace {

constexpr size_t kMaxName = 259;

// Names are compared without regard to case over at most 259 characters.
bool SameName(const std::wstring& a, const std::wstring& b) {
  const size_t la = std::min(a.size(), kMaxName), lb = std::min(b.size(), kMaxName);
  if (la != lb) return false;
  for (size_t i = 0; i < la; ++i)
    if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) return false;
  return true;
}

std::wstring Capped(const wchar_t* s) {
  std::wstring w = s != nullptr ? s : L"";
  if (w.size() > kMaxName) w.resize(kMaxName);
  return w;
}

}  // namespace

CFWDialogResourceManager::~CFWDialogResourceManager() {
  ClearForTests();
  if (FWGetResourceHandlers() == this) FWSetResourceHandlers(nullptr);
}

int CFWDialogResourceManager::AddFont(const wchar_t* face, int height, int weight) {
  const std::wstring name = Capped(face);
  for (size_t i = 0; i < m_FontCache.size(); ++i) {
    const FWFontNode& n = *m_FontCache[i];
    if (SameName(n.strFace, name) && n.nHeight == height && n.nWeight == weight) return static_cast<int>(i);
  }
  auto node = std::make_unique<FWFontNode>();
  node->strFace = name;
  node->nHeight = height;
  node->nWeight = weight;
  m_FontCache.push_back(std::move(node));
  const int index = static_cast<int>(m_FontCache.size()) - 1;
  if (m_pDevice != nullptr) CreateFont(*m_FontCache.back());
  return index;
}

int CFWDialogResourceManager::AddTexture(const wchar_t* file) {
  const std::wstring name = Capped(file);
  for (size_t i = 0; i < m_TextureCache.size(); ++i)
    if (SameName(m_TextureCache[i]->strFilename, name)) return static_cast<int>(i);
  auto node = std::make_unique<FWTextureNode>();
  node->strFilename = name;
  m_TextureCache.push_back(std::move(node));
  const int index = static_cast<int>(m_TextureCache.size()) - 1;
  if (m_pDevice != nullptr) CreateTexture(*m_TextureCache.back());
  return index;
}

FWFontNode* CFWDialogResourceManager::GetFontNode(int index) {
  if (index < 0 || index >= static_cast<int>(m_FontCache.size())) return nullptr;
  return m_FontCache[static_cast<size_t>(index)].get();
}

FWTextureNode* CFWDialogResourceManager::GetTextureNode(int index) {
  if (index < 0 || index >= static_cast<int>(m_TextureCache.size())) return nullptr;
  return m_TextureCache[static_cast<size_t>(index)].get();
}

HRESULT CFWDialogResourceManager::CreateFont(FWFontNode& node) {
  if (node.pFont != nullptr) {
    node.pFont->Release();
    node.pFont = nullptr;
  }
  return cPlatformFont::Create(m_pDevice, node.nHeight, 0, static_cast<unsigned>(node.nWeight), 1, false,
                               node.strFace, &node.pFont);
}

HRESULT CFWDialogResourceManager::CreateTexture(FWTextureNode& node) {
  if (node.strFilename.empty()) return S_OK;
  std::wstring path;
  HRESULT hr = FWFindMediaFile(path, node.strFilename);
  if (FAILED(hr)) return hr;
  if (node.pTexture != nullptr) {
    node.pTexture->Release();
    node.pTexture = nullptr;
  }
  hr = m_pDevice->CreateTextureFromFile(path, &node.pTexture);
  if (FAILED(hr)) return hr;
  node.dwWidth = node.pTexture->Width();
  node.dwHeight = node.pTexture->Height();
  return S_OK;
}

HRESULT CFWDialogResourceManager::OnCreateDevice(cPlatformDevice* device) {
  m_pDevice = device;
  if (device == nullptr) return E_INVALIDARG;
  for (auto& f : m_FontCache) {
    const HRESULT hr = CreateFont(*f);
    if (FAILED(hr)) return hr;
  }
  for (auto& t : m_TextureCache) {
    const HRESULT hr = CreateTexture(*t);
    if (FAILED(hr)) return hr;
  }
  m_pSprite = std::make_unique<cPlatformSprite>(device);
  return S_OK;
}

HRESULT CFWDialogResourceManager::OnResetDevice() {
  for (auto& f : m_FontCache)
    if (f->pFont != nullptr) f->pFont->OnResetDevice();
  if (m_pSprite) m_pSprite->OnResetDevice();
  return S_OK;
}

void CFWDialogResourceManager::OnLostDevice() {
  for (auto& f : m_FontCache)
    if (f->pFont != nullptr) f->pFont->OnLostDevice();
  if (m_pSprite) m_pSprite->OnLostDevice();
}

void CFWDialogResourceManager::OnDestroyDevice() {
  m_pDevice = nullptr;
  for (auto& f : m_FontCache)
    if (f->pFont != nullptr) {
      f->pFont->Release();
      f->pFont = nullptr;
    }
  for (auto& t : m_TextureCache)
    if (t->pTexture != nullptr) {
      t->pTexture->Release();
      t->pTexture = nullptr;
    }
  m_pSprite.reset();
}

void CFWDialogResourceManager::ClearForTests() {
  OnDestroyDevice();
  m_FontCache.clear();
  m_TextureCache.clear();
}

CFWDialogResourceManager* GetGlobalDialogResourceManager() {
  static CFWDialogResourceManager* manager = [] {
    auto* m = new CFWDialogResourceManager();
    // Made after the device: it catches up with what the framework's
    // callbacks did before it was registered.
    if (FWGetDeviceObjectsCreated() && FWGetD3DDevice() != nullptr) {
      m->OnCreateDevice(FWGetD3DDevice());
      if (FWGetDeviceObjectsReset()) m->OnResetDevice();
    }
    return m;
  }();
  // Registered again after the framework's state was put back to its
  // defaults, unless something else was registered meanwhile.
  if (FWGetResourceHandlers() == nullptr) FWSetResourceHandlers(manager);
  return manager;
}
