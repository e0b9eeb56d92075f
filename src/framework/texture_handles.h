#pragma once
// Handles by which the game core names textures: each stands for a texture
// holder of the UI, so that a handle survives the holder's texture being
// made again after a device reset.
#include "core/front_end.h"

class cTexture;
class cPlatformTexture;

// A new handle for the holder (never 0, and in a range of its own above the
// front end's handles); the holder must outlive it.
FrontEndHandle RegisterTextureHolder(cTexture* holder);
void UnregisterTextureHolder(FrontEndHandle handle);
// The holder's current texture; null for an unknown handle or an empty holder.
cPlatformTexture* TextureOfHandle(FrontEndHandle handle);
cTexture* HolderOfHandle(FrontEndHandle handle);
