#pragma once
// The computer player of one country.
class cAI {
 public:
  virtual ~cAI() = default;
};
