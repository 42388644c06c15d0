#include "common/messages.h"

#include <map>

#include "common/cp1251.h"
#include "common/textutil.h"

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

std::map<int, std::string> Build(std::initializer_list<std::pair<int, const char*>> rows) {
  std::map<int, std::string> m;
  for (const auto& [n, text] : rows) m[n] = W(text);
  return m;
}

}  // namespace

const std::string& ErrorText(int n) {
  static const std::map<int, std::string> table = Build({
      {1, "Не могу загрузить зону из файла %s (%s)"},
      {2, "Не могу сохранить зону"},
      {3, "Не могу загрузить комнаты из файла %s (%s)"},
      {4, "Не могу сохранить комнаты для зоны %d\r\nОшибка в комнате %d"},
      {5, "Не могу загрузить объекты из файла %s (%s)"},
      {6, "Не могу сохранить объект %d"},
      {7, "Не могу загрузить мобов из файла %s (%s)"},
      {8, "Не могу сохранить моба %d"},
      {9, "Ошибка загрузки Bases\r\nФайл: %s"},
      {10, "Не могу загрузить триггеры из файла %s (%s)"},
      {11, "Не могу сохранить триггер %d"},
      {12, "Не могу загрузить карту комнат из файла %s (%s)"},
      {13, "Не могу сохранить карту комнат для зоны %d\r\nОшибка в комнате %d"},
      {14, "Не могу загрузить магазин из файла %s (%s)"},
      {15, "Не могу сохранить магазин %d"},
      {16, "Нет комнат для расстановки"},
      {17, "Ошибка при расстановке комнат"},
      {18, "Не могу загрузить шаблоны %s\r\nФайл: %s\r\n\r\n(%s)"},
      {19, "Некорректный ID зоны"},
      {20, "Смена ID зоны пока невозможна. Ждите релиза"},
      {22, "Достигнуто максимальное количество %s в зоне"},
  });
  static const std::string empty;
  auto it = table.find(n);
  return it == table.end() ? empty : it->second;
}

const std::string& ConfirmText(int n) {
  static const std::map<int, std::string> table = Build({
      {1, "Вы хотите выйти?"},
      {2, "Вы хотите удалить %s из списка?"},
      {3, "Вы хотите удалить %s?"},
      {4, "Просклонять по всем падежам автоматически?"},
      {5, "Сохранить изменения?"},
      {6,
       "Произвести автоматическую расстановку комнат?\r\n\r\nВНИМАНИЕ! ОТЛАДОЧНАЯ ВЕРСИЯ! "
       "МОЖЕТ РАБОТАТЬ НЕКОРРЕКТНО!"},
      {7, "Произвести смену ID зоны?"},
      {kConfirmLossySave,
       "Файл %s был загружен с ошибками. При сохранении часть данных будет потеряна. "
       "Сохранить?"},
  });
  static const std::string empty;
  auto it = table.find(n);
  return it == table.end() ? empty : it->second;
}

}  // namespace zm
