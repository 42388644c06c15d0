#include "app/settings.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <fstream>
#include <iterator>

#include "common/textutil.h"

namespace zm {
namespace fs = std::filesystem;
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Same(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

QString PathText(const fs::path& p) {
  return QString::fromStdString(p.string());
}

}  // namespace

// ------------------------------------------------------------------ IniFile

bool IniFile::Load(const fs::path& path) {
  m_head.clear();
  m_sections.clear();
  std::error_code ec;
  if (!fs::exists(path, ec)) return true;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  Parse(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  return !in.bad();
}

void IniFile::Parse(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = StripLineEnd(text.substr(pos, end - pos));
    pos = end + 1;
    std::string t = Trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      m_sections.push_back({Trim(t.substr(1, t.size() - 2)), {}});
      continue;
    }
    Line l;
    size_t eq = line.find('=');
    if (!t.empty() && t[0] != ';' && eq != std::string::npos && !Trim(line.substr(0, eq)).empty()) {
      l.Key = Trim(line.substr(0, eq));
      l.Value = Trim(line.substr(eq + 1));
    } else {
      l.Raw = line;
    }
    if (m_sections.empty())
      m_head.push_back(line);
    else
      m_sections.back().Lines.push_back(std::move(l));
  }
}

std::string IniFile::Text() const {
  std::string out;
  for (const auto& h : m_head) out += h + "\n";
  for (const auto& s : m_sections) {
    out += "[" + s.Name + "]\n";
    for (const auto& l : s.Lines) out += (l.Key.empty() ? l.Raw : l.Key + "=" + l.Value) + "\n";
  }
  return out;
}

bool IniFile::Save(const fs::path& path) const {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  QSaveFile f(PathText(path));
  if (!f.open(QIODevice::WriteOnly)) return false;
  std::string text = Text();
  if (f.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
    return false;
  return f.commit();
}

const IniFile::Line* IniFile::find(const std::string& section, const std::string& key) const {
  for (const auto& s : m_sections) {
    if (!Same(s.Name, section)) continue;
    for (const auto& l : s.Lines)
      if (!l.Key.empty() && Same(l.Key, key)) return &l;
  }
  return nullptr;
}

bool IniFile::Has(const std::string& section, const std::string& key) const {
  return find(section, key) != nullptr;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const {
  const Line* l = find(section, key);
  return l ? l->Value : def;
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const Line* l = find(section, key);
  int32_t n;
  return l && ParseInt(l->Value, n) ? n : def;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  if (auto* l = const_cast<Line*>(find(section, key))) {
    l->Value = value;
    return;
  }
  Section* s = nullptr;
  for (auto& sec : m_sections)
    if (Same(sec.Name, section)) s = &sec;
  if (!s) s = &m_sections.emplace_back(Section{section, {}});
  // Before the blank lines that end the section.
  auto at = s->Lines.end();
  while (at != s->Lines.begin() && (at - 1)->Key.empty() && Trim((at - 1)->Raw).empty()) --at;
  s->Lines.insert(at, Line{key, value, {}});
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, IntText(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

// --------------------------------------------------------------------- font

int StyleBits(const QFont& font) {
  return (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
         (font.strikeOut() ? 8 : 0);
}

void ApplyStyleBits(QFont& font, int bits) {
  font.setBold(bits & 1);
  font.setItalic(bits & 2);
  font.setUnderline(bits & 4);
  font.setStrikeOut(bits & 8);
}

QFont FontOf(const FontSetting& f, const QFont& base) {
  QFont font = base;
  if (!f.Name.empty()) font.setFamily(QString::fromStdString(f.Name));
  if (f.Size > 0) font.setPointSize(f.Size);
  ApplyStyleBits(font, f.Style);
  return font;
}

FontSetting SettingOf(const QFont& font, const FontSetting& keep) {
  FontSetting f = keep;
  f.Name = font.family().toStdString();
  f.Size = font.pointSize() > 0 ? font.pointSize() : keep.Size;
  f.Style = StyleBits(font);
  return f;
}

// ----------------------------------------------------------------- settings

void AppSettings::Read(const IniFile& ini, const FontSetting& defaultFont) {
  ShowLoadTime = ini.ReadBool("Main", "ShowLoadTime", false);
  WorldPath = ini.ReadString("Main", "WorldPath", "Zones/");
  RestorePosition = ini.ReadBool("Main", "RestorePosition", false);
  Left = ini.ReadInteger("Main", "Left", 0);
  Top = ini.ReadInteger("Main", "Top", 0);
  Width = ini.ReadInteger("Main", "Width", 800);
  Height = ini.ReadInteger("Main", "Height", 570);
  Splitter = ini.ReadInteger("Main", "Splitter", 180);
  Coding = ini.ReadInteger("Editor", "Coding", 0);
  LineBreak = ini.ReadInteger("Editor", "LineBreak", 0);
  SaveWithThis = ini.ReadBool("Editor", "SaveWithThis", false);
  ConfirmChanges = ini.ReadBool("Editor", "ConfirmChanges", false);
  CurZoneList = ini.ReadBool("Editor", "CurZoneList", false);
  Font.Name = ini.ReadString("Font", "Name", defaultFont.Name);
  Font.Size = ini.ReadInteger("Font", "Size", defaultFont.Size);
  Font.Color = ini.ReadInteger("Font", "Color", defaultFont.Color);
  Font.Style = ini.ReadInteger("Font", "Style", 0);
  Font.Charset = ini.ReadInteger("Font", "Charset", defaultFont.Charset);
  ObjItemKey = ini.ReadInteger("MUD", "OBJ_ITEM_KEY", 18);
}

void AppSettings::Write(IniFile& ini) const {
  ini.WriteInteger("Main", "Left", Left);
  ini.WriteInteger("Main", "Top", Top);
  ini.WriteInteger("Main", "Width", Width);
  ini.WriteInteger("Main", "Height", Height);
  ini.WriteInteger("Main", "Splitter", Splitter);
  ini.WriteString("Main", "WorldPath", WorldPath);
  ini.WriteInteger("Editor", "Coding", Coding);
  ini.WriteInteger("Editor", "LineBreak", LineBreak);
  ini.WriteBool("Editor", "SaveWithThis", SaveWithThis);
  ini.WriteBool("Editor", "ConfirmChanges", ConfirmChanges);
  ini.WriteBool("Editor", "CurZoneList", CurZoneList);
  ini.WriteBool("Main", "RestorePosition", RestorePosition);
  ini.WriteString("Font", "Name", Font.Name);
  ini.WriteInteger("Font", "Size", Font.Size);
  ini.WriteInteger("Font", "Color", Font.Color);
  ini.WriteInteger("Font", "Style", Font.Style);
  ini.WriteInteger("Font", "Charset", Font.Charset);
}

// ------------------------------------------------------------------- paths

fs::path ResolveWorldPath(const std::string& value, const fs::path& appDir) {
  std::string v = value;
  for (char& c : v)
    if (c == '\\') c = '/';
  fs::path p(v);
  if (!v.empty() && v[0] == '/') return p.lexically_normal();
  return (appDir / p).lexically_normal();
}

fs::path SettingsFilePath(const fs::path& appDir) {
  QFileInfo dir(PathText(appDir));
  if (dir.isDir() && dir.isWritable()) return appDir / "ZEMLEMER.INI";
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return fs::path(config.toStdString()) / "zemlemer" / "ZEMLEMER.INI";
}

}  // namespace zm
