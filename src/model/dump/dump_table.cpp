#include "model/dump/dump_table.h"

#include <limits>

namespace kivo::dump {

std::string Names::Of(const std::vector<std::string>& names, int index) {
  return index >= 0 && std::size_t(index) < names.size() ? names[std::size_t(index)]
                                                         : std::string();
}

std::string Range(int min, int max, std::optional<int> extra) {
  std::string text = std::to_string(min) + ".." + std::to_string(max);
  return extra ? text + " or " + std::to_string(*extra) : text;
}

void Plan::Problem(const std::string& path, const std::string& text) {
  load_.problems.push_back(path + ": " + text);
}

void Plan::Loaded(int count, std::string_view noun) {
  if (count > 0)
    load_.loaded.push_back(std::to_string(count) + " " + std::string(noun));
}

bool Plan::IsObject(const Json& value, const std::string& path) {
  if (value.is_object())
    return true;
  Problem(path, "must be an object");
  return false;
}

bool Plan::IsArray(const Json& value, const std::string& path, std::optional<std::size_t> size) {
  if (!value.is_array()) {
    Problem(path, "must be an array");
    return false;
  }
  if (size && value.size() != *size) {
    Problem(path,
            "must hold " + std::to_string(*size) + " values, not " + std::to_string(value.size()));
    return false;
  }
  return true;
}

std::optional<int> Plan::Number(const Json& value, const std::string& path, int min, int max,
                                std::optional<int> extra) {
  if (!value.is_number_integer()) {
    Problem(path, value.is_number() ? value.dump() + " is not a whole number" : "must be a number");
    return std::nullopt;
  }
  long long number = 0;
  if (value.is_number_unsigned()) {
    const auto u = value.get<unsigned long long>();
    number = u > std::numeric_limits<int>::max() ? std::numeric_limits<long long>::max()
                                                 : static_cast<long long>(u);
  } else {
    number = value.get<long long>();
  }
  if ((number >= min && number <= max) || (extra && number == *extra))
    return static_cast<int>(number);
  Problem(path, value.dump() + " is outside " + Range(min, max, extra));
  return std::nullopt;
}

bool Plan::Keys(const Json& object, const std::string& path, const std::vector<std::string>& keys,
                bool named) {
  bool good = true;
  auto known = [&](std::string_view key) {
    for (const std::string& k : keys) {
      if (k == key)
        return true;
    }
    return false;
  };
  constexpr std::string_view kNameSuffix = "_name";
  for (const auto& [key, value] : object.items()) {
    if (known(key) || (named && key == "name"))
      continue;
    if (key.size() > kNameSuffix.size() && key.ends_with(kNameSuffix) &&
        known(std::string_view(key).substr(0, key.size() - kNameSuffix.size())))
      continue;
    Problem(path + "." + key, "unknown key");
    good = false;
  }
  for (const std::string& k : keys) {
    if (!object.contains(k)) {
      Problem(path + "." + k, "missing");
      good = false;
    }
  }
  return good;
}

void Table::AppendBinary(const ConstRomView& view, std::vector<uint8_t>& out) const {
  for (const DumpSpan& span : Spans()) {
    const std::vector<uint8_t> bytes = view.Bytes(span.offset, span.length);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
}

Json ValueTable::Dump(const Scope& scope) const {
  Json values = Json::array();
  for (int i = 0; i < layout_.count; ++i)
    values.push_back(layout_.read(scope.view, i));
  return values;
}

void ValueTable::Load(const Json& value, const std::string& path, const Scope& scope,
                      Plan& plan) const {
  if (!plan.IsArray(value, path, std::size_t(layout_.count)))
    return;
  std::vector<std::pair<int, int>> changed;
  for (int i = 0; i < layout_.count; ++i) {
    const std::optional<int> number = plan.Number(
        value[std::size_t(i)], path + "[" + std::to_string(i) + "]", layout_.min, layout_.max);
    if (number && *number != layout_.read(scope.view, i))
      changed.emplace_back(i, *number);
  }
  plan.Loaded(layout_.count, layout_.noun);
  if (!changed.empty()) {
    plan.Add([write = layout_.write, changed](const RomView& rom) {
      for (const auto& [i, v] : changed)
        write(rom, i, v);
    });
  }
}

std::vector<DumpSpan> RecordSpans(std::size_t base, std::size_t stride, int count,
                                  std::vector<DumpSpan> fields) {
  std::vector<DumpSpan> spans;
  for (int r = 0; r < count; ++r) {
    for (const DumpSpan& f : fields)
      spans.push_back({base + stride * std::size_t(r) + f.offset, f.length});
  }
  return spans;
}

Namer ItemNamer() {
  return [](const Names& names, int id) -> std::optional<std::string> {
    if (id == 0)
      return std::nullopt;
    return names.Item(id);
  };
}

Namer MonsterNamer() {
  return [](const Names& names, int id) -> std::optional<std::string> {
    return Names::Of(names.monsters, id);
  };
}

Namer SpellRecordNamer(std::optional<int> none) {
  return [none](const Names& names, int record) -> std::optional<std::string> {
    if (none && record == *none)
      return std::nullopt;
    return Names::Of(names.spellRecords, record);
  };
}

Namer ListNamer(std::span<const std::string_view> rows, std::optional<int> none) {
  return [rows, none](const Names&, int value) -> std::optional<std::string> {
    if (none && value == *none)
      return std::nullopt;
    if (value < 0 || std::size_t(value) >= rows.size())
      return std::nullopt;
    return std::string(rows[std::size_t(value)]);
  };
}

const Tables& TablesOf(DumpKind kind) {
  static const std::array<Tables, kDumpKindCount> all = [] {
    std::array<Tables, kDumpKindCount> t;
    t[std::size_t(DumpKind::Armor)] = ArmorTables();
    t[std::size_t(DumpKind::Character)] = CharacterTables();
    t[std::size_t(DumpKind::Formation)] = FormationTables();
    t[std::size_t(DumpKind::Map)] = MapTables();
    t[std::size_t(DumpKind::Monster)] = MonsterTables();
    t[std::size_t(DumpKind::Shop)] = ShopTables();
    t[std::size_t(DumpKind::Spell)] = SpellTables();
    t[std::size_t(DumpKind::Text)] = TextTables();
    t[std::size_t(DumpKind::Weapon)] = WeaponTables();
    return t;
  }();
  return all[std::size_t(kind)];
}

namespace {

// Text that is not UTF-8 (a table of another era) is shown, not refused.
std::string Scalar(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void Compact(const Json& value, std::string& out) {
  if (value.is_object()) {
    out += '{';
    bool first = true;
    for (const auto& [key, item] : value.items()) {
      out += first ? "" : ", ";
      first = false;
      out += Scalar(Json(key));
      out += ": ";
      Compact(item, out);
    }
    out += '}';
  } else if (value.is_array()) {
    out += '[';
    for (std::size_t i = 0; i < value.size(); ++i) {
      out += i == 0 ? "" : ", ";
      Compact(value[i], out);
    }
    out += ']';
  } else if (value.is_number_unsigned()) {
    out += std::to_string(value.get<unsigned long long>());
  } else if (value.is_number_integer()) {
    out += std::to_string(value.get<long long>());
  } else {
    out += Scalar(value);
  }
}

// An array of records, rows or strings: one a line.
bool OneALine(const Json& value) {
  return value.is_array() && !value.empty() && !value.front().is_number();
}

}  // namespace

std::string LayoutDocument(const Json& document) {
  std::string out = "{\n";
  bool firstKey = true;
  for (const auto& [key, value] : document.items()) {
    out += firstKey ? "" : ",\n";
    firstKey = false;
    out += "  " + Scalar(Json(key)) + ": ";
    if (!value.is_object() || key == "rom" || value.empty()) {
      Compact(value, out);
      continue;
    }
    out += "{\n";
    bool firstTable = true;
    for (const auto& [table, content] : value.items()) {
      out += firstTable ? "" : ",\n";
      firstTable = false;
      out += "    " + Scalar(Json(table)) + ": ";
      if (!OneALine(content)) {
        Compact(content, out);
        continue;
      }
      out += "[\n";
      for (std::size_t i = 0; i < content.size(); ++i) {
        out += "      ";
        Compact(content[i], out);
        out += i + 1 < content.size() ? ",\n" : "\n";
      }
      out += "    ]";
    }
    out += "\n  }";
  }
  out += "\n}\n";
  return out;
}

}  // namespace kivo::dump
