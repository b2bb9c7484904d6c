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

namespace {

bool namesFile(const QString &path)
{
    return !path.isEmpty() && clsFunction::VerifyFile(path);
}

// The image a button shows in the chosen look, where it has one.
QString buttonImage(const clsElement &record, ButtonLook look)
{
    const QString other = look == ButtonLook::Hover     ? record.getHoverimage()
                          : look == ButtonLook::Pressed ? record.getDownimage()
                                                        : QString();
    return namesFile(other) ? other : record.getUpimage();
}

} // namespace

std::vector<DrawEntry> makeDrawList(const clsFileControl &document, const PanelState &state,
                                    const RenderOptions &options)
{
    std::vector<DrawEntry> entries;
    for (const PanelElement &element : state.elements) {
        if (!element.switchedOn || !clsFunction::VerifyFile(element.imageField)) {
            continue;
        }
        const clsElement &record = *document.getElement(element.slot);
        const ElementFamily family = elementSlot(element.slot).family;
        // A slider's background is held where a button keeps its hover image.
        if (family == ElementFamily::Slider && options.sliderBackgrounds &&
            namesFile(record.getHoverimage())) {
            entries.push_back({element.slot, record.getHoverimage(), record.getTranscolor(),
                               record.getTop(), record.getLeft()});
        }
        const QString image = family == ElementFamily::Button ? buttonImage(record, options.look)
                                                              : record.getUpimage();
        entries.push_back(
            {element.slot, image, record.getTranscolor(), record.getTop(), record.getLeft()});
    }
    return entries;
}

} // namespace Preview
