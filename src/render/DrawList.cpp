#include "DrawList.h"

#include "document/clsElement.h"
#include "document/clsFileControl.h"
#include "util/clsFunction.h"

namespace Preview {

PanelState PanelState::fromDocument(clsFileControl &document)
{
    PanelState state;
    state.background = document.getElement(Slot::View)->getUpimage();
    for (std::size_t i = 0; i < kDrawOrder.size(); ++i) {
        const clsElement &record = *document.getElement(kDrawOrder[i].slot);
        state.switchedOn[i] = !kDrawOrder[i].optional || record.getExistFlag() == 1;
        state.imageField[i] = record.getUpimage();
    }
    return state;
}

std::vector<DrawEntry> makeDrawList(clsFileControl &document, const PanelState &state)
{
    std::vector<DrawEntry> entries;
    for (std::size_t i = 0; i < kDrawOrder.size(); ++i) {
        const bool switchedOn = !kDrawOrder[i].optional || state.switchedOn[i];
        if (!switchedOn || !clsFunction::VerifyFile(state.imageField[i])) {
            continue;
        }
        const qint16 slot = kDrawOrder[i].slot;
        const clsElement &record = *document.getElement(slot);
        entries.push_back(
            {slot, record.getUpimage(), record.getTranscolor(), record.getTop(), record.getLeft()});
    }
    return entries;
}

} // namespace Preview
