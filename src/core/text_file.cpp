#include "core/text_file.h"

bool ReadTextLine(std::FILE* f, std::string& line) {
  line.clear();
  if (f == nullptr) return false;
  int c;
  bool any = false;
  // The stream is read by one thread at a time: the unlocked read spares a
  // lock per character.
  while ((c = getc_unlocked(f)) != EOF) {
    any = true;
    if (c == '\n') break;
    line.push_back(static_cast<char>(c));
  }
  if (!any) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

bool NextTextLine(std::string_view buf, size_t& pos, std::string_view& line) {
  if (pos >= buf.size()) return false;
  size_t end = buf.find('\n', pos);
  size_t next = end == std::string_view::npos ? buf.size() : end + 1;
  if (end == std::string_view::npos) end = buf.size();
  size_t len = end - pos;
  if (len > 0 && buf[pos + len - 1] == '\r') --len;
  line = buf.substr(pos, len);
  pos = next;
  return true;
}

bool WriteTextLine(std::FILE* f, std::string_view line) {
  if (f == nullptr) return false;
  if (!line.empty() && std::fwrite(line.data(), 1, line.size(), f) != line.size()) return false;
  return std::fwrite("\r\n", 1, 2, f) == 2;
}

std::string ToCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out.push_back('\r');
    out.push_back(text[i]);
  }
  return out;
}
