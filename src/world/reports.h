#pragma once
// The store of turn reports.
class cRaporty {
 public:
  virtual ~cRaporty() = default;
};
