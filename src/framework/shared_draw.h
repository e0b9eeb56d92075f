#pragma once
// The sprite batch and the line shared by all 2D drawing of the game. They
// exist between a device reset and the next device loss (the game's device
// callbacks make and drop them); null otherwise.
class cPlatformSprite;
class cPlatformLine;

extern cPlatformSprite* gSprite;
extern cPlatformLine* gLine;

// The size of the screen as the back buffer has it.
int ScreenWidth();
int ScreenHeight();
