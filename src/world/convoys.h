#pragma once
// The convoy manager: standing orders to ship supplies between ports.
class cKonwoje {
 public:
  virtual ~cKonwoje() = default;
};
