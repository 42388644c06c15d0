#include "model/rooms.h"

namespace zm {

const std::array<const char*, kVariants> kVariantTags = {
    "<day>",         "<night>",     "<winterday>",   "<winternight>", "<springday>",
    "<springnight>", "<summerday>", "<summernight>", "<autumnday>",   "<autumnnight>",
};

// ---- Description variants ----

namespace {

// A piece of text goes into an editor text as further lines.
void AddLines(std::string& target, std::string_view piece) {
  if (piece.empty()) return;
  if (!target.empty() && target.back() != '\n' && target.back() != '\r') target += "\r\n";
  target += piece;
}

}  // namespace

DescriptionParts SplitDescription(const std::string& description) {
  DescriptionParts parts;
  const std::string_view text = description;
  constexpr size_t npos = std::string_view::npos;
  // Next known place of each tag at or after `pos`; the text only shrinks from
  // the front, so every tag is searched through at most once.
  std::array<size_t, kVariants> next;
  for (int v = 0; v < kVariants; ++v) next[v] = text.find(kVariantTags[v]);
  size_t pos = 0;
  auto find = [&](int v) {
    if (next[v] != npos && next[v] < pos) next[v] = text.find(kVariantTags[v], pos);
    return next[v];
  };

  int current = -1;
  while (pos < text.size()) {
    if (current >= 0) {
      size_t at = find(current);
      // An opening tag that is never closed: the rest is that variant's text.
      size_t end = at == npos ? text.size() : at;
      AddLines(parts.Variants[current], text.substr(pos, end - pos));
      pos = at == npos ? text.size() : at + std::char_traits<char>::length(kVariantTags[current]);
      current = -1;
      continue;
    }
    // The first tag of the table that occurs anywhere, not the earliest one.
    size_t at = npos;
    for (int v = 0; v < kVariants && current < 0; ++v)
      if ((at = find(v)) != npos) current = v;
    if (current < 0) {
      AddLines(parts.General, text.substr(pos));
      break;
    }
    AddLines(parts.General, text.substr(pos, at - pos));
    pos = at + std::char_traits<char>::length(kVariantTags[current]);
    if (pos < text.size() && text[pos] == 'R') {
      parts.Marks[current] = true;
      ++pos;
    }
  }
  return parts;
}

std::string JoinDescription(const DescriptionParts& parts) {
  std::string out = StripLineEnd(parts.General);
  for (int v = 0; v < kVariants; ++v) {
    std::string t = StripLineEnd(parts.Variants[v]);
    if (t.empty()) continue;
    out += kVariantTags[v];
    if (parts.Marks[v]) out += 'R';
    out += t;
    out += kVariantTags[v];
  }
  return out;
}

}  // namespace zm
