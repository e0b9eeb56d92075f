#pragma once
// The scenario events of a game.
class cZdarzenia {
 public:
  virtual ~cZdarzenia() = default;
};
