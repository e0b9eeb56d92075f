#pragma once
// The convoy manager: standing orders to ship supplies between ports.
class cKonwoje {
 public:
  virtual ~cKonwoje() = default;

  // Removes the first convoy of the country (a surrender takes it away).
  // The manager holds no convoys yet, so there is nothing to remove.
  virtual void RemoveOneConvoy(int country) { (void)country; }
};
