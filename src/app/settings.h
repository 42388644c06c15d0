#pragma once
// ZEMLEMER.INI: a Windows-style INI file (UTF-8 on disk) and the settings
// the shell keeps in it.
#include <QFont>
#include <filesystem>
#include <string>
#include <vector>

namespace zm {

// Sections and keys are matched without regard to letter case; lines that
// are no key (comments, unknown text) are kept as they are.
class IniFile {
 public:
  // A missing file gives an empty one; false only when it exists but cannot
  // be read.
  bool Load(const std::filesystem::path& path);
  // Through a temporary file, so a failed write keeps the old settings.
  bool Save(const std::filesystem::path& path) const;
  void Parse(const std::string& text);
  std::string Text() const;

  bool Has(const std::string& section, const std::string& key) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  // A value that is not a decimal integer reads as `def`.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  // Any non-zero integer is true.
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteBool(const std::string& section, const std::string& key, bool value);

 private:
  struct Line {
    std::string Key;  // empty: kept verbatim in Raw
    std::string Value;
    std::string Raw;
  };
  struct Section {
    std::string Name;
    std::vector<Line> Lines;
  };
  const Line* find(const std::string& section, const std::string& key) const;

  std::vector<std::string> m_head;  // lines before the first section
  std::vector<Section> m_sections;
};

// The font as the settings file keeps it.
struct FontSetting {
  std::string Name;
  int Size = 8;
  int Color = kSystemWindowText;
  int Style = 0;  // 1 bold, 2 italic, 4 underline, 8 strike-out
  int Charset = 1;
  // "The system colour for window text": not applied, written back as read.
  static constexpr int kSystemWindowText = static_cast<int>(0x80000008u);
};

QFont FontOf(const FontSetting& f, const QFont& base);
// Keeps Color and Charset, which a QFont does not carry.
FontSetting SettingOf(const QFont& font, const FontSetting& keep);
int StyleBits(const QFont& font);
void ApplyStyleBits(QFont& font, int bits);

struct AppSettings {
  bool ShowLoadTime = false;
  std::string WorldPath = "Zones/";  // as written in the file
  bool RestorePosition = false;
  int Left = 0, Top = 0, Width = 800, Height = 570, Splitter = 180;
  int Coding = 0, LineBreak = 0;
  bool SaveWithThis = false, ConfirmChanges = false, CurZoneList = false;
  FontSetting Font;
  int ObjItemKey = 18;

  // `defaultFont` gives the Font defaults (the main window's own font).
  void Read(const IniFile& ini, const FontSetting& defaultFont);
  // Everything that is written at close, in the order it is written.
  void Write(IniFile& ini) const;
};

// A value without a leading "/" lies in the application folder; "\" from a
// file written on Windows counts as "/".
std::filesystem::path ResolveWorldPath(const std::string& value,
                                       const std::filesystem::path& appDir);

// ZEMLEMER.INI in the application folder, or in the user's configuration
// folder when the application folder is not writable.
std::filesystem::path SettingsFilePath(const std::filesystem::path& appDir);

}  // namespace zm
