#include "framework/texture_handles.h"

#include <unordered_map>

#include "framework/texture.h"

namespace {

struct sRegistry {
  // Far above the handles the front end counts from 1, so the two never meet.
  FrontEndHandle next = 0x40000000;
  std::unordered_map<FrontEndHandle, cTexture*> holders;
};

sRegistry& Registry() {
  static sRegistry r;
  return r;
}

}  // namespace

FrontEndHandle RegisterTextureHolder(cTexture* holder) {
  sRegistry& r = Registry();
  const FrontEndHandle h = r.next++;
  r.holders[h] = holder;
  return h;
}

void UnregisterTextureHolder(FrontEndHandle handle) { Registry().holders.erase(handle); }

cTexture* HolderOfHandle(FrontEndHandle handle) {
  const auto& m = Registry().holders;
  const auto it = m.find(handle);
  return it != m.end() ? it->second : nullptr;
}

cPlatformTexture* TextureOfHandle(FrontEndHandle handle) {
  cTexture* h = HolderOfHandle(handle);
  return h != nullptr ? h->Texture() : nullptr;
}
