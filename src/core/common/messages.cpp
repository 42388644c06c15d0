#include "common/messages.h"

#include <map>

#include "common/textutil.h"
#include "common/winutf8.h"

namespace zm {

std::string FmtArg::Text() const {
  if (const auto* s = std::get_if<std::string>(&m_value)) return *s;
  return IntText(std::get<int64_t>(m_value));
}

std::string FormatMessage(const std::string& format, const FmtArgs& args) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c == '%' && i + 1 < format.size()) {
      char k = format[i + 1];
      if (k == 's' || k == 'd') {
        if (next < args.size()) out += args[next].Text();
        ++next;
        ++i;
        continue;
      }
      if (k == '%') {
        out += '%';
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

namespace {

template <typename Msg>
std::map<Msg, std::string> Build(std::initializer_list<std::pair<Msg, const char*>> rows) {
  std::map<Msg, std::string> m;
  for (const auto& [n, text] : rows) m[n] = W(text);
  return m;
}

template <typename Msg>
const std::string& Lookup(const std::map<Msg, std::string>& table, Msg n) {
  static const std::string empty;
  auto it = table.find(n);
  return it == table.end() ? empty : it->second;
}

}  // namespace

const std::string& ErrorText(ErrorMsg n) {
  using E = ErrorMsg;
  static const auto table = Build<E>({
      {E::ZoneLoad, "Не могу загрузить зону из файла %s (%s)"},
      {E::ZoneSave, "Не могу сохранить зону %d\r\nФайл %s: %s"},
      {E::RoomLoad, "Не могу загрузить комнаты из файла %s (%s)"},
      {E::RoomSave, "Не могу сохранить комнаты для зоны %d\r\nФайл %s: %s"},
      {E::ObjLoad, "Не могу загрузить объекты из файла %s (%s)"},
      {E::ObjSave, "Не могу сохранить объекты для зоны %d\r\nФайл %s: %s"},
      {E::MobLoad, "Не могу загрузить мобов из файла %s (%s)"},
      {E::MobSave, "Не могу сохранить мобов для зоны %d\r\nФайл %s: %s"},
      {E::BasesLoad, "Ошибка загрузки Bases\r\nФайл: %s"},
      {E::TriggerLoad, "Не могу загрузить триггеры из файла %s (%s)"},
      {E::TriggerSave, "Не могу сохранить триггеры для зоны %d\r\nФайл %s: %s"},
      {E::MapLoad, "Не могу загрузить карту комнат из файла %s (%s)"},
      {E::MapSave, "Не могу сохранить карту комнат для зоны %d\r\nФайл %s: %s"},
      {E::ShopLoad, "Не могу загрузить магазин из файла %s (%s)"},
      {E::ShopSave, "Не могу сохранить магазины для зоны %d\r\nФайл %s: %s"},
      {E::NoRoomsToArrange, "Нет комнат для расстановки"},
      {E::ArrangeFailed, "Ошибка при расстановке комнат"},
      {E::TemplatesLoad, "Не могу загрузить шаблоны %s\r\nФайл: %s\r\n\r\n(%s)"},
      {E::BadZoneId, "Некорректный ID зоны"},
      {E::ZoneReread, "Зона %d не перечитана: %s"},
      {E::CopySampleWorld, "Не удалось скопировать мир в %s: %s"},
      {E::ZoneIdChangeUnavailable, "Смена ID зоны пока невозможна. Ждите релиза"},
      {E::ZoneFull, "Достигнуто максимальное количество %s в зоне"},
      {E::ZoneDuplicate, "Зона %d из файла %s уже прочитана из файла %s; этот файл не прочитан"},
      {E::FileNotWhole,
       "Файл %s прочитан не весь: не прочитано строк: %d, первая в строке %d. Перед его "
       "сохранением будет задан вопрос"},
      {E::MorphologyLoad,
       "Не могу загрузить словарь склонений (%s). Падежи построены по окончаниям, проверьте их"},
  });
  return Lookup(table, n);
}

const std::string& ConfirmText(ConfirmMsg n) {
  using C = ConfirmMsg;
  static const auto table = Build<C>({
      {C::Exit, "Вы хотите выйти?"},
      {C::RemoveFromList, "Вы хотите удалить %s из списка?"},
      {C::Delete, "Вы хотите удалить %s?"},
      {C::DeclineAll, "Просклонять по всем падежам автоматически?"},
      {C::SaveChanges, "Сохранить изменения?"},
      {C::Arrange,
       "Произвести автоматическую расстановку комнат?\r\n\r\nВНИМАНИЕ! ОТЛАДОЧНАЯ ВЕРСИЯ! "
       "МОЖЕТ РАБОТАТЬ НЕКОРРЕКТНО!"},
      {C::ChangeZoneId, "Произвести смену ID зоны?"},
      {C::WorldLocked,
       "Мир %s уже открыт в другом редакторе (компьютер %s, процесс %s, запущен %s). "
       "Открыть его всё равно?"},
      {C::RecoverJournal,
       "Редактор был закрыт, не сохранив изменения мира %s (%s). Восстановить их?\r\n\r\n%s"},
      {C::CopySampleWorld,
       "Папка мира %s открыта только для чтения, в ней ничего не сохранить. Скопировать мир в "
       "%s и работать с копией?"},
      {C::RemoveOldZoneFiles, "Удалить файлы зоны под прежним номером?\r\n%s"},
      {C::LossySave,
       "Файл %s был загружен с ошибками. При сохранении часть данных будет потеряна. "
       "Сохранить?"},
      {C::RereadZone, "Файлы зоны %s изменены на диске. Перечитать зону?"},
  });
  return Lookup(table, n);
}

const std::string& ChoiceText(ChoiceMsg n) {
  static const auto table = Build<ChoiceMsg>({
      {ChoiceMsg::ChangedOnDisk, "Файл %s изменён на диске после загрузки."},
  });
  return Lookup(table, n);
}

const std::vector<std::string>& ChoiceAnswers(ChoiceMsg n) {
  static const std::vector<std::string> changed{W("Перезаписать"), W("Перечитать зону"),
                                                W("Отмена")};
  static const std::vector<std::string> none{"1", "2", "3"};
  return n == ChoiceMsg::ChangedOnDisk ? changed : none;
}

}  // namespace zm
