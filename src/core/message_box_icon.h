#pragma once

// The icon of a message box: none, the information icon or the warning icon.
enum class eMessageBoxIcon : int { kNone = 0, kInformation = 1, kWarning = 2 };
