#pragma once
// The parts a dump kind is made of: tables that write themselves into the
// JSON document and check and plan their part of a load. Each kind lists
// its tables in the order the document and the binary dump give them.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/core/settings.h"
#include "model/dump/dump.h"
#include "model/text/codec.h"

namespace kivo::dump {

using Json = nlohmann::ordered_json;
using Edit = std::function<void(const RomView&)>;

// The texts of the `_name` keys, read from the image once per dump or load.
struct Names {
  bool known = false;
  std::vector<std::string> items;         // 256, by item id
  std::vector<std::string> monsters;      // 128
  std::vector<std::string> spells;        // 70
  std::vector<std::string> spellRecords;  // 135

  static std::string Of(const std::vector<std::string>& names, int index);
  std::string Item(int id) const { return Of(items, id); }
};

// What the tables of a dump or a load work with.
struct Scope {
  ConstRomView view;
  std::span<const uint8_t> image;  // the whole image, for the text codec
  const DumpContext* context = nullptr;
  Names names;
  SettingsBlock settings;  // the context's, with the keyword and spell name caches rebuilt
  KeywordNames keywords{};
};

// A load being planned: problems by JSON path and the edits that store it.
class Plan {
 public:
  explicit Plan(DumpLoad& load) : load_(load) {}
  void Problem(const std::string& path, const std::string& text);
  void Overflow(const std::string& text) { load_.overflows.push_back(text); }
  bool makeRoom() const { return load_.makeRoom; }
  void Grown(BankTextEdit edit) { load_.grown.push_back(std::move(edit)); }
  void Loaded(int count, std::string_view noun);
  void Add(Edit edit) { load_.edits.push_back(std::move(edit)); }
  bool failed() const { return !load_.problems.empty(); }

  // The checks every table makes, each adding a problem when it fails.
  bool IsObject(const Json& value, const std::string& path);
  bool IsArray(const Json& value, const std::string& path, std::optional<std::size_t> size);
  std::optional<int> Number(const Json& value, const std::string& path, int min, int max,
                            std::optional<int> extra = std::nullopt);
  // Refuses keys not in `keys` (a key ending in "_name" is ignored when its
  // stem is in `keys` or is "" for "name") and reports keys missing.
  bool Keys(const Json& object, const std::string& path, const std::vector<std::string>& keys,
            bool named);

 private:
  DumpLoad& load_;
};

std::string Range(int min, int max, std::optional<int> extra = std::nullopt);

class Table {
 public:
  virtual ~Table() = default;
  virtual std::string_view key() const = 0;
  virtual Json Dump(const Scope& scope) const = 0;
  virtual void Load(const Json& value, const std::string& path, const Scope& scope,
                    Plan& plan) const = 0;
  virtual std::vector<DumpSpan> Spans() const = 0;
  // The binary dump's bytes of the table: its spans as they stand.
  virtual void AppendBinary(const ConstRomView& view, std::vector<uint8_t>& out) const;
};

using Tables = std::vector<std::unique_ptr<Table>>;

// How a number names a row for its `_name` key.
using Namer = std::function<std::optional<std::string>(const Names&, int value)>;

// One number of a record, or an array of `count` numbers.
template <class R>
struct Field {
  std::string key;
  int count = 1;  // 0: a single number; n: an array of n
  int min = 0;
  int max = 255;
  std::optional<int> extra{};  // one more value outside min..max (0xFF: none)
  std::function<int(const R&, int)> get;
  std::function<void(R&, int, int)> set;
  Namer namer{};
  uint8_t unstoredBits = 0;  // bits the field never stores: a value must leave them clear
};

// A field bound to a member expression of the record `r`, element `i`.
#define KIVO_DUMP_FIELD(R, key, count, expr, min, max)                    \
  ::kivo::dump::Field<R> {                                                \
    key, count, min, max, std::nullopt,                                   \
        [](const R& r, int i) {                                           \
          (void)i;                                                        \
          return static_cast<int>(expr);                                  \
        },                                                                \
        [](R& r, int i, int v) {                                          \
          (void)i;                                                        \
          expr = static_cast<std::remove_reference_t<decltype(expr)>>(v); \
        }                                                                 \
  }

// Records `first`..`first + count - 1`, each an object with its index, its
// name (when `recordName` gives one) and its fields. A load may list any of
// them once each; a listed record names every field.
template <class R>
class RecordTable : public Table {
 public:
  struct Layout {
    std::string key;
    std::string noun;  // "monster records"
    int first = 0;
    int count = 0;
    std::function<R(const ConstRomView&, int)> read;
    std::function<void(const RomView&, int, const R&)> write;
    std::vector<Field<R>> fields;
    std::vector<DumpSpan> spans;
    std::function<std::optional<std::string>(const Scope&, int)> recordName{};
  };
  explicit RecordTable(Layout layout) : layout_(std::move(layout)) {}

  std::string_view key() const override { return layout_.key; }
  std::vector<DumpSpan> Spans() const override { return layout_.spans; }

