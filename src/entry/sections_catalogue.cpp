// The sections the item editor knows by number.
#include "entry/item_editor.h"

namespace vormel::entry {

std::optional<Section> section_definition(int number, const EditContext& context, int mode) {
  switch (number) {
    case 5: return assets_section(context);
    case 11: return notes_section(context, mode);
    case 40: return folder_list_section({}, {});
    default: return std::nullopt;
  }
}

}  // namespace vormel::entry
