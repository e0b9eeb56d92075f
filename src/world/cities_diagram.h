#pragma once
// The links between cities.
class cDiagramMiast {
 public:
  virtual ~cDiagramMiast() = default;
};
