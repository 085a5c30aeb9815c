#include "ui/framework/page.h"

namespace kivo::ui {

bool Touches(const ByteChange& change, const PageContext& context, std::size_t offset,
             std::size_t length) {
  const std::size_t shift = context.document != nullptr ? context.document->baseShift() : 0;
  return change.Touches(offset + shift, offset + shift + length);
}

bool CommitEdit(const PageContext& context, Page* source, const StepInfo& step,
                const ImageEdit& edit) {
  if (context.edits != nullptr)
    return context.edits->Commit(source, step, edit);
  if (context.document == nullptr || !context.document->editable())
    return false;
  return !context.document->Apply(edit).empty();
}

}  // namespace kivo::ui
