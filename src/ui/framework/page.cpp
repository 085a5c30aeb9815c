#include "ui/framework/page.h"

namespace kivo::ui {

bool CommitEdit(const PageContext& context, Page* source, const StepInfo& step,
                const ImageEdit& edit) {
  if (context.edits != nullptr)
    return context.edits->Commit(source, step, edit);
  if (context.document == nullptr || !context.document->editable())
    return false;
  return !context.document->Apply(edit).empty();
}

}  // namespace kivo::ui
