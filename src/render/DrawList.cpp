#include "DrawList.h"

#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "util/clsFunction.h"

namespace Preview {

PanelState PanelState::fromDocument(const clsFileControl &document)
{
    PanelState state;
    state.background = document.getElement(Slot::View)->getUpimage();
    for (const DrawRow &row : kDrawOrder) {
        const clsElement &record = *document.getElement(row.slot);
        state.elements.push_back(
            {row.slot, !row.optional || record.getExistFlag() == 1, record.getUpimage()});
    }
    return state;
}

std::vector<DrawEntry> makeDrawList(const clsFileControl &document, const PanelState &state)
{
    std::vector<DrawEntry> entries;
    for (const PanelElement &element : state.elements) {
        if (!element.switchedOn || !clsFunction::VerifyFile(element.imageField)) {
            continue;
        }
        const clsElement &record = *document.getElement(element.slot);
        entries.push_back({element.slot, record.getUpimage(), record.getTranscolor(),
                           record.getTop(), record.getLeft()});
    }
    return entries;
}

} // namespace Preview
