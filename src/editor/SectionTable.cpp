#include "SectionTable.h"

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

const Section *switchedBy(qint16 check2)
{
    for (const Section &section : kSections) {
        if (check2 != kNone && section.check2 == check2) {
            return &section;
        }
    }
    return nullptr;
}

} // namespace Sections
