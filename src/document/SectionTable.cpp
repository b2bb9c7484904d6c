#include "SectionTable.h"

#include <algorithm>
#include <initializer_list>

namespace Sections {

namespace {

std::vector<ImageField> present(std::initializer_list<ImageField> candidates)
{
    std::vector<ImageField> images;
    for (const ImageField &image : candidates) {
        if (image.text != kNone) {
            images.push_back(image);
        }
    }
    return images;
}

} // namespace

std::vector<ImageField> switchableImages(const Section &section)
{
    return present({section.pressed, section.hover, section.background});
}

std::vector<ImageField> imageFields(const Section &section)
{
    return present({section.image, section.pressed, section.hover, section.background});
}

std::vector<qint16> numberFields(const Section &section)
{
    std::vector<qint16> fields;
    for (const qint16 field : {section.top, section.left, section.height, section.width}) {
        if (field != kNone) {
            fields.push_back(field);
        }
    }
    return fields;
}

const Section &sectionFor(qint16 slot)
{
    const qint16 edited = slot == Slot::Effects ? Slot::Video : slot;
    const auto found = std::find_if(kSections.begin(), kSections.end(),
                                    [edited](const Section &s) { return s.slot == edited; });
    return found == kSections.end() ? kTheme : *found;
}

const Section *switchedBy(qint16 check2)
{
    for (const Section &section : kSections) {
        if (check2 != kNone && section.check2 == check2) {
            return &section;
        }
    }
    return nullptr;
}

const std::vector<FieldCheck> &fieldChecks()
{
    static const std::vector<FieldCheck> checks = [] {
        std::vector<FieldCheck> all;
        for (const Section &section : kSections) {
            if (section.prefix.isEmpty()) {
                continue;
            }
            const bool slider = section.family() == ElementFamily::Slider;
            if (section.image.text != kNone) {
                all.push_back({&section, Test::Image, section.image.text, kNone});
            }
            // A slider's background, height and width count through its size rule.
            if (slider) {
                all.push_back({&section, Test::SliderSize, kNone, kNone});
            }
            for (const ImageField &image :
                 slider ? std::vector<ImageField>{} : switchableImages(section)) {
                all.push_back({&section, Test::Image, image.text, image.box});
            }
            for (const qint16 field :
                 slider ? std::vector<qint16>{section.top, section.left} : numberFields(section)) {
                all.push_back({&section, Test::Number, field, kNone});
            }
        }
        return all;
    }();
    return checks;
}

std::vector<const Section *> drawnSections()
{
    std::vector<const Section *> drawn;
    for (const Section &section : kSections) {
        if (section.family() == ElementFamily::Button ||
            section.family() == ElementFamily::Slider) {
            drawn.push_back(&section);
        }
    }
    return drawn;
}

} // namespace Sections
