#pragma once
// The numbered error and confirmation texts, and a formatter for their
// "%s"/"%d" placeholders that takes only strings and integers, so a wrong
// argument can never read garbage the way printf would.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

namespace zm {

class FmtArg {
 public:
  FmtArg(const std::string& s) : m_value(s) {}
  FmtArg(std::string&& s) : m_value(std::move(s)) {}
  FmtArg(const char* s) : m_value(std::string(s ? s : "")) {}
  template <typename I>
  requires std::is_integral_v<I> FmtArg(I n) : m_value(static_cast<int64_t>(n)) {}

  // "%s" and "%d" accept either kind: a number under "%s" is written in
  // decimal, a text under "%d" as it stands.
  std::string Text() const;

 private:
  std::variant<std::string, int64_t> m_value;
};

using FmtArgs = std::vector<FmtArg>;

// Placeholders beyond the supplied arguments become empty; "%%" is "%".
std::string FormatMessage(const std::string& format, const FmtArgs& args);

// Windows-1251 texts; an unknown number gives an empty text.
const std::string& ErrorText(int n);
const std::string& ConfirmText(int n);

// Confirmation asked before overwriting a file that was not read completely.
constexpr int kConfirmLossySave = 8;

}  // namespace zm
