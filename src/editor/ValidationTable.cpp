#include "ValidationTable.h"

namespace Validation {

namespace {

constexpr FieldTest image(qint16 field, qint16 box = kNone)
{
    return {Test::Image, field, box};
}

constexpr FieldTest number(qint16 field)
{
    return {Test::Number, field, kNone};
}

constexpr FieldTest sliderSize()
{
    return {Test::SliderSize, kNone, kNone};
}

constexpr Condition always()
{
    return {};
}

constexpr Condition ticked1(qint16 box)
{
    return {box, kNone};
}

constexpr Condition ticked2(qint16 box)
{
    return {kNone, box};
}

// In the button rows the second image is the "クリックした時" row of the
// panel and the third the "カーソルが上にきた時" row, whatever their numbers.
constexpr Row kRows[] = {
    {u"background", u"背景画像の", 0, always(), {image(3)}},
    {u"play", u"プレイボタン画像の", 1, always(), {image(4)}},
    {u"play", u"プレイボタン画像の", 1, ticked1(0), {image(5)}},
    {u"play", u"プレイボタン画像の", 1, ticked1(1), {image(6)}},
    {u"play", u"プレイボタン画像の", 1, always(), {number(7)}},
    {u"play", u"プレイボタン画像の", 1, always(), {number(8)}},
    {u"stop", u"ストップボタン画像の", 1, always(), {image(9)}},
    {u"stop", u"ストップボタン画像の", 1, ticked1(2), {image(10)}},
    {u"stop", u"ストップボタン画像の", 1, ticked1(3), {image(11)}},
    {u"stop", u"ストップボタン画像の", 1, always(), {number(12), number(13)}},
    {u"close", u"閉じるボタン画像の", 1, always(), {image(14)}},
    {u"close", u"閉じるボタン画像の", 1, ticked1(4), {image(15)}},
    {u"close", u"閉じるボタン画像の", 1, ticked1(5), {image(16)}},
    {u"close", u"閉じるボタン画像の", 1, always(), {number(17), number(18)}},
    {u"next",
     u"FFWDボタン画像の",
     1,
     ticked2(0),
     {image(19), image(20, 6), image(21, 7), number(22), number(23)}},
    {u"previous",
     u"REWボタン画像の",
     1,
     ticked2(1),
     {image(24), image(25, 8), image(26, 9), number(27), number(28)}},
    {u"pause",
     u"一時停止ボタン画像の",
     2,
     ticked2(4),
     {image(49), image(50, 19), image(51, 18), number(52), number(53)}},
    {u"repeat",
     u"リピートボタン画像の",
     2,
     ticked2(5),
     {image(48), image(47, 16), image(46, 17), number(45), number(44)}},
    {u"shuffle",
     u"シャッフルボタン画像の",
     2,
     ticked2(6),
     {image(43), image(42, 14), image(41, 15), number(40), number(39)}},
    {u"minimise",
     u"最小化ボタン画像の",
     2,
     ticked2(3),
     {image(38), image(37, 12), image(36, 13), number(35), number(34)}},
    {u"full mode",
     u"フルモード切替ボタン画像の",
     2,
     ticked2(2),
     {image(33), image(32, 10), image(31, 11), number(30), number(29)}},
    {u"seek",
     u"SEEKバー画像の",
     3,
     ticked2(7),
     {image(54), sliderSize(), number(56), number(57)},
     {20, 55, 3, 78, 77}},
    {u"volume",
     u"音量調節画像の",
     3,
     ticked2(8),
     {image(61), sliderSize(), number(59), number(58)},
     {21, 60, 4, 79, 80}},
    {u"balance",
     u"スピーカーバランス画像の",
     3,
     ticked2(9),
     {image(65), sliderSize(), number(63), number(62)},
     {22, 64, 6, 81, 82}},
    {u"playlist",
     u"プレイリストの",
     4,
     ticked2(10),
     {number(66), number(67), number(68), number(69)}},
    {u"track name", u"トラック表示の", 4, ticked2(11), {number(72), number(71), number(70)}},
    {u"video and effects",
     u"ビデオ＆エフェクトの",
     5,
     ticked2(12),
     {number(76), number(75), number(74), number(73)}},
};

} // namespace

std::span<const Row> rows()
{
    return kRows;
}

} // namespace Validation
