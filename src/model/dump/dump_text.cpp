// The text kind: every entry of every category the Text page edits, as it
// shows them, stored back by its own rules.

#include <set>
#include <utility>

#include "model/dump/dump_table.h"
#include "model/text/text_categories.h"
#include "model/text/text_entry_store.h"

namespace kivo::dump {
namespace {

std::string Quoted(const std::vector<std::string>& characters) {
  std::string text;
  for (const std::string& c : characters)
    text += (text.empty() ? "\"" : ", \"") + c + "\"";
  return text;
}

class EntriesTable final : public Table {
 public:
  std::string_view key() const override { return "entries"; }

  std::vector<DumpSpan> Spans() const override {
    std::vector<DumpSpan> spans;
    for (std::size_t bank : TextBankOffsets())
      spans.push_back({bank, kTextBankSize});
    for (int row = 0; row < kCharacterCount; ++row)
      spans.push_back({CharacterRecordOffset(row) + character::kName, kCharacterNameSize});
    return spans;
  }

  Json Dump(const Scope& scope) const override {
    Json entries = Json::array();
    const CharTable& dte = *scope.context->dte;
    for (int c = 0; c < kTextCategoryCount; ++c) {
      if (!IsEditableCategory(c))
        continue;
      const TextCategory& category = GetTextCategory(c);
      for (int row = 0; row < category.rows; ++row) {
        const TextEntry e =
            ReadTextEntry(scope.image, scope.view.baseShift(), c, row, dte, scope.keywords);
        Json entry = Json::object();
        entry["category"] = c;
        entry["category_name"] = category.rowText;
        entry["row"] = row;
        entry["pointer"] = e.location.hasPointer ? Json(e.location.pointerValue) : Json(nullptr);
        entry["text"] = e.text;
        if (IsDialogueCategory(c))
          entry["finger"] = e.finger ? Json(*e.finger) : Json(nullptr);
        entries.push_back(std::move(entry));
      }
    }
    return entries;
  }

  void Load(const Json& value, const std::string& path, const Scope& scope,
            Plan& plan) const override {
    if (!plan.IsArray(value, path, std::nullopt))
      return;
    std::set<std::pair<int, int>> seen;
    for (std::size_t n = 0; n < value.size(); ++n)
      LoadEntry(value[n], path + "[" + std::to_string(n) + "]", scope, plan, seen);
    plan.Loaded(int(seen.size()), "text entries");
  }

 private:
  void LoadEntry(const Json& item, const std::string& at, const Scope& scope, Plan& plan,
                 std::set<std::pair<int, int>>& seen) const {
    if (!plan.IsObject(item, at))
      return;
    const Json* categoryValue = item.contains("category") ? &item["category"] : nullptr;
    const bool dialogue = categoryValue && categoryValue->is_number_integer() &&
                          IsDialogueCategory(categoryValue->get<int>());
    std::vector<std::string> keys = {"category", "row", "pointer", "text"};
    if (dialogue)
      keys.push_back("finger");
    if (!plan.Keys(item, at, keys, false))
      return;
    const std::optional<int> c =
        plan.Number(item["category"], at + ".category", 0, kTextCategoryCount - 1);
    if (!c)
      return;
    if (!IsEditableCategory(*c)) {
      plan.Problem(at + ".category", "category " + std::to_string(*c) + " has no entries");
      return;
    }
    const std::optional<int> row =
        plan.Number(item["row"], at + ".row", 0, GetTextCategory(*c).rows - 1);
    if (!row)
      return;
    if (!seen.insert({*c, *row}).second) {
      plan.Problem(at, "the entry is listed twice");
      return;
    }
    const uint32_t shift = scope.view.baseShift();
    const CharTable& dte = *scope.context->dte;
    const ShownEntry shown = ShowTextEntry(scope.image, shift, *c, *row, dte, scope.keywords);
    EntryBoxes now = shown.boxes;
    if (!item["text"].is_string()) {
      plan.Problem(at + ".text", "must be a string");
      return;
    }
    now.text = item["text"].get<std::string>();
    const Json& pointer = item["pointer"];
    if (!pointer.is_null()) {
      if (!shown.location.hasPointer) {
        plan.Problem(at + ".pointer", "the entry has no pointer: must be null");
        return;
      }
      const std::optional<int> p = plan.Number(pointer, at + ".pointer", 0, 0xFFFF);
      if (!p)
        return;
      if (*p != shown.location.pointerValue)
        now.value = FormatHexText(uint32_t(*p));
    }
    if (dialogue && !item["finger"].is_null()) {
      const std::optional<int> f = plan.Number(item["finger"], at + ".finger", 0, 0xFF);
      if (!f)
        return;
      if (!shown.finger || *f != *shown.finger)
        now.finger = FormatHexText(uint32_t(*f));
    }
    if (now == shown.boxes)
      return;
    const CharTable& table = StoreTable(scope.settings, *c, *scope.context->standard, dte);
    EntryWrite write = PlanEntryWrite(scope.image.size(), shown, now, table, scope.keywords);
    if (!write.dropped.empty()) {
      plan.Problem(at + ".text", "the tables cannot write " + Quoted(write.dropped));
      return;
    }
    if (write.nameCut || write.cutAtImageEnd) {
      plan.Problem(at + ".text", write.nameCut ? "the name needs more than 6 bytes"
                                               : "the text runs past the end of the image");
      return;
    }
    const std::string label = std::string(GetTextCategory(*c).rowText) + " " + std::to_string(*row);
    if (const std::optional<EntryGrowth> growth =
            GrowthOf(scope.image.size(), shown, now, table, scope.keywords)) {
      // Its bank is repacked once everything else is loaded, with the text
      // where its pointer then leads.
      if (plan.makeRoom() && write.text && TextBankOf(*c) >= 0) {
        plan.Grown({*c, *row, std::move(*write.text)});
        return;
      }
      plan.Overflow(at + " (" + label + "): needs " + std::to_string(growth->needs) +
                    " bytes where the old text had " + std::to_string(growth->had));
    }
    plan.Add([shown, write = std::move(write)](const RomView& rom) {
      ApplyEntryWrite(rom.Unshifted(), shown, write);
    });
  }
};

}  // namespace

Tables TextTables() {
  Tables tables;
  tables.push_back(std::make_unique<EntriesTable>());
  return tables;
}

}  // namespace kivo::dump
