#pragma once
// Templates: named, partly filled records read from the Bases/Template_*
// files, and the creation of new rooms, objects, mobiles, shops and triggers
// from them. The dialog that asks the user is behind TemplateChooser, so the
// GUI only asks and the tests can answer.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "model/kinds.h"
#include "model/mobs.h"
#include "model/objs.h"
#include "model/rooms.h"
#include "model/shops.h"
#include "model/triggers.h"

namespace zm {

class Reporter;
class Dictionaries;
class World;

// One key line of a template: the key in upper case, the value after it, and
// whether the key comes for the first time in this template (LOOK, DESC and
// DESTINATION set on the first line and append on the others).
struct TempletKey {
  std::string Key;
  std::string Value;
  bool First = true;
};

// "объектов", "мобов", "магазинов", "триггеров", "комнат"; empty for other kinds.
std::string TempletKindWord(RecordKind kind);

template <typename T>
class TTemplet {
 public:
  TTemplet() = default;
  TTemplet(const TTemplet&) = delete;
  TTemplet& operator=(const TTemplet&) = delete;
  TTemplet(TTemplet&&) noexcept = default;
  TTemplet& operator=(TTemplet&&) noexcept = default;

  // Empties the list and reads the file. When the file cannot be read or an
  // integer value is not an integer, error 18 goes to `reporter` and the
  // result is false; the templates read before the bad line stay. `bases`
  // gives the shop type dictionaries and may be null.
  bool LoadFromFile(const std::filesystem::path& path, Reporter& reporter,
                    const Dictionaries* bases = nullptr);
  // The same over bytes in memory; `path` names them in the message.
  bool LoadFromBytes(std::string bytes, const std::filesystem::path& path, Reporter& reporter,
                     const Dictionaries* bases = nullptr);

  int Count() const { return static_cast<int>(m_records.size()); }
  // Empty name and null record out of range.
  const std::string& Names(int i) const;
  const T* Objects(int i) const;
  const std::vector<std::string>& NameList() const { return m_names; }
  void Clear() {
    m_names.clear();
    m_records.clear();
  }

  // Sets one field of `rec` from a key line; keys outside the kind's table are
  // ignored. ParseError when a number is not a number.
  static void ApplyKey(T& rec, const TempletKey& key, const Dictionaries* bases);

 private:
  std::vector<std::string> m_names;
  std::vector<std::unique_ptr<T>> m_records;
};

template <>
void TTemplet<TObj>::ApplyKey(TObj&, const TempletKey&, const Dictionaries*);
template <>
void TTemplet<TMob>::ApplyKey(TMob&, const TempletKey&, const Dictionaries*);
template <>
void TTemplet<TShop>::ApplyKey(TShop&, const TempletKey&, const Dictionaries*);
template <>
void TTemplet<TTrigger>::ApplyKey(TTrigger&, const TempletKey&, const Dictionaries*);
template <>
void TTemplet<TRoom>::ApplyKey(TRoom&, const TempletKey&, const Dictionaries*);

using TObjTemplet = TTemplet<TObj>;
using TMobTemplet = TTemplet<TMob>;
using TShopTemplet = TTemplet<TShop>;
using TTrigTemplet = TTemplet<TTrigger>;
using TRoomTemplet = TTemplet<TRoom>;

extern template class TTemplet<TObj>;
extern template class TTemplet<TMob>;
extern template class TTemplet<TShop>;
extern template class TTemplet<TTrigger>;
extern template class TTemplet<TRoom>;

// The five lists, read once at start-up and unchanged for the run.
struct Templets {
  TObjTemplet Objs;
  TMobTemplet Mobs;
  TShopTemplet Shops;
  TTrigTemplet Triggers;
  TRoomTemplet Rooms;

  // Template_Obj, _Mob, _Shop, _Trigger and _Room of the Bases folder; a file
  // that fails shows error 18 and the others still load. True when all loaded.
  bool LoadAll(const std::filesystem::path& basesFolder, Reporter& reporter,
               const Dictionaries* bases);
  // The template names of a kind; empty for kinds without templates.
  const std::vector<std::string>& NamesOf(RecordKind kind) const;
  // The templates of record type T.
  template <typename T>
  const TTemplet<T>& Of() const {
    if constexpr (std::is_same_v<T, TObj>) return Objs;
    if constexpr (std::is_same_v<T, TMob>) return Mobs;
    if constexpr (std::is_same_v<T, TShop>) return Shops;
    if constexpr (std::is_same_v<T, TTrigger>) return Triggers;
    if constexpr (std::is_same_v<T, TRoom>) return Rooms;
  }
};

enum class TemplateMode : uint8_t { Number, Quantity };

// What the template dialog is asked and what it answers. CreateFromTemplate
// fills the question and presets the answer (first template, number mode,
// the proposed number, quantity 1); the chooser changes the answer.
struct TemplateRequest {
  inline static constexpr int32_t kLastNumber = 99;

  // The question.
  RecordKind Kind = kRoom;
  int32_t Zone = 0;
  std::vector<std::string> Names;  // templates of the kind, file order
  int32_t Proposed = 0;            // the first free number of the zone
  int Maximum = 0;                 // the largest quantity the zone can take
  // Whether number n (0..99) of the zone is free; valid during Choose only.
  std::function<bool(int32_t)> IsFreeNumber;

  // The answer.
  int Template = -1;  // index into Names; -1 (or out of range) for none
  TemplateMode Mode = TemplateMode::Number;
  int32_t Number = 0;
  int Quantity = 1;

  // Whether the answer can be carried out: a free number 0..99 in number mode,
  // 1..Maximum in quantity mode. The dialog enables "Ok" by it.
  bool Acceptable() const;
};

class TemplateChooser {
 public:
  virtual ~TemplateChooser() = default;
  // Shows the question; false on cancel.
  virtual bool Choose(TemplateRequest& req) = 0;
};

// The add command: asks `chooser`, then creates one record (number mode) or
// Quantity records at the first free numbers (quantity mode) in `zone`, each a
// copy of the chosen template, and adds them to their world list (and so to
// the tree when a sink is attached). Returns the first record created, to be
// selected; nullptr for a kind without templates, a full zone (error 22), a
// cancel or an answer that is not Acceptable.
TMUDClass* CreateFromTemplate(World& w, const Templets& templets, TemplateChooser& chooser,
                              RecordKind kind, int32_t zone);

}  // namespace zm