  Json Dump(const Scope& scope) const override {
    Json records = Json::array();
    for (int i = layout_.first; i < layout_.first + layout_.count; ++i) {
      const R r = layout_.read(scope.view, i);
      Json record = Json::object();
      record["index"] = i;
      if (layout_.recordName && scope.names.known) {
        if (std::optional<std::string> name = layout_.recordName(scope, i))
          record["name"] = *name;
      }
      for (const Field<R>& f : layout_.fields) {
        if (f.count == 0) {
          const int v = f.get(r, 0);
          record[f.key] = v;
          if (f.namer && scope.names.known) {
            if (std::optional<std::string> name = f.namer(scope.names, v))
              record[f.key + "_name"] = *name;
          }
          continue;
        }
        Json values = Json::array(), names = Json::array();
        for (int k = 0; k < f.count; ++k) {
          const int v = f.get(r, k);
          values.push_back(v);
          if (f.namer && scope.names.known)
            names.push_back(f.namer(scope.names, v).value_or(std::string()));
        }
        record[f.key] = std::move(values);
        if (f.namer && scope.names.known)
          record[f.key + "_name"] = std::move(names);
      }
      records.push_back(std::move(record));
    }
    return records;
  }

  void Load(const Json& value, const std::string& path, const Scope& scope,
            Plan& plan) const override {
    if (!plan.IsArray(value, path, std::nullopt))
      return;
    std::vector<std::string> keys = {"index"};
    for (const Field<R>& f : layout_.fields)
      keys.push_back(f.key);
    std::set<int> seen;
    int listed = 0;
    for (std::size_t n = 0; n < value.size(); ++n) {
      const Json& item = value[n];
      const std::string at = path + "[" + std::to_string(n) + "]";
      if (!plan.IsObject(item, at) || !plan.Keys(item, at, keys, bool(layout_.recordName)))
        continue;
      const std::optional<int> index =
          plan.Number(item["index"], at + ".index", layout_.first, layout_.first + layout_.count - 1);
      if (!index)
        continue;
      if (!seen.insert(*index).second) {
        plan.Problem(at + ".index", "record " + std::to_string(*index) + " is listed twice");
        continue;
      }
      R r = layout_.read(scope.view, *index);
      const R before = r;
      bool good = true;
      for (const Field<R>& f : layout_.fields) {
        const Json& v = item[f.key];
        const std::string fieldPath = at + "." + f.key;
        if (f.count == 0) {
          std::optional<int> number = plan.Number(v, fieldPath, f.min, f.max, f.extra);
          if (number && (*number & f.unstoredBits) != 0) {
            plan.Problem(fieldPath, std::to_string(*number) +
                                        " sets bits the field does not store (" +
                                        std::to_string(f.unstoredBits) + ")");
            number.reset();
          }
          good = good && number;
          if (number)
            f.set(r, 0, *number);
          continue;
        }
        if (!plan.IsArray(v, fieldPath, std::size_t(f.count))) {
          good = false;
          continue;
        }
        for (int k = 0; k < f.count; ++k) {
          const std::optional<int> number = plan.Number(
              v[std::size_t(k)], fieldPath + "[" + std::to_string(k) + "]", f.min, f.max, f.extra);
          good = good && number;
          if (number)
            f.set(r, k, *number);
        }
      }
      ++listed;
      if (good && !(r == before)) {
        plan.Add([write = layout_.write, i = *index, r](const RomView& rom) { write(rom, i, r); });
      }
    }
    plan.Loaded(listed, layout_.noun);
  }

 private:
  Layout layout_;
};

// An array of `count` numbers in one range (a value table).
class ValueTable final : public Table {
 public:
  struct Layout {
    std::string key;
    std::string noun;
    int count = 0;
    int min = 0;
    int max = 255;
    std::function<int(const ConstRomView&, int)> read;
    std::function<void(const RomView&, int, int)> write;
    std::vector<DumpSpan> spans;
  };
  explicit ValueTable(Layout layout) : layout_(std::move(layout)) {}
  std::string_view key() const override { return layout_.key; }
  std::vector<DumpSpan> Spans() const override { return layout_.spans; }
  Json Dump(const Scope& scope) const override;
  void Load(const Json& value, const std::string& path, const Scope& scope,
            Plan& plan) const override;

 private:
  Layout layout_;
};

// Spans of the fields at `fields` (offset in the record, length) of `count`
// records of `stride` bytes from `base`, record by record.
std::vector<DumpSpan> RecordSpans(std::size_t base, std::size_t stride, int count,
                                  std::vector<DumpSpan> fields);

// Namers shared by the kinds.
Namer ItemNamer();                                // an item id
Namer MonsterNamer();                             // a monster id
Namer SpellRecordNamer(std::optional<int> none);  // a spell record, `none` naming nothing
Namer ListNamer(std::span<const std::string_view> rows, std::optional<int> none = std::nullopt);

// The tables of each kind.
Tables ArmorTables();
Tables CharacterTables();
Tables FormationTables();
Tables MapTables();
Tables MonsterTables();
Tables ShopTables();
Tables SpellTables();
Tables TextTables();
Tables WeaponTables();

const Tables& TablesOf(DumpKind kind);

// The document's layout: one key a line at the top and in each kind, one
// element a line in each table of records; everything below on its line.
std::string LayoutDocument(const Json& document);

}  // namespace kivo::dump
