#include "common/worldbuffer.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "common/messages.h"
#include "common/textutil.h"
#include "common/winutf8.h"

namespace zm {

std::string LineErrorText(int n) {
  if (n == kLineClosed) return W("Не смог закрыть файл");
  if (n == kLineOpening) return W("Не смог открыть файл");
  return FormatMessage(W("Ошибка в строке %d"), {n});
}

void WorldBuffer::LoadWorldBuffer(const std::filesystem::path& path) {
  m_line = kLineOpening;
  m_data.clear();
  m_pos = 0;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw FileError(std::strerror(EISDIR));
  errno = 0;
  std::ifstream f(path, std::ios::binary | std::ios::ate);
  if (!f) throw FileError(std::strerror(errno ? errno : ENOENT));
  std::streamoff size = f.tellg();
  if (size < 0) throw FileError(std::strerror(errno ? errno : EIO));
  std::string bytes(static_cast<size_t>(size), '\0');
  f.seekg(0);
  f.read(bytes.data(), size);
  // A file that shrank meanwhile keeps what was there; a read error fails.
  if (f.bad()) throw FileError(std::strerror(errno ? errno : EIO));
  bytes.resize(static_cast<size_t>(f.gcount()));
  m_data = std::move(bytes);
}

void WorldBuffer::LoadFromBytes(std::string bytes) {
  m_data = std::move(bytes);
  m_pos = 0;
  m_line = 0;
}

std::string WorldBuffer::ReadBufferLine() {
  size_t n = m_data.size();
  size_t start = m_pos;
  while (m_pos < n && m_data[m_pos] != '\r' && m_data[m_pos] != '\n') ++m_pos;
  std::string line = m_data.substr(start, m_pos - start);
  if (m_pos < n && m_data[m_pos] == '\r') ++m_pos;
  if (m_pos < n && m_data[m_pos] == '\n') ++m_pos;
  ++m_line;
  if (size_t z = line.find('\0'); z != std::string::npos) {
    line.resize(z);
    if (m_cutLines++ == 0) m_firstCut = m_line;
  }
  if (m_coding == kCodingKoi) KoiToWin(line);
  return line;
}

long WorldBuffer::SeekBufferChar(char c) {
  while (m_pos < m_data.size() && m_data[m_pos] != '\0') {
    if (m_data[m_pos] == c) return static_cast<long>(m_pos);
    ++m_pos;
  }
  return -1;
}

bool WorldBuffer::SeekRecordStart() {
  size_t n = m_data.size();
  while (m_pos < n) {
    if (m_data[m_pos] == '#' && (m_pos == 0 || m_data[m_pos - 1] == '\n')) return true;
    ++m_pos;
  }
  return false;
}

std::string WorldBuffer::ReadBufferWord(std::string_view delims) {
  auto isDelim = [&](char c) { return delims.find(c) != std::string_view::npos; };
  size_t n = m_data.size();
  size_t start = m_pos;
  while (m_pos < n && m_data[m_pos] != '\0' && !isDelim(m_data[m_pos])) ++m_pos;
  std::string word = m_data.substr(start, m_pos - start);
  while (m_pos < n && m_data[m_pos] != '\0' && isDelim(m_data[m_pos])) ++m_pos;
  if (delims.find('\n') != std::string_view::npos) ++m_line;
  if (m_coding == kCodingKoi) KoiToWin(word);
  return word;
}

int32_t WorldBuffer::ReadBufferInt(std::string_view delims) {
  int32_t v;
  if (!ParseInt(ReadBufferWord(delims), v)) throw ParseError();
  return v;
}

}  // namespace zm
