#pragma once

#include <QStringView>
#include <QtGlobal>
#include <array>
#include <span>

// The checks a save runs over the panels before writing, in the order they
// run. Field numbers are Text1 indices, boxes Check1 or Check2 indices.
namespace Validation {

inline constexpr qint16 kNone = -1;

enum class Test {
    End,        // no more fields in this row
    Image,      // not empty and names an existing file
    Number,     // not empty
    SliderSize, // the row's size rule
};

// A field and, where it has one, the Check1 box that must be ticked for it to count.
struct FieldTest {
    Test test = Test::End;
    qint16 field = kNone;
    qint16 box = kNone;
};

// A slider's size: its background image when that box is ticked, otherwise
// the length along its direction.
struct SizeRule {
    qint16 backgroundBox, backgroundField, verticalOption, heightField, widthField;
};

// Which box switches the whole row on; kNone in both: always checked.
struct Condition {
    qint16 check1 = kNone;
    qint16 check2 = kNone;
};

struct Row {
    QStringView element;
    QStringView prefix; // starts the message
    qint16 panel;       // picture2 / imgMenu index that holds the fields
    Condition condition;
    std::array<FieldTest, 5> fields;
    SizeRule size{};
};

std::span<const Row> rows();

} // namespace Validation
