#pragma once
// A whole world file in memory with a cursor and a line counter. Each reader
// owns one; tokens and lines of any length are copied out whole, and nothing
// reads past the end whatever the bytes are.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/coding.h"

namespace zm {

// Raised inside a reader and turned into its error message at its boundary.
struct ParseError : std::runtime_error {
  ParseError() : std::runtime_error("parse error") {}
};
// What the system said, e.g. "Permission denied".
struct FileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline constexpr int kLineOpening = -1;
inline constexpr int kLineClosed = -2;

// "Не смог закрыть файл" for -2, "Не смог открыть файл" for -1, else
// "Ошибка в строке n".
std::string LineErrorText(int n);

class WorldBuffer {
 public:
  // Reads the file whole; FileError on failure with the counter at -1.
  void LoadWorldBuffer(const std::filesystem::path& path);
  // The same from bytes in memory (tests, fuzzing).
  void LoadFromBytes(std::string bytes);
  void ResetWorldBuffer() {
    m_pos = 0;
    m_line = 0;
    m_cutLines = m_firstCut = 0;
  }
  void FreeWorldBuffer() {
    m_data.clear();
    m_data.shrink_to_fit();
    m_pos = 0;
  }

  bool BufferEof() const { return m_pos >= m_data.size(); }
  std::string ReadBufferLine();
  // Cursor to the next byte c (stays on it); -1 when a zero byte or the end
  // comes first.
  long SeekBufferChar(char c);
  // Cursor to the next "#" that starts a line; false at the end.
  bool SeekRecordStart();
  std::string ReadBufferWord(std::string_view delims);
  // ParseError when the token is not a decimal integer.
  int32_t ReadBufferInt(std::string_view delims);

  // Steps over one byte (the "#" of a record start).
  void Skip() {
    if (m_pos < m_data.size()) ++m_pos;
  }
  char Peek() const { return m_pos < m_data.size() ? m_data[m_pos] : '\0'; }

  CodingWord DetectCoding() const { return DetectCodingOf(m_data, true); }
  bool CodingDecided() const { return zm::CodingDecided(m_data); }

  uint8_t Coding() const { return m_coding; }
  void SetCoding(uint8_t c) { m_coding = c; }
  int Line() const { return m_line; }
  void SetLine(int n) { m_line = n; }
  size_t Pos() const { return m_pos; }
  void SetPos(size_t p) { m_pos = p < m_data.size() ? p : m_data.size(); }
  size_t Size() const { return m_data.size(); }
  // Lines read since the last reset that a zero byte cut short, and the
  // first of them.
  int CutLines() const { return m_cutLines; }
  int FirstCutLine() const { return m_firstCut; }
  std::string_view Data() const { return m_data; }

 private:
  std::string m_data;  // std::string keeps the zero byte after the data
  size_t m_pos = 0;
  int m_line = 0;
  int m_cutLines = 0, m_firstCut = 0;
  uint8_t m_coding = kCodingUnknown;
};

}  // namespace zm
